#include "core/MealPlanEntry.h"

#include "base/Text.h"
#include "core/ControllerContext.h"
#include "core/MainDialog.h"
#include "recipe/Quantity.h"
#include "storage/RecipeDB.h"
#include "storage/SupportDB.h"

namespace pantrio {

int AddToPlan(ControllerContext& context, const DateTime& day, int meal, int recipeID, int icon,
              const std::string& scaleText) {
    const long id = context.support.MaxOf("RecipeList", "RecipeListID") + 1;
    const std::string title =
        context.box.QueryText(Format("Select Title from Recipes where RecipeID=%d", recipeID));
    double scale = context.box.QueryDouble(
        Format("Select ScaleMultiple from Recipes where RecipeID=%d", recipeID));
    if (scale < 0) scale = 0;
    return context.support.RunSQL(Format(
        "Insert Into RecipeList(RecipeListID, RecipeDate, MealNumber, RecipeID, Notes, Title, "
        "CookbookFile, Marked, Color, ScaleToMake, ScaleToMakeText) Values(%ld,#%s#,%d,%d,'%s', "
        "'%s', '%s', %d, %d,%s,'%s')",
        id, day.IsoDateText().c_str(), meal, recipeID, "", QuoteSql(title).c_str(),
        QuoteSql(context.main.Boxes().CookbookPath()).c_str(), icon >= 7 ? 1 : 0,
        icon >= 7 ? icon - 7 : icon, DecimalText(scale, 6).c_str(), QuoteSql(scaleText).c_str()));
}

}  // namespace pantrio
