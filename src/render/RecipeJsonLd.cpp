#include "render/RecipeJsonLd.h"

#include <cmath>
#include <nlohmann/json.hpp>

#include "base/Text.h"
#include "formats/WebPageScan.h"
#include "recipe/Quantity.h"
#include "recipe/Recipe.h"

namespace pantrio {

namespace {

using Json = nlohmann::ordered_json;

// A scale factor that a record not loaded from a box may carry as 0.
double ScaleOf(const Recipe& recipe) {
    const double scale = recipe.ScaleMultiple;
    return (std::isfinite(scale) && scale > 0) ? scale : 1.0;
}

// A quantity as a reader of the page takes it: a common fraction where one
// is exact ("1 1/2"), otherwise a decimal with a point.
std::string QuantityText(double value) {
    if (!std::isfinite(value) || value <= 0) return {};
    if (Approximate(value, 16).error < 1e-9) return FractionText(value, 16);
    std::string text = DecimalText(value, 3);
    while (!text.empty() && text.back() == '0') text.pop_back();
    if (!text.empty() && text.back() == '.') text.pop_back();
    return text;
}

// The text a browser shows for a field, on one line.
std::string LineOf(const std::string& field) {
    std::string text = PlainTextOfMarkup(field);
    for (char& c : text)
        if (c == '\n' || c == '\r') c = ' ';
    return Trim(text);
}

bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Readers of schema.org data take its texts as markup. So that they read the
// text itself, "<" is written as "&lt;" and an "&" that could open a
// character reference as "&amp;"; other text stays as it is.
std::string ForReaders(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (c == '<')
            out += "&lt;";
        else if (c == '&' && (IsAsciiLetter(next) || next == '#'))
            out += "&amp;";
        else
            out += c;
    }
    return out;
}

std::string JoinWords(const std::vector<std::string>& words) {
    std::string joined;
    for (const std::string& word : words) {
        if (word.empty()) continue;
        if (!joined.empty()) joined += ' ';
        joined += word;
    }
    return joined;
}

// An ingredient line as the page reads it. Preparation notes follow the name
// after a comma unless they open with punctuation of their own, so that a
// reader splits them off again.
std::string LineText(const IngredientLine& line, double scale) {
    const std::string name = LineOf(line.Name);
    std::string notes = LineOf(line.PrepNotes);
    if (line.bHeading) return JoinWords({name, notes});
    std::string quantity;
    if (scale == 1.0 && !Trim(line.TextQty).empty())
        quantity = Trim(line.TextQty);
    else
        quantity = QuantityText(line.DblQty * scale);
    std::string text = JoinWords({quantity, LineOf(line.Measure), name});
    if (!notes.empty()) {
        // Without a quantity a reader takes the first word as the name and
        // the rest as notes, so no comma goes between them.
        const bool ownPunctuation = notes.find_first_of(",;([") == 0;
        text += ownPunctuation || quantity.empty() || name.empty() ? " " + notes : ", " + notes;
    }
    return ForReaders(Trim(text));
}

// One HowToStep per paragraph; paragraphs are separated by empty lines.
Json Steps(const std::string& instructions) {
    Json steps = Json::array();
    std::string paragraph;
    auto flush = [&] {
        if (!paragraph.empty())
            steps.push_back({{"@type", "HowToStep"}, {"text", ForReaders(paragraph)}});
        paragraph.clear();
    };
    // Empty lines of the text part it first; a part's markup then gives its lines.
    std::string part;
    auto flushPart = [&] {
        for (const std::string& raw : Split(PlainTextOfMarkup(part), '\n')) {
            const std::string line = Trim(raw);
            if (line.empty()) continue;
            if (!paragraph.empty()) paragraph += '\n';
            paragraph += line;
        }
        part.clear();
        flush();
    };
    for (const std::string& line : Split(instructions, '\n')) {
        if (Trim(line).empty()) {
            flushPart();
            continue;
        }
        part += line;
        part += '\n';
    }
    flushPart();
    return steps;
}

Json RecipeObject(const Recipe& recipe, const std::string& imageAddress) {
    const double scale = ScaleOf(recipe);
    Json object;
    object["@context"] = "https://schema.org";
    object["@type"] = "Recipe";
    object["name"] = ForReaders(LineOf(recipe.Title));
    if (const std::string subHead = LineOf(recipe.SubHead); !subHead.empty())
        object["description"] = ForReaders(subHead);
    if (!Trim(imageAddress).empty()) object["image"] = Trim(imageAddress);
    if (const std::string source = LineOf(recipe.Source); !source.empty())
        object["author"] = {{"@type", "Person"}, {"name", ForReaders(source)}};

    const double yield = recipe.YieldNumber * scale;
    if (const std::string number = QuantityText(yield); !number.empty())
        object["recipeYield"] = ForReaders(JoinWords({number, LineOf(recipe.YieldUnit)}));

    std::vector<std::string> keywords;
    for (const std::string& name : recipe.CategoryNames)
        if (std::string word = LineOf(name); !word.empty()) keywords.push_back(ForReaders(word));
    if (!keywords.empty()) {
        object["recipeCategory"] = keywords;
        std::string joined;
        for (const std::string& word : keywords) joined += (joined.empty() ? "" : ", ") + word;
        object["keywords"] = joined;
    }
    if (const std::string cuisine = LineOf(recipe.Cuisine); !cuisine.empty())
        object["recipeCuisine"] = ForReaders(cuisine);

    const int active = std::max(recipe.ActiveMinutes, 0);
    const int total = std::max(recipe.TotalMinutes, 0);
    if (active > 0) object["prepTime"] = IsoDuration(active);
    if (total > active && active > 0) object["cookTime"] = IsoDuration(total - active);
    if (total > 0) object["totalTime"] = IsoDuration(total);

    Json lines = Json::array();
    for (const IngredientLine& line : recipe.Lines)
        if (std::string text = LineText(line, scale); !text.empty()) lines.push_back(text);
    object["recipeIngredient"] = std::move(lines);
    if (Json steps = Steps(recipe.Instructions); !steps.empty())
        object["recipeInstructions"] = std::move(steps);
    return object;
}

// The document's text with "<", ">" and "&" written as escapes. They can
// stand only inside JSON strings, where the escape means the same character.
// Bytes that are not UTF-8 become U+FFFD instead of failing the dump.
std::string EscapedText(const Json& document, int indent) {
    const std::string text = document.dump(indent, ' ', false, Json::error_handler_t::replace);
    std::string out;
    out.reserve(text.size() + 16);
    for (const char c : text) {
        switch (c) {
            case '<':
                out += "\\u003c";
                break;
            case '>':
                out += "\\u003e";
                break;
            case '&':
                out += "\\u0026";
                break;
            default:
                out += c;
        }
    }
    return out;
}

}  // namespace

std::string IsoDuration(int minutes) {
    if (minutes < 0) minutes = 0;
    const int hours = minutes / 60;
    const int rest = minutes % 60;
    std::string text = "PT";
    if (hours > 0) text += std::to_string(hours) + "H";
    if (rest > 0 || hours == 0) text += std::to_string(rest) + "M";
    return text;
}

bool HasJsonLd(const Recipe& recipe) {
    return !LineOf(recipe.Title).empty();
}

std::string RecipeJsonLd(const Recipe& recipe, const std::string& imageAddress, int indent) {
    return EscapedText(RecipeObject(recipe, imageAddress), indent);
}

std::string RecipesJsonLd(const std::vector<Recipe>& recipes, int indent) {
    if (recipes.size() == 1) return EscapedText(RecipeObject(recipes.front(), {}), indent);
    Json list = Json::array();
    for (const Recipe& recipe : recipes) list.push_back(RecipeObject(recipe, {}));
    return EscapedText(list, indent);
}

std::string RecipeJsonLdScript(const Recipe& recipe, const std::string& imageAddress) {
    return "<script type=\"application/ld+json\">" + RecipeJsonLd(recipe, imageAddress) +
           "</script>";
}

}  // namespace pantrio
