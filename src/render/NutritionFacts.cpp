#include "render/NutritionFacts.h"

#include <cmath>

#include "base/Text.h"
#include "nutrition/NutrientValues.h"
#include "render/MarkupSanitizer.h"
#include "render/PageText.h"
#include "render/TemplateCache.h"

namespace pantrio {

namespace {

// "%.0f" that never prints "nan", "inf" or "-0".
std::string Rounded(double value, const char* suffix = "") {
    if (!std::isfinite(value)) value = 0;
    std::string text = Format("%.0f", value);
    if (text == "-0") text = "0";
    return text + suffix;
}

}  // namespace

std::string FillNutritionFacts(const std::string& panelTemplate, const NutrientValues& totals,
                               const std::string& yieldUnit, double yieldNumber) {
    const double s = (std::isfinite(yieldNumber) && yieldNumber > 0) ? yieldNumber : 1;
    const double perServing = 1 / s;
    const double fat = totals.FA_Sat + totals.FA_Mono + totals.FA_Poly;

    const std::string unit =
        ToUpper(yieldUnit) == "SERVINGS" ? std::string("serving") : SanitizeField(yieldUnit);
    std::string caloriesFromFat = "n/a";
    if (totals.Energ_Kcal > 0) {
        double percent = 9 * fat / totals.Energ_Kcal * 100;
        if (percent < 0) percent = 0;
        caloriesFromFat =
            Rounded(9 * fat * perServing) + "  (" + Rounded(percent) + "% of tot cal)";
    }
    const double carbs = (totals.Fiber_TD + totals.Carbohydrt) * perServing;

    std::string page = panelTemplate;
    page = ReplacePlaceholder(page, "@PX_SERVINGSIZE@", "1 " + unit);
    page = ReplacePlaceholder(page, "@PX_SPR@", Rounded(s));
    page = ReplacePlaceholder(page, "@PX_CAL@", Rounded(totals.Energ_Kcal * perServing));
    page = ReplacePlaceholder(page, "@CFF@", caloriesFromFat);
    page = ReplacePlaceholder(page, "@TF@", Rounded(fat * perServing, "g"));
    page = ReplacePlaceholder(page, "@TFPCT@", Rounded(fat * perServing * (1.0 / 65) * 100));
    page = ReplacePlaceholder(page, "@SF@", Rounded(totals.FA_Sat * perServing, "g"));
    page = ReplacePlaceholder(page, "@SFPCT@", Rounded(totals.FA_Sat * perServing * 0.05 * 100));
    page = ReplacePlaceholder(page, "@CH@", Rounded(totals.Cholestrl * perServing, "mg"));
    page = ReplacePlaceholder(page, "@CHPCT@",
                              Rounded(totals.Cholestrl * perServing * (1.0 / 300) * 100));
    page = ReplacePlaceholder(page, "@SO@", Rounded(totals.Sodium * perServing, "mg"));
    page = ReplacePlaceholder(page, "@SOPCT@",
                              Rounded(totals.Sodium * perServing * (1.0 / 2400) * 100));
    page = ReplacePlaceholder(page, "@TC@", Rounded(carbs, "g"));
    page = ReplacePlaceholder(page, "@TCPCT@", Rounded(carbs * (1.0 / 300) * 100));
    page = ReplacePlaceholder(page, "@DF@", Rounded(totals.Fiber_TD * perServing, "g"));
    page = ReplacePlaceholder(page, "@DFPCT@", Rounded(totals.Fiber_TD * perServing * 0.04 * 100));
    page = ReplacePlaceholder(page, "@SU@", Rounded(totals.Carbohydrt * perServing, "g"));
    page = ReplacePlaceholder(page, "@PR@", Rounded(totals.Protein * perServing, "g"));
    page = ReplacePlaceholder(page, "@PRPCT@", Rounded(totals.Protein * perServing * 0.02 * 100));
    page = ReplacePlaceholder(page, "@VAPCT@", Rounded(totals.Vit_A * perServing * 0.001 * 100));
    page =
        ReplacePlaceholder(page, "@VCPCT@", Rounded(totals.Vit_C * perServing * (1.0 / 45) * 100));
    page = ReplacePlaceholder(page, "@CAPCT@",
                              Rounded(totals.Calcium * perServing * (1.0 / 900) * 100));
    page = ReplacePlaceholder(page, "@IRPCT@", Rounded(totals.Iron * perServing * 0.1 * 100));
    return page;
}

std::string RenderNutritionFacts(TemplateCache& templates, const NutrientValues& totals,
                                 const std::string& yieldUnit, double yieldNumber) {
    return FillNutritionFacts(templates.NutritionFacts(), totals, yieldUnit, yieldNumber);
}

}  // namespace pantrio
