#include "formats/MealMasterImport.h"

#include <climits>

#include "base/Prompter.h"
#include "base/Text.h"
#include "formats/ImportProgress.h"
#include "formats/LineReader.h"
#include "recipe/IngredientText.h"
#include "recipe/Quantity.h"
#include "storage/RecipeDB.h"

namespace pantrio {

// ------------------------------------------------------------ shared helpers

std::string TitleCase(std::string_view text) {
    std::string out(text);
    bool startOfWord = true;
    for (char& c : out) {
        if (startOfWord) {
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        } else if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
        startOfWord = c == ' ';
    }
    return out;
}

void SplitNameAndNotes(const std::string& text, std::string& name, std::string& notes) {
    const std::string cleaned = Trim(ReplaceAll(text, "--", ";"));
    const std::size_t cut = cleaned.find_first_of(",;(");
    name = Trim(std::string_view(cleaned).substr(0, cut));
    notes.clear();
    if (cut != std::string::npos) {
        for (std::size_t i = cut; i < cleaned.size(); ++i) {
            const char c = cleaned[i];
            if (c != ')' && c != ',' && c != ';' && c != '(') notes += c;
        }
        notes = Trim(notes);
    }
    if (name.empty() && !notes.empty()) name.swap(notes);
}

std::string ColumnText(std::string_view line, std::size_t from, std::size_t to) {
    std::size_t index = 0;  // character index of the byte at i
    std::size_t begin = std::string_view::npos;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if ((static_cast<unsigned char>(line[i]) & 0xC0) == 0x80) continue;  // continuation
        if (index == from) begin = i;
        if (index == to)
            return begin == std::string_view::npos ? std::string()
                                                   : std::string(line.substr(begin, i - begin));
        ++index;
    }
    if (begin == std::string_view::npos) return {};
    return std::string(line.substr(begin));
}

// ------------------------------------------------------------ the bulk import

namespace {

// Recipes stored between two commits of a bulk import: few enough that a
// crash loses little work, many enough that disk syncs do not limit speed.
constexpr long kRecipesPerCommit = 5000;

void AddMessage(ImportProgress& window, const std::string& text) {
    ListRow row;
    row.text = text;
    window.Messages().AddRow(std::move(row));
    window.Messages().Redraw();
}

}  // namespace

int RunLineImport(const std::string& path, RecipeTextParser& parser, RecipeDB& db,
                  ImportProgress& window, Prompter* prompter, ImportSummary* summary) {
    ImportSummary local;
    ImportSummary& counts = summary ? *summary : local;
    counts = ImportSummary{};

    window.SetCancelled(false);
    LineReader reader;
    if (!reader.Open(path)) {
        window.Hide();
        if (prompter) prompter->Message(Format("Failed to open %s", path.c_str()));
        return 0;
    }
    std::string line;
    if (!reader.Next(line)) return -1;
    window.SetPosition(0);
    int shownPercent = 0;

    bool inTransaction = db.BeginTransaction();
    long sinceCommit = 0;
    parser.onTitle = [&](const std::string& title) {
        ++counts.recipesFound;
        window.SetStatus(title);
    };
    parser.onMessage = [&](const std::string& message, bool dropped) {
        if (dropped) ++counts.notStored;
        AddMessage(window, message);
    };
    parser.onRecipe = [&](Recipe& recipe) {
        if (db.SaveAsNew(recipe, &window.Messages()) == 0) {
            ++counts.stored;
        } else {
            ++counts.notStored;
        }
        if (++sinceCommit >= kRecipesPerCommit && inTransaction) {
            sinceCommit = 0;
            if (!db.CommitTransaction()) {
                AddMessage(window, "Could not store the recipes read so far: " + db.ErrorReport());
            }
            inTransaction = db.BeginTransaction();
        }
    };

    bool more = true;
    while (more) {
        window.Breathe();
        if (window.Cancelled()) {
            counts.cancelled = true;
            break;
        }
        if (reader.LastLineCut()) {
            AddMessage(window, Format("Line %ld is longer than %zu characters; the rest of it "
                                      "was skipped.",
                                      reader.LineNumber(), LineReader::kMaxLineBytes));
        }
        parser.Feed(line, reader.LineNumber());
        const int percent = reader.Percent();
        if (percent != shownPercent) {
            shownPercent = percent;
            window.SetPosition(percent);
        }
        more = reader.Next(line);
    }
    counts.linesRead = reader.LineNumber();
    if (reader.ReadError()) {
        AddMessage(window,
                   Format("The file could not be read after line %ld.", reader.LineNumber()));
    }
    parser.Finish(counts.cancelled,
                  counts.cancelled ? reader.LineNumber() - 1 : reader.LineNumber());
    reader.Close();

    if (inTransaction && !db.CommitTransaction()) {
        AddMessage(window, "Could not store the recipes read: " + db.ErrorReport());
        db.RollbackTransaction();
        counts.notStored += counts.stored;
        counts.stored = 0;
    }
    parser.onRecipe = nullptr;
    parser.onMessage = nullptr;
    parser.onTitle = nullptr;
    window.Hide();
    return 0;
}

// ------------------------------------------------------------ MealMaster

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

bool IsBlank(const std::string& line) {
    return line.find_first_not_of(" \t") == std::string::npos;
}

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

void MealMasterParser::Reset() {
    recipe_ = Recipe();
    recipe_.LongFormUnits = longFormUnits;
    directions_.clear();
    paragraphPending_ = false;
    directionsTooLong_ = false;
    phase_ = 0;
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
            if (headerWithoutTitle_ > 0) {
                Tell(Format("No title in the recipe at line %ld.  Not added.", headerWithoutTitle_),
                     true);
            }
            headerWithoutTitle_ = lineNumber;
            return;
        }
        if (IsMarkerLine(line) && IsEndLine(line)) {
            if (headerWithoutTitle_ > 0) {
                Tell(Format("No title in the recipe at line %ld.  Not added.", headerWithoutTitle_),
                     true);
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
            EndRecipe(lineNumber);
            return;
        }
        if (IsHeaderLine(line)) {
            // The next recipe begins before this one was closed: its end is
            // unknown, so it is not stored.
            Tell(Format("No end line: %s (line %ld).  Not added.", recipe_.Title.c_str(),
                        recipeLine_),
                 true);
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

void MealMasterParser::AddDirections(const std::string& line) {
    if (directionsTooLong_) return;
    if (!directions_.empty()) directions_ += paragraphPending_ ? "\r\n\r\n" : "\r\n";
    paragraphPending_ = false;
    directions_ += TrimRight(line);
    if (directions_.size() > kMaxDirectionsBytes) directionsTooLong_ = true;
}

void MealMasterParser::EndRecipe(long lineNumber) {
    (void)lineNumber;
    if (directionsTooLong_) {
        Tell(Format("Directions longer than %zu characters: %s (line %ld).  Not added.",
                    kMaxDirectionsBytes, recipe_.Title.c_str(), recipeLine_),
             true);
        Reset();
        return;
    }
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
    if (recipe_.LinesDropped() > 0) {
        Tell(Format("More than %d ingredient lines: %s (line %ld).  Only the first %d were added.",
                    Recipe::kMaxLines, recipe_.Title.c_str(), recipeLine_, Recipe::kMaxLines),
             false);
    }
    recipe_.RecipeID = -1;
    Emit(recipe_);
    Reset();
}

void MealMasterParser::Finish(bool cancelled, long lastLine) {
    if (phase_ > 0) {
        if (cancelled) {
            Tell(Format("Cancelled after line %ld: %s (line %ld).  Not added.", lastLine,
                        recipe_.Title.c_str(), recipeLine_),
                 true);
        } else {
            Tell(Format("No end line: %s (line %ld).  Not added.", recipe_.Title.c_str(),
                        recipeLine_),
                 true);
        }
    } else if (headerWithoutTitle_ > 0 && !cancelled) {
        Tell(Format("No title in the recipe at line %ld.  Not added.", headerWithoutTitle_), true);
    } else if (!anyRecipe_ && !cancelled) {
        Tell("No MealMaster recipes found in this file.", false);
    }
    Reset();
    headerWithoutTitle_ = 0;
}

int ImportMealMaster(const std::string& path, RecipeDB& db, ImportProgress& window,
                     Prompter* prompter, ImportSummary* summary, bool longFormUnits) {
    MealMasterParser parser;
    parser.longFormUnits = longFormUnits;
    return RunLineImport(path, parser, db, window, prompter, summary);
}

}  // namespace pantrio
