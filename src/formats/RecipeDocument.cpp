#include "formats/RecipeDocument.h"

#include <cstdint>
#include <limits>
#include <string_view>

#include "base/Text.h"
#include "formats/XmlDocument.h"
#include "recipe/Quantity.h"
#include "recipe/Recipe.h"

namespace pantrio {

namespace {

// Markers for the recipe's free-text fields: "<", "@" and "&", in that order.
std::string MarkText(const std::string& text) {
    std::string out = ReplaceAll(text, "<", "~~lt");
    out = ReplaceAll(std::move(out), "@", "~~at;");
    return ReplaceAll(std::move(out), "&", "~~amp");
}

// The ingredient line fields carry only the ampersand marker.
std::string MarkLineText(const std::string& text) {
    return ReplaceAll(text, "&", "~~amp");
}

std::string UnmarkText(const std::string& text) {
    return ReplaceAll(UnescapeMarkers(text), "~~amp", "&");
}

// A whole number as the C library reads one: blanks, an optional sign, the
// digits up to the first other character; no digits read as 0. Values beyond
// the range of an int are clamped instead of overflowing.
int ReadInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() &&
           (text[i] == ' ' || text[i] == '\t' || text[i] == '\r' || text[i] == '\n'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    std::int64_t value = 0;
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<int>::max()} + 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > kLimit) value = kLimit;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<int>::max()) value = std::numeric_limits<int>::max();
    return static_cast<int>(value);
}

// A decimal number; the exchange file never writes fractions, so the quantity
// reader serves as a locale-independent decimal conversion.
double ReadDouble(const std::string& text) {
    return ParseQuantity(text);
}

// Reads the fields of the RECIPE element the cursor stands in. Each element
// is searched among the siblings after the one found last, so a field whose
// element is missing keeps the recipe's value.
class FieldReader {
public:
    explicit FieldReader(XmlDocument& doc) : doc_(doc) {}

    void Text(std::string_view name, std::string& field) {
        if (doc_.FindElem(name)) field = UnmarkText(doc_.GetData());
    }
    void Raw(std::string_view name, std::string& field) {
        if (doc_.FindElem(name)) field = doc_.GetData();
    }
    void Number(std::string_view name, double& field) {
        if (doc_.FindElem(name)) field = ReadDouble(doc_.GetData());
    }
    void Whole(std::string_view name, int& field) {
        if (doc_.FindElem(name)) field = ReadInt(doc_.GetData());
    }

private:
    XmlDocument& doc_;
};

void ReadLines(XmlDocument& doc, Recipe& recipe) {
    FieldReader read(doc);
    while (doc.FindElem("INGREDIENTLINE")) {
        doc.IntoElem();
        bool heading = false;
        if (doc.FindElem("BHEADING")) {
            const std::string flag = ToUpper(Trim(doc.GetData()));
            heading = flag == "TRUE" || flag == "1";
        }
        std::string textQty, measure, name, prepNotes;
        double qty = 0, gramWeight = 0;
        int lineOrder = recipe.LineCount() + 1;
        int nutrientID = -1;
        read.Raw("TEXTQTY", textQty);
        read.Text("MEASURE", measure);
        read.Text("NAME", name);
        read.Text("PREPNOTES", prepNotes);
        read.Number("DBLQTY", qty);
        read.Whole("LINEORDER", lineOrder);
        read.Whole("NUTRIENTID", nutrientID);
        read.Number("DBBASERECIPEGMWT", gramWeight);
        const int before = recipe.LineCount();
        // The quantity text is rebuilt from the number; a line beyond the
        // record's limit is refused and counted by the record.
        if (recipe.AddLine(heading, textQty, measure, name, prepNotes, qty, -1, gramWeight,
                           nutrientID) > before)
            recipe.Lines.back().LineOrder = lineOrder;
        doc.OutOfElem();
    }
}

int Refuse(std::string* reason, std::string why) {
    if (reason) *reason = std::move(why);
    return -1;
}

}  // namespace

std::string WriteRecipeDocument(const Recipe& recipe) {
    XmlDocument doc;
    doc.AddElem("RECIPE");
    doc.AddChildElem("TITLE", recipe.Title);
    doc.AddChildElem("YIELDQTY", DecimalText(recipe.YieldNumber, 2));
    doc.AddChildElem("INSTRUCTIONS", MarkText(recipe.Instructions));
    doc.AddChildElem("CUISINE", MarkText(recipe.Cuisine));
    doc.AddChildElem("MAININGREDIENT", MarkText(recipe.PrimaryIngredient));
    doc.AddChildElem("YIELDTEXT", MarkText(recipe.YieldText));
    doc.AddChildElem("YIELDUNIT", MarkText(recipe.YieldUnit));
    doc.AddChildElem("SUBHEAD", MarkText(recipe.SubHead));
    doc.AddChildElem("VARIATIONS", MarkText(recipe.Notes));
    doc.AddChildElem("TASTERATING", WholeNumberText(recipe.TasteRating));
    doc.AddChildElem("EFFORTRATING", WholeNumberText(recipe.EffortRating));
    doc.AddChildElem("APPEARANCERATING", WholeNumberText(recipe.AppearanceRating));
    doc.AddChildElem("AFFORDABLERATING", WholeNumberText(recipe.AffordableRating));

    doc.AddChildElem("INGREDIENTLIST");
    doc.IntoElem();
    for (const IngredientLine& line : recipe.Lines) {
        doc.AddChildElem("INGREDIENTLINE");
        doc.IntoElem();
        doc.AddChildElem("BHEADING", line.bHeading ? "1" : "0");
        doc.AddChildElem("TEXTQTY", MarkLineText(line.TextQty));
        doc.AddChildElem("MEASURE", MarkLineText(line.Measure));
        doc.AddChildElem("NAME", MarkLineText(line.Name));
        doc.AddChildElem("PREPNOTES", MarkLineText(line.PrepNotes));
        doc.AddChildElem("DBLQTY", DecimalText(line.DblQty, 2));
        doc.AddChildElem("LINEORDER", std::to_string(line.LineOrder));
        doc.AddChildElem("NUTRIENTID", std::to_string(line.NutrientID));
        doc.AddChildElem("DBBASERECIPEGMWT", DecimalText(line.BaseRecipeGramWeight, 6));
        doc.OutOfElem();
    }
    doc.OutOfElem();

    doc.AddChildElem("ACTIVEMINUTES", std::to_string(recipe.ActiveMinutes));
    doc.AddChildElem("TOTALMINUTES", std::to_string(recipe.TotalMinutes));
    doc.AddChildElem("CATEGORIES");
    doc.IntoElem();
    for (const std::string& name : recipe.CategoryNames) doc.AddChildElem("CATEGORYNAME", name);
    doc.OutOfElem();
    doc.AddChildElem("UNIQUEID", std::to_string(recipe.UniqueID));
    return doc.GetDoc();
}

int ReadRecipeDocument(Recipe& recipe, const std::string& text, std::string* reason) {
    XmlDocument doc;
    if (!doc.SetDoc(EnsureUtf8(text)))
        return Refuse(reason, doc.GetError().empty() ? "the text is empty"
                                                     : "not well formed (" + doc.GetError() + ")");
    doc.FindElem();
    if (doc.GetTagName() != "RECIPE")
        return Refuse(reason, "the root element is " + doc.GetTagName() + ", not RECIPE");
    doc.IntoElem();
    // The title is the first field; a RECIPE without any field is no recipe.
    if (!doc.FindElem()) return Refuse(reason, "the RECIPE element has no fields");
    recipe.Title = UnmarkText(doc.GetData());

    FieldReader read(doc);
    read.Number("YIELDQTY", recipe.YieldNumber);
    read.Text("INSTRUCTIONS", recipe.Instructions);
    read.Text("CUISINE", recipe.Cuisine);
    read.Text("MAININGREDIENT", recipe.PrimaryIngredient);
    read.Text("YIELDTEXT", recipe.YieldText);
    read.Text("YIELDUNIT", recipe.YieldUnit);
    read.Text("SUBHEAD", recipe.SubHead);
    read.Text("VARIATIONS", recipe.Notes);
    read.Number("TASTERATING", recipe.TasteRating);
    read.Number("EFFORTRATING", recipe.EffortRating);
    read.Number("APPEARANCERATING", recipe.AppearanceRating);
    read.Number("AFFORDABLERATING", recipe.AffordableRating);

    if (doc.FindElem("INGREDIENTLIST")) {
        doc.IntoElem();
        ReadLines(doc, recipe);
        doc.OutOfElem();
    }
    read.Whole("ACTIVEMINUTES", recipe.ActiveMinutes);
    read.Whole("TOTALMINUTES", recipe.TotalMinutes);
    if (doc.FindElem("CATEGORIES")) {
        doc.IntoElem();
        while (doc.FindElem("CATEGORYNAME")) recipe.AddCategoryName(UnmarkText(doc.GetData()));
        doc.OutOfElem();
    }
    read.Whole("UNIQUEID", recipe.UniqueID);
    if (reason) reason->clear();
    return 0;
}

}  // namespace pantrio
