#include "formats/RecipeTextParser.h"

#include "base/Text.h"

namespace pantrio {

void RecipeTextParser::Reset() {
    recipe_ = Recipe();
    recipe_.LongFormUnits = longFormUnits;
    directions_.clear();
    paragraphPending_ = false;
    directionsTooLong_ = false;
    phase_ = 0;
}

void RecipeTextParser::AddDirections(const std::string& line) {
    if (directionsTooLong_) return;
    if (!directions_.empty()) {
        if (EndsWithNoCase(directions_, "\r\n")) {
            if (paragraphPending_) directions_ += "\r\n";
        } else {
            directions_ += paragraphPending_ ? "\r\n\r\n" : "\r\n";
        }
    }
    paragraphPending_ = false;
    directions_ += TrimRight(line);
    if (directions_.size() > kMaxDirectionsBytes) directionsTooLong_ = true;
}

bool RecipeTextParser::DropIfDirectionsTooLong() {
    if (!directionsTooLong_) return false;
    Tell(Format("Directions longer than %zu characters: %s (line %ld).  Not added.",
                kMaxDirectionsBytes, recipe_.Title.c_str(), recipeLine_),
         true);
    Reset();
    return true;
}

void RecipeTextParser::ReportDroppedLines() {
    if (recipe_.LinesDropped() == 0) return;
    Tell(Format("More than %d ingredient lines: %s (line %ld).  Only the first %d were added.",
                Recipe::kMaxLines, recipe_.Title.c_str(), recipeLine_, Recipe::kMaxLines),
         false);
}

void RecipeTextParser::EmitRecipe() {
    recipe_.RecipeID = -1;
    if (onRecipe) onRecipe(recipe_);
    Reset();
}

void RecipeTextParser::ReportNoTitle(long lineNumber) {
    Tell(Format("No title in the recipe at line %ld.  Not added.", lineNumber), true);
}

std::string RecipeTextParser::CancelledText(long lastLine, const std::string& title,
                                            long recipeLine) {
    return Format("Cancelled after line %ld: %s (line %ld).  Not added.", lastLine, title.c_str(),
                  recipeLine);
}

void RecipeTextParser::ReportCancelled(long lastLine) {
    Tell(CancelledText(lastLine, recipe_.Title, recipeLine_), true);
}

}  // namespace pantrio
