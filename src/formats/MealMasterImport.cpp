#include "formats/MealMasterImport.h"

#include <climits>

#include "base/Text.h"
#include "formats/LineImport.h"
#include "formats/RecipeTextFields.h"
#include "recipe/IngredientText.h"
#include "recipe/Quantity.h"

namespace pantrio {

namespace {

// The bracket fields that may open the directions, and where they go.
struct BracketField {
    const char* tag;
    enum Target { SubHead, PrimaryIngredient, Cuisine, UniqueID } target;
};
constexpr BracketField kBracketFields[] = {
    {"[Note:", BracketField::SubHead},
    {"[Main Ingredient:", BracketField::PrimaryIngredient},
    {"[Cuisine:", BracketField::Cuisine},
    {"[UniqueID:", BracketField::UniqueID},
};

// A line that opens with five hyphens or five capital M: a recipe header, an
// end line or a section line.
bool IsMarkerLine(const std::string& line) {
    return StartsWith(line, "-----") || StartsWith(line, "MMMMM");
}

// The header that opens a recipe ("MMMMM----- Recipe via Meal-Master (tm) v8.05",
// "---------- Recipe via Meal-Master", "----- Exported by ...").
bool IsHeaderLine(const std::string& line) {
    return IsMarkerLine(line) && (FindNoCase(line, "Meal-Master") != std::string::npos ||
                                  FindNoCase(line, "Exported") != std::string::npos);
}

// What is left of a marker line without its hyphens, capital M and blanks:
// empty for an end line, the section name for a section line.
bool IsEndLine(const std::string& line) {
    for (char c : line) {
        if (c != '-' && c != 'M' && c != ' ' && c != '\t') return false;
    }
    return true;
}

// The text of a label line after the label and one more character (the colon
// of "Title:"), trimmed; `at` must be where the label starts.
std::string AfterLabel(const std::string& line, std::size_t at, std::size_t labelLength) {
    const std::size_t from = at + labelLength + 1;
    return from < line.size() ? Trim(std::string_view(line).substr(from)) : std::string();
}

// Quantity columns: digits, slashes, decimal points and blanks; a hyphen is
// allowed between numbers, for ranges such as 1-2 or 1/2-1.
bool IsQuantityText(const std::string& z) {
    if (z.empty()) return true;
    if (z.front() == '-' || z.back() == '-') return false;
    for (char c : z) {
        if (!((c >= '0' && c <= '9') || c == '/' || c == '.' || c == ' ' || c == '-')) return false;
    }
    return true;
}

int TruncatedInt(double value) {
    if (!(value > INT_MIN && value < INT_MAX)) return 0;
    return static_cast<int>(value);
}

}  // namespace

MealMasterParser::MealMasterParser() {
    Reset();
}

void MealMasterParser::ReportNoEnd() {
    Tell(Format("No end line: %s (line %ld).  Not added.", recipe_.Title.c_str(), recipeLine_),
         true);
}

void MealMasterParser::Begin(const std::string& title, long lineNumber) {
    Reset();
    recipe_.Title = TitleCase(title);
    recipeLine_ = lineNumber;
    headerWithoutTitle_ = 0;
    anyRecipe_ = true;
    phase_ = 1;
    Began(recipe_.Title);
}

void MealMasterParser::Feed(const std::string& line, long lineNumber) {
    // Lines of blanks are empty lines: MealMaster writers pad them.
    if (IsBlank(line)) {
        if (phase_ == 3 && !directions_.empty()) paragraphPending_ = true;
        return;
    }
    if (phase_ == 0) {
        if (IsHeaderLine(line)) {
            if (headerWithoutTitle_ > 0) ReportNoTitle(headerWithoutTitle_);
            headerWithoutTitle_ = lineNumber;
            return;
        }
        if (IsMarkerLine(line) && IsEndLine(line)) {
            if (headerWithoutTitle_ > 0) {
                ReportNoTitle(headerWithoutTitle_);
                headerWithoutTitle_ = 0;
            }
            return;
        }
        const std::size_t at = line.find("Title");
        if (at != std::string::npos && at > 0) Begin(AfterLabel(line, at, 5), lineNumber);
        return;
    }
    if (phase_ == 1) {
        phase_ = 2;
        const std::size_t at = line.find("Categories");
        if (at != std::string::npos && at > 0) {
            // Only the first five names count, as MealMaster writes no more.
            const auto parts = Split(AfterLabel(line, at, 10), ',');
            for (std::size_t i = 0; i < parts.size() && i < 5; ++i) {
                const std::string name = Trim(parts[i]);
                if (!name.empty()) recipe_.AddCategoryName(name);
            }
            return;
        }
        // No categories line: this line is the yield line or the body.
    }
    if (phase_ == 2) {
        phase_ = 3;
        if (FindNoCase(line, "yield") != std::string::npos ||
            FindNoCase(line, "serving") != std::string::npos) {
            const std::size_t at = line.find_first_of("0123456789.", 1);
            if (at != std::string::npos) {
                recipe_.YieldText = line.substr(at);
                const auto words = Split(Trim(recipe_.YieldText), ' ');
                recipe_.YieldNumber = ParseQuantity(words.empty() ? "" : words[0]);
                recipe_.YieldUnit.clear();
                for (std::size_t i = 1; i < words.size(); ++i) {
                    if (!words[i].empty()) {
                        recipe_.YieldUnit = words[i];
                        break;
                    }
                }
            }
            return;
        }
        // No yield line: this line already belongs to the body.
    }
    HandleBody(line, lineNumber);
}

void MealMasterParser::HandleBody(const std::string& line, long lineNumber) {
    if (IsMarkerLine(line)) {
        if (IsEndLine(line)) {
            EndRecipe();
            return;
        }
        if (IsHeaderLine(line)) {
            // The next recipe begins before this one was closed: its end is
            // unknown, so it is not stored.
            ReportNoEnd();
            Reset();
            headerWithoutTitle_ = lineNumber;
            return;
        }
        return;  // a section line such as MMMMM-----FILLING-----
    }
    if (HandleIngredient(line)) return;
    AddDirections(line);
}

bool MealMasterParser::HandleIngredient(const std::string& line) {
    const std::string q = ColumnText(line, 0, 7);
    const std::string z = Trim(q);
    if (!IsQuantityText(z)) return false;
    const std::size_t dash = z.find('-');
    const double quantity = ParseQuantity(dash == std::string::npos ? z : z.substr(0, dash));
    if (!z.empty() && !(quantity > 0)) return false;

    const std::string unit = Trim(ColumnText(line, 8, 10));
    const std::string text = Trim(ColumnText(line, 10));
    if (z.empty() && unit.empty() && text.empty()) return true;

    if (!text.empty() && text.front() == '-') {
        // A continuation of the previous ingredient. After lines were dropped
        // for want of room it would land on the wrong line, so it goes too.
        if (recipe_.LinesDropped() == 0) AppendToLastLineNotes(recipe_, text.substr(1));
        return true;
    }
    std::string name;
    std::string notes;
    SplitNameAndNotes(text, name, notes);
    const int before = recipe_.LineCount();
    if (recipe_.AddLine(false, z, unit, name, notes, quantity, -1, 0, -1) > before &&
        dash != std::string::npos) {
        recipe_.Lines.back().TextQty = z;  // keep a range as written
    }
    return true;
}

void MealMasterParser::EndRecipe() {
    if (DropIfDirectionsTooLong()) return;
    recipe_.Instructions = Trim(directions_);
    std::size_t end = 0;
    for (const BracketField& field : kBracketFields) {
        const std::size_t at = directions_.find(field.tag);
        if (at == std::string::npos) continue;
        const std::size_t close = directions_.find(']', at);
        if (close == std::string::npos) {
            Tell(Format("No \"]\" after %s in %s (line %ld).  Not added.", field.tag,
                        recipe_.Title.c_str(), recipeLine_),
                 true);
            Reset();
            return;
        }
        const std::size_t from = at + std::string_view(field.tag).size() + 1;
        const std::string value = from < close ? Trim(directions_.substr(from, close - from)) : "";
        switch (field.target) {
            case BracketField::SubHead:
                recipe_.SubHead = value;
                break;
            case BracketField::PrimaryIngredient:
                recipe_.PrimaryIngredient = value;
                break;
            case BracketField::Cuisine:
                recipe_.Cuisine = value;
                break;
            case BracketField::UniqueID:
                recipe_.UniqueID = TruncatedInt(ParseQuantity(value));
                break;
        }
        end = std::max(end, close + 1);
    }
    if (end > 0) recipe_.Instructions = Trim(std::string_view(directions_).substr(end));
    ReportDroppedLines();
    EmitRecipe();
}

void MealMasterParser::Finish(bool cancelled, long lastLine) {
    if (phase_ > 0) {
        if (cancelled) {
            ReportCancelled(lastLine);
        } else {
            ReportNoEnd();
        }
    } else if (headerWithoutTitle_ > 0 && !cancelled) {
        ReportNoTitle(headerWithoutTitle_);
    } else if (!anyRecipe_ && !cancelled) {
        Tell("No MealMaster recipes found in this file.", false);
    }
    Reset();
    headerWithoutTitle_ = 0;
}

ImportSummary ImportMealMaster(const std::string& path, RecipeDB& db, ImportProgress& window,
                               const ImportOptions& options) {
    MealMasterParser parser;
    return RunLineImport(path, parser, db, window, options);
}

}  // namespace pantrio
