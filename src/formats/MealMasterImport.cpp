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

// Where the second column of a two-column ingredient block starts: its
// quantity field takes the same seven characters there as the first
// column's at the start of the line.
constexpr std::size_t kSecondColumn = 41;

// An ingredient field by the columns' own test: a quantity of digits,
// slashes and points (or none) that reads as more than zero.
bool IsIngredientField(const std::string& field) {
    const std::string z = Trim(ColumnText(field, 0, 7));
    if (!IsQuantityText(z)) return false;
    const std::size_t dash = z.find('-');
    return z.empty() || ParseQuantity(dash == std::string::npos ? z : z.substr(0, dash)) > 0;
}

// Whether the line sets a second ingredient beside the first: the first
// column's text has ended before the second column, whose field is an
// ingredient of its own with its quantity right-aligned (or only a unit, or a
// continuation). A one-column line that runs long does not pass.
bool HasSecondColumn(const std::string& line) {
    if (CharCount(line) <= kSecondColumn + 8) return false;
    if (!Trim(ColumnText(line, kSecondColumn - 2, kSecondColumn)).empty()) return false;
    const std::string field = ColumnText(line, kSecondColumn);
    if (!IsIngredientField(field) || ColumnText(field, 7, 8) != " ") return false;
    const std::string quantity = ColumnText(field, 0, 7);
    const std::string unit = ColumnText(field, 8, 10);
    const std::string text = Trim(ColumnText(field, 10));
    if (text.empty() || (!Trim(unit).empty() && ColumnText(field, 10, 11) != " ")) return false;
    if (!Trim(quantity).empty()) return quantity.back() != ' ';
    return !Trim(unit).empty() || text.front() == '-';
}

// A line of the ingredient columns: a quantity field of digits, slashes and
// points (or none) followed by a unit and text.
bool IsIngredientLine(const std::string& line) {
    return IsIngredientField(line) && !Trim(ColumnText(line, 8)).empty();
}

// A header label such as "Yield:" or " Servings:" opening the line: words of
// letters ended by a colon.
bool IsLabel(const std::string& line) {
    const std::size_t colon = line.find(':');
    if (colon == std::string::npos) return false;
    const std::string label = Trim(std::string_view(line).substr(0, colon));
    if (label.empty()) return false;
    for (char c : label)
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == ' ')) return false;
    return true;
}

// A label with a number after it: a yield line ("Makes: 2 loaves").
bool IsLabelledNumber(const std::string& line) {
    return IsLabel(line) && line.find_first_of("0123456789", line.find(':')) != std::string::npos;
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
    secondColumn_.clear();
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
        if (at != std::string::npos) {
            // Only the first five names count, as MealMaster writes no more.
            const auto parts = Split(AfterLabel(line, at, 10), ',');
            for (std::size_t i = 0; i < parts.size() && i < 5; ++i) {
                const std::string name = Trim(parts[i]);
                if (!name.empty()) recipe_.AddCategoryName(name);
            }
            return;
        }
        // Files without a categories line go on with the yield or the first
        // ingredient; only a line that is neither stands in for the
        // categories line.
        if (!IsLabelledNumber(line) && !IsIngredientLine(line)) return;
    }
    if (phase_ == 2) {
        phase_ = 3;
        // The yield line, whatever its label (Yield, Servings, Makes, Serves):
        // a number after the first character. A file without one goes
        // straight on with its first ingredient, which is kept.
        const std::size_t at = line.find_first_of("0123456789.", 1);
        if (at != std::string::npos && !IsIngredientLine(line)) {
            ReadYield(line.substr(at));
            return;
        }
        if (IsLabelledNumber(line) || (at == std::string::npos && IsLabel(line))) return;
    }
    HandleBody(line, lineNumber);
}

void MealMasterParser::ReadYield(const std::string& text) {
    recipe_.YieldText = text;
    const auto words = Split(Trim(text), ' ');
    recipe_.YieldNumber = ParseQuantity(words.empty() ? "" : words[0]);
    recipe_.YieldUnit.clear();
    for (std::size_t i = 1; i < words.size(); ++i) {
        if (!words[i].empty()) {
            recipe_.YieldUnit = words[i];
            break;
        }
    }
}

void MealMasterParser::HandleBody(const std::string& line, long lineNumber) {
    if (IsMarkerLine(line)) {
        FlushSecondColumn();
        if (IsEndLine(line)) {
            EndRecipe();
            return;
        }
        if (IsHeaderLine(line)) {
            // The next recipe begins before this one was closed. The open
            // one ends here and is stored as read; the list says so, so the
            // user can check where it was cut.
            Tell(Format("No end line: %s (line %ld).  Closed at the next recipe (line %ld).",
                        recipe_.Title.c_str(), recipeLine_, lineNumber),
                 false);
            EndRecipe();
            headerWithoutTitle_ = lineNumber;
            return;
        }
        return;  // a section line such as MMMMM-----FILLING-----
    }
    if (HandleIngredient(line)) return;
    FlushSecondColumn();
    AddDirections(line);
}

bool MealMasterParser::HandleIngredient(const std::string& line) {
    std::string first = line;
    std::string second;
    if (HasSecondColumn(line)) {
        first = ColumnText(line, 0, kSecondColumn);
        second = ColumnText(line, kSecondColumn);
    }
    if (!IsIngredientField(first)) return false;
    AddIngredient(first, nullptr);
    if (!second.empty()) AddIngredient(second, &secondColumn_);
    return true;
}

void MealMasterParser::AddIngredient(const std::string& field, std::vector<std::string>* later) {
    const std::string z = Trim(ColumnText(field, 0, 7));
    const std::string unit = Trim(ColumnText(field, 8, 10));
    const std::string text = Trim(ColumnText(field, 10));
    if (z.empty() && unit.empty() && text.empty()) return;
    if (later) {
        // The second column's lines follow the first column's, so they wait
        // for the end of the ingredient block; a continuation waits with the
        // line it continues.
        if (!text.empty() && text.front() == '-' && !later->empty())
            later->back() += "\n" + field;
        else
            later->push_back(field);
        return;
    }
    if (!text.empty() && text.front() == '-') {
        // A continuation of the previous ingredient. After lines were dropped
        // for want of room it would land on the wrong line, so it goes too.
        if (recipe_.LinesDropped() == 0) AppendToLastLineNotes(recipe_, text.substr(1));
        return;
    }
    const std::size_t dash = z.find('-');
    const double quantity = ParseQuantity(dash == std::string::npos ? z : z.substr(0, dash));
    std::string name;
    std::string notes;
    SplitNameAndNotes(text, name, notes);
    const int before = recipe_.LineCount();
    if (recipe_.AddLine(false, z, unit, name, notes, quantity, -1, 0, -1) > before &&
        dash != std::string::npos) {
        recipe_.Lines.back().TextQty = z;  // keep a range as written
    }
}

void MealMasterParser::FlushSecondColumn() {
    std::vector<std::string> waiting;
    waiting.swap(secondColumn_);
    for (const std::string& entry : waiting)
        for (const std::string& field : Split(entry, '\n')) AddIngredient(field, nullptr);
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
