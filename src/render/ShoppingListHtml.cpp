#include "render/ShoppingListHtml.h"

#include "base/Text.h"
#include "recipe/Quantity.h"
#include "render/MarkupSanitizer.h"

namespace pantrio {

std::string ShoppingListHtml(const std::vector<PrintedShoppingItem>& items) {
    std::string html =
        "<table border=0 cellpadding=1 cellspacing=0><tr><td bgcolor=#EEEEEE "
        "width=30%>&nbsp;&nbsp;&nbsp;&nbsp;<U><B>Item</B></U></td><td bgcolor=#EEEEEE "
        "width=30%><U><B>Dept</B></U></td></tr>";
    for (const PrintedShoppingItem& item : items) {
        std::string quantity = FractionText(ParseQuantity(Format("%.4f", item.QtyToBuy)), 16);
        if (Trim(quantity) == "0") quantity.clear();
        if (Trim(quantity + item.ItemName + item.Notes).empty()) continue;
        html += "<TR><TD><FONT SIZE=-1>___ " + SanitizeField(item.ItemName) + "&nbsp;" +
                SanitizeField(item.Notes) + "&nbsp;&nbsp;";
        const std::string unit = Trim(quantity + " " + item.UnitOfMeasure);
        html += unit.empty() ? "</FONT></TD>" : "(" + SanitizeField(unit) + ")</FONT></TD>";
        html += "<TD><FONT SIZE=-1>" + SanitizeField(item.Dept) + "</FONT></TD> </TR>";
    }
    return html + "</TABLE>";
}

}  // namespace pantrio
