#include "core/Tips.h"

namespace pantrio {

std::vector<std::string> Tips(const std::string& serviceName) {
    return {
        "Help other cooks find great recipes!  Rate the recipes you make, add their nutrition "
        "content, and post your new recipes to " +
            serviceName + " with the \"Post Recipe\" button.",
        serviceName +
            " holds over 100,000 recipes shared by other cooks.  Search them from the Find "
            "Recipes dialog, or browse them in the web view.",
        "The nutritional content of recipes needs to be set only once.",
        "Got some leftovers?  Let Pantrio suggest what to make.  See \"Tools/Leftover Wizard\".",
        "You can quickly see what ingredients are required for recipes on your shopping list by "
        "simply clicking each recipe in the lower list.",
        "Email recipes to friends!  Simply select a recipe, and click \"Send\".",
        "Browse through recipes with the \"Ingredient\" and \"Cuisine\" views in the bar on the "
        "far left.",
        "Found a recipe you like on " + serviceName +
            "?  Press the \"Import\" button above the web view to copy it into your recipe box.  "
            "The button is enabled only on pages that hold a recipe Pantrio can import.",
        "You can mark or unmark recipes by simply clicking on the recipe icon.",
        "Create a shopping list quickly!  Simply drag recipes from the search results onto the "
        "shopping list and you're off!",
        "Create a meal plan quickly!  Simply drag recipes from the search results onto the "
        "calendar.",
        "You can import a recipe from the web, or a Word document, quickly with the Screen "
        "Import feature, located in the Tools menu.",
        "Go quickly to recipes in your Recipe Box by typing the first letter of the recipe.  "
        "Pantrio will immediately move you to recipes beginning with that letter.",
        "Import recipes from text files or paste them from the Internet with the handy Screen "
        "Import feature!  Simply copy the text of the recipe you'd like to add to the clipboard, "
        "then choose Screen Import on the Edit menu.  Tell Pantrio what part of the text is the "
        "Title, Ingredient List and Instructions, and Pantrio will instantly import the recipe!",
        "Mark an ingredient line as a heading, and it won't be copied onto the shopping list.",
        "The Pantrio archives let you browse by keyword, main ingredient, and more.",
        "Share a complete recipe box with anyone simply by zipping up the folder with the CRB "
        "file and the pictures subfolder",
    };
}

}  // namespace pantrio
