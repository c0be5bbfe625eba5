#include "formats/ShoppingListFile.h"

#include <charconv>
#include <cmath>

#include "base/Text.h"
#include "formats/XmlDocument.h"
#include "recipe/Quantity.h"
#include "recipe/Recipe.h"

namespace pantrio {

namespace {

// The leading whole number of `text`, 0 when it has none.
int LeadingNumber(const std::string& text) {
    const std::string t = Trim(text);
    std::size_t i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) negative = t[i++] == '-';
    long long value = 0;
    for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i)
        if (value < 0x7fffffff) value = value * 10 + (t[i] - '0');
    if (value > 0x7fffffff) value = 0x7fffffff;
    return static_cast<int>(negative ? -value : value);
}

// A decimal number as written, to the last digit; quantity text ("1 1/2")
// as the quantity reader takes it.
double ReadQuantity(const std::string& text) {
    const std::string t = Trim(text);
    double value = 0;
    const auto [end, error] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (error == std::errc() && end == t.data() + t.size() && std::isfinite(value)) return value;
    return ParseQuantity(t);
}

}  // namespace

std::string ShoppingListDocument(const ShoppingItems& items, const std::string& saveDate) {
    XmlDocument doc;
    doc.AddElem("SHOPPINGLIST");
    doc.IntoElem();
    doc.AddElem("SAVEDATE", saveDate);
    for (const ShoppingItem& item : items.Items()) {
        doc.AddElem("SHOPPINGLISTID", std::to_string(item.ShoppingListID));
        // Every digit the quantity needs, so a third comes back as a third.
        doc.AddElem("QTYTOBUY", ExactDecimalText(item.QtyToBuy));
        doc.AddElem("UNITOFMEASURE", EscapeMarkers(item.UnitOfMeasure));
        doc.AddElem("ITEMNAME", EscapeMarkers(item.ItemName));
        doc.AddElem("NOTES", EscapeMarkers(item.Notes));
        doc.AddElem("INGREDIENTLINEID", std::to_string(item.IngredientLineID));
        doc.AddElem("RECIPEID", std::to_string(item.RecipeID));
        doc.AddElem("COOKBOOKFILE", EscapeMarkers(item.CookbookFile));
        doc.AddElem("RECIPETITLE", EscapeMarkers(item.RecipeTitle));
        doc.AddElem("INGREDIENTMASTERID", std::to_string(item.IngredientMasterID));
        doc.AddElem("TEXTQTY", EscapeMarkers(item.TextQty));
        doc.AddElem("DEPT", EscapeMarkers(item.Dept));
    }
    return doc.GetDoc();
}

bool ReadShoppingListDocument(const std::string& text, ShoppingItems& items) {
    XmlDocument doc;
    if (!doc.SetDoc(text) || !doc.FindElem("SHOPPINGLIST")) return false;
    doc.IntoElem();
    doc.FindElem("SAVEDATE");
    while (doc.FindElem("SHOPPINGLISTID")) {
        ShoppingItem item;
        item.ShoppingListID = LeadingNumber(doc.GetData());
        auto text = [&](const char* name, std::string& field) {
            if (doc.FindElem(name)) field = UnescapeMarkers(doc.GetData());
        };
        auto number = [&](const char* name, int& field) {
            if (doc.FindElem(name)) field = LeadingNumber(doc.GetData());
        };
        if (doc.FindElem("QTYTOBUY")) item.QtyToBuy = ReadQuantity(doc.GetData());
        text("UNITOFMEASURE", item.UnitOfMeasure);
        text("ITEMNAME", item.ItemName);
        text("NOTES", item.Notes);
        number("INGREDIENTLINEID", item.IngredientLineID);
        number("RECIPEID", item.RecipeID);
        text("COOKBOOKFILE", item.CookbookFile);
        text("RECIPETITLE", item.RecipeTitle);
        number("INGREDIENTMASTERID", item.IngredientMasterID);
        text("TEXTQTY", item.TextQty);
        text("DEPT", item.Dept);
        items.Add(std::move(item));
    }
    return true;
}

}  // namespace pantrio
