#include "formats/MxpImport.h"

#include "base/Text.h"
#include "formats/LineImport.h"
#include "formats/RecipeTextFields.h"
#include "recipe/Quantity.h"

namespace pantrio {

namespace {

// Fixed character positions of MasterCook's text export.
constexpr std::size_t kSourceFrom = 15;    // "Recipe By     : "
constexpr std::size_t kServingsFrom = 15;  // "Serving Size  : 8"
constexpr std::size_t kServingsTo = 21;
constexpr std::size_t kCategoryFrom = 16;  // "Categories    : Desserts"
constexpr std::size_t kSecondCategoryFrom = 47;
constexpr std::size_t kAmountFrom = 1;  // "   1 1/2  ounces        Vodka"
constexpr std::size_t kAmountTo = 9;
constexpr std::size_t kUnitFrom = 10;
constexpr std::size_t kUnitTo = 24;
constexpr std::size_t kIngredientFrom = 24;

// "* Exported from MasterCook *", and the banner some other programs write
// for this format ("----- Exported by ... [Master Cook Export Format] -----").
bool IsBanner(const std::string& line) {
    if (line.find("Exported") == std::string::npos) return false;
    return line.find('*') != std::string::npos ||
           FindNoCase(line, "Master Cook Export") != std::string::npos;
}

// MasterCook's closing rule under the directions.
bool IsClosingRule(const std::string& line) {
    return line.find("- - - - - ") != std::string::npos;
}

}  // namespace

std::string ExpandTabs(const std::string& line) {
    if (line.find('\t') == std::string::npos) return line;
    std::string out;
    out.reserve(line.size() + 16);
    std::size_t column = 0;
    for (char c : line) {
        if (c == '\t') {
            do {
                out += ' ';
                ++column;
            } while (column % 8 != 0);
            continue;
        }
        out += c;
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++column;
    }
    return out;
}

MxpParser::MxpParser() {
    Reset();
}

void MxpParser::Start(long lineNumber) {
    Reset();
    recipeLine_ = lineNumber;
    anyRecipe_ = true;
    phase_ = 1;
}

void MxpParser::Store() {
    if (DropIfDirectionsTooLong()) return;
    ReportDroppedLines();
    recipe_.Instructions = directions_;
    EmitRecipe();
}

void MxpParser::Feed(const std::string& rawLine, long lineNumber) {
    const std::string line = ExpandTabs(rawLine);
    if (IsBlank(line)) {
        if (phase_ == 4) {
            phase_ = 5;
        } else if (phase_ == 6) {
            phase_ = 7;
        } else if (phase_ == 7 && !directions_.empty()) {
            paragraphPending_ = true;
        }
        return;
    }
    if (IsBanner(line)) {
        if (phase_ == 1) {
            ReportNoTitle(recipeLine_);
        } else if (phase_ >= 2) {
            Store();
        }
        Start(lineNumber);
        return;
    }
    switch (phase_) {
        case 0:
            return;
        case 1:
            recipe_.Title = TitleCase(Trim(line));
            Began(recipe_.Title);
            phase_ = 2;
            return;
        case 2:
            phase_ = 3;
            if (line.find("Recipe By") != std::string::npos) {
                recipe_.Source = Trim(ColumnText(line, kSourceFrom));
                return;
            }
            [[fallthrough]];  // no "Recipe By" line: this may be the serving line
        case 3:
            phase_ = 4;
            if (line.find("Serving") != std::string::npos) {
                const std::string servings = ColumnText(line, kServingsFrom, kServingsTo);
                recipe_.YieldNumber = ParseQuantity(servings);
                recipe_.YieldUnit = "Servings";
                recipe_.YieldText = Trim(servings) + " Servings";
                return;
            }
            [[fallthrough]];  // no serving line: this is the first categories line
        case 4: {
            const std::string first = Trim(ColumnText(line, kCategoryFrom, kSecondCategoryFrom));
            if (!first.empty()) recipe_.AddCategoryName(first);
            if (CharCount(line) >= kSecondCategoryFrom) {
                recipe_.AddCategoryName(Trim(ColumnText(line, kSecondCategoryFrom)));
            }
            return;
        }
        case 5:
            if (line.find("---") != std::string::npos) phase_ = 6;
            return;
        case 6: {
            const double quantity = ParseQuantity(ColumnText(line, kAmountFrom, kAmountTo));
            const std::string unit = Trim(ColumnText(line, kUnitFrom, kUnitTo));
            std::string name;
            std::string notes;
            SplitNameAndNotes(ColumnText(line, kIngredientFrom), name, notes);
            recipe_.AddLine(false, "", unit, name, notes, quantity, -1, 0, 0);
            return;
        }
        default:
            if (IsClosingRule(line)) {
                if (!directionsTooLong_) directions_ += "\r\n";
                paragraphPending_ = false;
            } else {
                AddDirections(line);
            }
            return;
    }
}

void MxpParser::Finish(bool cancelled, long lastLine) {
    if (phase_ >= 1 && cancelled) {
        // A recipe read only in part is never stored.
        ReportCancelled(lastLine);
    } else if (phase_ == 1) {
        ReportNoTitle(recipeLine_);
    } else if (phase_ >= 2) {
        Store();  // the last recipe runs to the end of the file
    } else if (!anyRecipe_ && !cancelled) {
        Tell("No MasterCook recipes found in this file.", false);
    }
    Reset();
}

ImportSummary ImportMasterCook(const std::string& path, RecipeDB& db, ImportProgress& window,
                               const ImportOptions& options) {
    MxpParser parser;
    return RunLineImport(path, parser, db, window, options);
}

}  // namespace pantrio
