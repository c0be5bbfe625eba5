#include "core/RecipePosting.h"

#include <array>
#include <string_view>

#include "base/Text.h"
#include "formats/RecipeDocument.h"
#include "formats/XmlEscapes.h"
#include "recipe/Recipe.h"
#include "render/RenderRecipePage.h"

namespace pantrio {

std::string PostingDocument(const std::string& exchangeDocument) {
    return ReplaceAll(ReplaceAll(exchangeDocument, "'", "~quote"), "\"", "~doublequote");
}

PostingFields MakePostingFields(const Recipe& recipe, int theme, RenderContext& context) {
    PostingFields fields;
    fields.title = recipe.Title;
    fields.recipehtml = RenderRecipePage(recipe, RecipePageOptions::PostedPage(theme), context);
    fields.recipexml = PostingDocument(WriteRecipeDocument(recipe));
    return fields;
}

std::string FillPostingPage(const std::string& page, const PostingFields& fields,
                            const std::string& serviceURL) {
    const std::array<std::pair<std::string_view, const std::string*>, 4> placeholders = {{
        {"@RECIPETITLE", &fields.title},
        {"@RECIPEHTML", &fields.recipehtml},
        {"@RECIPEXML", &fields.recipexml},
        {"@SERVICEURL", &serviceURL},
    }};
    std::string filled;
    filled.reserve(page.size() + fields.recipehtml.size() + fields.recipexml.size());
    std::size_t at = 0;
    while (at < page.size()) {
        const std::size_t sign = page.find('@', at);
        if (sign == std::string::npos) break;
        filled.append(page, at, sign - at);
        at = sign;
        bool replaced = false;
        for (const auto& [name, value] : placeholders) {
            if (page.compare(sign, name.size(), name) != 0) continue;
            filled += EscapeXmlAttribute(*value);
            at = sign + name.size();
            replaced = true;
            break;
        }
        if (!replaced) filled += page[at++];
    }
    filled.append(page, at, std::string::npos);
    return filled;
}

std::optional<std::string> AssignedNumberText(const std::string& source) {
    static constexpr std::string_view kMarker = "<!--@CRFASSIGNUNIQUEID=";
    const std::size_t at = FindNoCase(source, kMarker);
    if (at == std::string::npos) return std::nullopt;
    const std::size_t from = at + kMarker.size();
    const std::size_t end = source.find("-->", from);
    return source.substr(from, end == std::string::npos ? std::string::npos : end - from);
}

}  // namespace pantrio
