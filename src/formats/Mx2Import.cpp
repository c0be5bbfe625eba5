#include "formats/Mx2Import.h"

#include <filesystem>

#include "base/Text.h"
#include "formats/ImportProgress.h"
#include "formats/ImportStoring.h"
#include "formats/RecipeTextParser.h"
#include "formats/XmlDocument.h"
#include "recipe/Quantity.h"
#include "recipe/Recipe.h"
#include "storage/RecipeDB.h"

namespace pantrio {

namespace {

// A description up to this long is the recipe's subhead; a longer one goes
// to its notes.
constexpr std::size_t kMaxSubHeadChars = 200;

// Decodes XML character references ("&#013;", "&#x2F;"), which MasterCook
// writes for the line ends inside notes. A reference to no valid character
// (zero, a surrogate, beyond U+10FFFF) stays as it stands.
std::string DecodeCharacterReferences(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '&' && i + 2 < text.size() && text[i + 1] == '#') {
            const bool hex = text[i + 2] == 'x' || text[i + 2] == 'X';
            std::size_t j = i + (hex ? 3 : 2);
            unsigned long code = 0;
            const std::size_t digitsFrom = j;
            while (j < text.size() && j - digitsFrom < 8) {
                const char c = text[j];
                int digit = -1;
                if (c >= '0' && c <= '9')
                    digit = c - '0';
                else if (hex && c >= 'a' && c <= 'f')
                    digit = c - 'a' + 10;
                else if (hex && c >= 'A' && c <= 'F')
                    digit = c - 'A' + 10;
                if (digit < 0) break;
                code = code * (hex ? 16 : 10) + static_cast<unsigned long>(digit);
                ++j;
            }
            const bool valid = j > digitsFrom && j < text.size() && text[j] == ';' && code != 0 &&
                               code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
            if (valid) {
                AppendUtf8(out, static_cast<char32_t>(code));
                i = j + 1;
                continue;
            }
        }
        out += text[i++];
    }
    return out;
}

// A field's text: references decoded, trimmed, every line end as CR LF.
std::string FieldText(const std::string& raw) {
    std::string text = ReplaceAll(DecodeCharacterReferences(raw), "\r\n", "\n");
    text = ReplaceAll(std::move(text), "\r", "\n");
    return ReplaceAll(Trim(text), "\n", "\r\n");
}

// "h:mm" as minutes; 0 for anything else.
int ElapsedMinutes(const std::string& text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos) return 0;
    const double hours = ParseQuantity(text.substr(0, colon));
    const double minutes = ParseQuantity(text.substr(colon + 1));
    const double total = hours * 60 + minutes;
    return total > 0 && total < 366.0 * 24 * 60 ? static_cast<int>(total) : 0;
}

void AppendNote(std::string& notes, const std::string& label, const std::string& text) {
    if (text.empty()) return;
    if (!notes.empty()) notes += "\r\n\r\n";
    notes += label + text;
}

void SetYield(Recipe& recipe, const std::string& quantity, const std::string& unit) {
    const double value = ParseQuantity(quantity);
    if (value <= 0) return;
    recipe.YieldNumber = value;
    recipe.YieldUnit = unit.empty() ? "Servings" : CutChars(unit, 50);
    recipe.YieldText = FractionText(value, 8) + " " + recipe.YieldUnit;
}

// The texts of the children called `child` of the main element.
template <typename Use>
void EachChildText(XmlDocument& doc, std::string_view child, Use use) {
    while (doc.FindChildElem(child)) use(FieldText(doc.GetChildData()));
}

}  // namespace

bool LooksLikeMx2(std::string_view head) {
    return FindNoCase(head, "<mx2") != std::string_view::npos;
}

void ReadMx2Recipe(XmlDocument& doc, Recipe& recipe) {
    recipe.RecipeID = -1;
    recipe.Title = CutChars(Trim(FieldText(doc.GetAttrib("name"))), 255);
    std::string source = Trim(FieldText(doc.GetAttrib("author")));
    std::string directions;
    std::string notes;
    std::string yieldQuantity, yieldUnit;
    bool servings = false;

    doc.IntoElem();
    while (doc.FindElem()) {
        const std::string tag = doc.GetTagName();
        if (tag == "Serv") {
            servings = ParseQuantity(doc.GetAttrib("qty")) > 0;
            if (servings) SetYield(recipe, doc.GetAttrib("qty"), "");
        } else if (tag == "Yield") {
            yieldQuantity = doc.GetAttrib("qty");
            yieldUnit = Trim(FieldText(doc.GetAttrib("unit")));
        } else if (tag == "PrpT") {
            recipe.ActiveMinutes = ElapsedMinutes(doc.GetAttrib("elapsed"));
        } else if (tag == "TTim") {
            recipe.TotalMinutes = ElapsedMinutes(doc.GetAttrib("elapsed"));
        } else if (tag == "CatS") {
            EachChildText(doc, "CatT", [&](const std::string& name) {
                recipe.AddCategoryName(CutChars(name, 50));
            });
        } else if (tag == "IngR") {
            const std::string name = Trim(FieldText(doc.GetAttrib("name")));
            if (name.empty()) continue;  // MasterCook writes empty rows between groups
            const std::string code = doc.GetAttrib("code");
            // "S" rows are subtitles of the ingredient list, "T" rows plain text.
            if (code == "S" || code == "T") {
                recipe.AddLine(true, "", "", name, "", 0);
                continue;
            }
            std::string preparation;
            EachChildText(doc, "IPrp", [&](const std::string& text) {
                if (!text.empty()) preparation += (preparation.empty() ? "" : " ") + text;
            });
            const std::string quantity = Trim(doc.GetAttrib("qty"));
            recipe.AddLine(false, quantity, Trim(FieldText(doc.GetAttrib("unit"))), name,
                           preparation, ParseQuantity(quantity));
        } else if (tag == "DirS") {
            EachChildText(doc, "DirT", [&](const std::string& step) {
                if (step.empty() || directions.size() > RecipeTextParser::kMaxDirectionsBytes)
                    return;
                if (!directions.empty()) directions += "\r\n";
                directions += step;
            });
        } else if (tag == "Desc") {
            const std::string text = FieldText(doc.GetData());
            if (CharCount(text) <= kMaxSubHeadChars && text.find('\n') == std::string::npos)
                recipe.SubHead = text;
            else
                AppendNote(notes, "", text);
        } else if (tag == "Natn") {
            recipe.Cuisine = CutChars(FieldText(doc.GetData()), 50);
        } else if (tag == "Srce") {
            const std::string text = FieldText(doc.GetData());
            if (!text.empty() && text != source) source += (source.empty() ? "" : ", ") + text;
        } else if (tag == "Note") {
            AppendNote(notes, "", FieldText(doc.GetData()));
        } else if (tag == "SrvI") {
            AppendNote(notes, "Serving ideas: ", FieldText(doc.GetData()));
        } else if (tag == "Wine") {
            AppendNote(notes, "Suggested wine: ", FieldText(doc.GetData()));
        }
    }
    doc.OutOfElem();

    if (!servings) SetYield(recipe, yieldQuantity, yieldUnit);
    recipe.Source = CutChars(source, 255);
    recipe.Instructions = directions;
    recipe.Notes = notes;
}

ImportSummary ImportMx2(const std::string& path, RecipeDB& db, ImportProgress& window,
                        const ImportOptions& options) {
    ImportSummary counts;
    std::string bytes;
    if (!ReadImportFile(path, kMaxMx2Bytes, window, bytes, counts)) return counts;
    const std::string fileName = std::filesystem::path(path).filename().string();
    // MX2 files declare ISO-8859-1; bytes that are not UTF-8 are read as
    // Windows-1252, its superset.
    XmlDocument doc;
    if (!doc.SetDoc(EnsureUtf8(bytes)) || !doc.FindElem() ||
        !EqualsNoCase(doc.GetTagName(), "mx2")) {
        const std::string why = doc.GetError().empty() ? "no mx2 element" : doc.GetError();
        counts.notices.push_back(
            {fileName + " could not be read as a MasterCook MX2 file: " + why + ".", "Import",
             ImportNotice::Kind::Plain});
        return counts;
    }

    window.Show();
    window.SetPosition(0);
    ImportTransaction transaction(db, window, counts);
    const std::size_t size = doc.GetDoc().size();
    doc.IntoElem();
    while (doc.FindElem("RcpE")) {
        if (ImportCancelled(window, counts)) break;
        ++counts.recipesFound;
        Recipe recipe;
        recipe.LongFormUnits = options.longFormUnits;
        ReadMx2Recipe(doc, recipe);
        if (recipe.Title.empty()) {
            ++counts.notStored;
            AddImportMessage(window, Format("Recipe %ld of %s has no name.  Not added.",
                                            counts.recipesFound, fileName.c_str()));
            continue;
        }
        window.SetStatus("Importing " + recipe.Title);
        if (recipe.LinesDropped() > 0)
            AddImportMessage(
                window, Format("More than %d ingredient lines: %s.  Only the first %d were added.",
                               Recipe::kMaxLines, recipe.Title.c_str(), Recipe::kMaxLines));
        transaction.Store(recipe);
        window.SetPosition(
            static_cast<int>(static_cast<std::size_t>(doc.GetElemOffset()) * 100 / size));
    }
    transaction.Finish();
    window.Hide();
    if (counts.recipesFound == 0)
        counts.notices.push_back(
            {fileName + " holds no MasterCook recipes.", "Import", ImportNotice::Kind::Plain});
    return counts;
}

}  // namespace pantrio
