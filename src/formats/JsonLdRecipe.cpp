#include "formats/JsonLdRecipe.h"

#include <cmath>
#include <nlohmann/json.hpp>
#include <utility>

#include "base/Text.h"
#include "formats/RecipeTextParser.h"
#include "formats/WebPageScan.h"
#include "recipe/IngredientText.h"
#include "recipe/Quantity.h"

namespace pantrio {

namespace {

using Json = nlohmann::json;

// A description up to this long, on one line, is the recipe's subhead; a
// longer one goes to its notes.
constexpr std::size_t kMaxSubHeadChars = 200;
// A duration longer than a year is nonsense, not a recipe time.
constexpr double kMaxDurationMinutes = 366.0 * 24 * 60;

// ------------------------------------------------------------ quantities

struct VulgarFraction {
    const char* utf8;
    double value;
};

constexpr VulgarFraction kVulgarFractions[] = {
    {"\xC2\xBD", 1.0 / 2},     {"\xC2\xBC", 1.0 / 4},     {"\xC2\xBE", 3.0 / 4},
    {"\xE2\x85\x93", 1.0 / 3}, {"\xE2\x85\x94", 2.0 / 3}, {"\xE2\x85\x95", 1.0 / 5},
    {"\xE2\x85\x96", 2.0 / 5}, {"\xE2\x85\x97", 3.0 / 5}, {"\xE2\x85\x98", 4.0 / 5},
    {"\xE2\x85\x99", 1.0 / 6}, {"\xE2\x85\x9A", 5.0 / 6}, {"\xE2\x85\x9B", 1.0 / 8},
    {"\xE2\x85\x9C", 3.0 / 8}, {"\xE2\x85\x9D", 5.0 / 8}, {"\xE2\x85\x9E", 7.0 / 8},
    {"\xE2\x85\x90", 1.0 / 7}, {"\xE2\x85\x91", 1.0 / 9}, {"\xE2\x85\x92", 1.0 / 10},
};
constexpr std::string_view kFractionSlash = "\xE2\x81\x84";
constexpr std::string_view kEnDash = "\xE2\x80\x93";

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads a vulgar fraction at `pos`; its length, or 0.
std::size_t ReadVulgar(std::string_view text, std::size_t pos, double& value) {
    for (const VulgarFraction& f : kVulgarFractions) {
        if (text.substr(pos).starts_with(f.utf8)) {
            value = f.value;
            return std::string_view(f.utf8).size();
        }
    }
    return 0;
}

// Reads digits with an optional decimal part at `pos`; its length, or 0.
std::size_t ReadNumber(std::string_view text, std::size_t pos, bool decimalComma, double& value,
                       bool& whole) {
    std::size_t end = pos;
    while (end < text.size() && IsDigit(text[end])) ++end;
    if (end == pos || end - pos > 9) return 0;
    std::string digits(text.substr(pos, end - pos));
    whole = true;
    if (end + 1 < text.size() && (text[end] == '.' || (decimalComma && text[end] == ',')) &&
        IsDigit(text[end + 1])) {
        std::size_t frac = end + 1;
        while (frac < text.size() && IsDigit(text[frac]) && frac - end <= 6) ++frac;
        digits += '.';
        digits += text.substr(end + 1, frac - end - 1);
        end = frac;
        whole = false;
    }
    value = ParseQuantity(digits);
    return end - pos;
}

// Reads "/" or the fraction slash followed by a denominator at `pos`.
std::size_t ReadDenominator(std::string_view text, std::size_t pos, double& denominator) {
    std::size_t slash = 0;
    if (pos < text.size() && text[pos] == '/')
        slash = 1;
    else if (text.substr(pos).starts_with(kFractionSlash))
        slash = kFractionSlash.size();
    if (slash == 0) return 0;
    std::size_t end = pos + slash;
    while (end < text.size() && IsDigit(text[end]) && end - pos - slash < 6) ++end;
    if (end == pos + slash) return 0;
    denominator = ParseQuantity(text.substr(pos + slash, end - pos - slash));
    return denominator > 0 ? end - pos : 0;
}

// A quantity at the start of an ingredient text: "2", "1.5", "1,5", "½",
// "1½", "1 ½", "1 1/2", "3/4", "1⁄2". `length` is how much of the text it
// took; 0 when there is none.
std::size_t ReadQuantity(std::string_view text, std::size_t pos, bool decimalComma, double& value) {
    const std::size_t start = pos;
    double vulgar = 0;
    if (std::size_t n = ReadVulgar(text, pos, vulgar)) {
        value = vulgar;
        return n;
    }
    bool whole = false;
    std::size_t n = ReadNumber(text, pos, decimalComma, value, whole);
    if (n == 0) return 0;
    pos += n;
    if (!whole) return pos - start;
    double denominator = 0;
    if (std::size_t d = ReadDenominator(text, pos, denominator)) {
        value /= denominator;
        return pos + d - start;
    }
    // A whole number may be followed, after a blank or none, by a fraction.
    std::size_t next = pos;
    while (next < text.size() && text[next] == ' ') ++next;
    if (std::size_t v = ReadVulgar(text, next, vulgar)) {
        value += vulgar;
        return next + v - start;
    }
    if (next > pos) {
        double numerator = 0;
        bool numeratorWhole = false;
        std::size_t m = ReadNumber(text, next, false, numerator, numeratorWhole);
        if (m > 0 && numeratorWhole) {
            if (std::size_t d = ReadDenominator(text, next + m, denominator)) {
                value += numerator / denominator;
                return next + m + d - start;
            }
        }
    }
    return pos - start;
}

// The program's own way to write a quantity: a common fraction where one
// fits ("1 1/2"), otherwise a decimal with a point.
std::string QuantityText(double value) {
    if (Approximate(value, 8).error < 1e-6) return FractionText(value, 8);
    std::string text = DecimalText(value, 3);
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
    return text;
}

// ------------------------------------------------------------ JSON values

// The text of a field as a browser shows it, cut to the field limit.
std::string FieldText(const Json& value) {
    std::string raw;
    if (value.is_string()) {
        raw = value.get_ref<const std::string&>();
    } else if (value.is_number_integer()) {
        raw = std::to_string(value.get<long long>());
    } else if (value.is_number()) {
        raw = QuantityText(value.get<double>());
    } else {
        return {};
    }
    // Cut by characters, at a quarter of the byte limit, so that no UTF-8
    // sequence is split and the result is within the limit.
    if (raw.size() > kMaxJsonLdFieldBytes) raw = CutChars(raw, kMaxJsonLdFieldBytes / 4);
    return PlainTextOfMarkup(raw);
}

// A field on one line.
std::string LineText(const Json& value) {
    std::string text = FieldText(value);
    for (char& c : text)
        if (c == '\n') c = ' ';
    return text;
}

const Json* Member(const Json& object, const char* key) {
    if (!object.is_object()) return nullptr;
    auto it = object.find(key);
    return it == object.end() || it->is_null() ? nullptr : &*it;
}

// The texts of a field that may be one value or a list of them.
std::vector<std::string> LineTexts(const Json* value) {
    std::vector<std::string> texts;
    if (!value) return texts;
    auto take = [&](const Json& item) {
        std::string text =
            LineText(item.is_object() && Member(item, "name") ? *Member(item, "name") : item);
        if (!text.empty()) texts.push_back(std::move(text));
    };
    if (value->is_array()) {
        for (const Json& item : *value) take(item);
    } else {
        take(*value);
    }
    return texts;
}

// "Recipe", "schema:Recipe" and "http://schema.org/Recipe" all name the type.
bool TypeNameIs(const std::string& type, std::string_view name) {
    std::string_view local = type;
    const std::size_t cut = local.find_last_of("/:#");
    if (cut != std::string_view::npos) local = local.substr(cut + 1);
    return EqualsNoCase(local, name);
}

bool HasType(const Json& object, std::string_view name) {
    const Json* type = Member(object, "@type");
    if (!type) return false;
    if (type->is_string()) return TypeNameIs(type->get_ref<const std::string&>(), name);
    if (type->is_array())
        for (const Json& t : *type)
            if (t.is_string() && TypeNameIs(t.get_ref<const std::string&>(), name)) return true;
    return false;
}

// A person or organisation: a name, an object with a name, or a list.
std::string NamesOf(const Json* value) {
    std::string joined;
    for (const std::string& name : LineTexts(value)) {
        if (joined.find(name) != std::string::npos) continue;
        if (!joined.empty()) joined += ", ";
        joined += name;
    }
    return joined;
}

// ------------------------------------------------------------ recipe fields

void ReadYield(Recipe& recipe, const Json* yield) {
    if (!yield) return;
    const Json* chosen = yield;
    if (yield->is_array()) {
        // Pages often give both "4" and "4 servings"; the one with words says more.
        chosen = nullptr;
        for (const Json& item : *yield) {
            if (!item.is_string() && !item.is_number()) continue;
            if (!chosen) chosen = &item;
            if (item.is_string() &&
                LineText(item).find_first_not_of("0123456789 .,") != std::string::npos) {
                chosen = &item;
                break;
            }
        }
        if (!chosen) return;
    }
    const std::string text = LineText(*chosen);
    if (text.empty()) return;
    double value = 0;
    const std::size_t length = ReadQuantity(text, 0, true, value);
    if (length == 0) {
        // "Serves 4": the text stands as written, its first number is the yield.
        recipe.YieldText = CutChars(text, 255);
        const std::size_t digit = text.find_first_of("0123456789");
        if (digit != std::string::npos && ReadQuantity(text, digit, true, value) > 0) {
            recipe.YieldNumber = value;
            recipe.YieldUnit = "Servings";
        }
        return;
    }
    recipe.YieldNumber = value;
    const std::string unit = Trim(std::string_view(text).substr(length));
    recipe.YieldUnit = unit.empty() ? "Servings" : CutChars(unit, 50);
    recipe.YieldText = QuantityText(value) + " " + recipe.YieldUnit;
}

void ReadTimes(Recipe& recipe, const Json& object) {
    auto minutes = [&](const char* key) {
        const Json* value = Member(object, key);
        return value && value->is_string()
                   ? IsoDurationMinutes(value->get_ref<const std::string&>())
                   : -1;
    };
    const int prep = minutes("prepTime");
    const int cook = minutes("cookTime");
    const int total = minutes("totalTime");
    if (prep > 0) recipe.ActiveMinutes = prep;
    if (total > 0)
        recipe.TotalMinutes = total;
    else if (prep > 0 || cook > 0)
        recipe.TotalMinutes = std::max(prep, 0) + std::max(cook, 0);
}

// Category and keyword texts are often one comma-separated string.
void AddKeywords(Recipe& recipe, const Json* value) {
    for (const std::string& text : LineTexts(value))
        for (const std::string& word : Split(text, ','))
            recipe.AddCategoryName(CutChars(Trim(word), 50));
}

void AppendParagraph(std::string& text, const std::string& paragraph) {
    if (paragraph.empty() || text.size() > RecipeTextParser::kMaxDirectionsBytes) return;
    if (!text.empty()) text += "\r\n\r\n";
    text += ReplaceAll(paragraph, "\n", "\r\n");
}

// Steps as strings, HowToStep objects and HowToSection objects holding more
// steps; a section's name stands as a paragraph of its own before its steps.
// Nesting is bounded by the depth the parser admitted.
void ReadInstructions(std::string& text, const Json& value, int depth) {
    if (depth > kMaxJsonLdDepth) return;
    if (value.is_string()) {
        AppendParagraph(text, FieldText(value));
    } else if (value.is_array()) {
        for (const Json& item : value) ReadInstructions(text, item, depth + 1);
    } else if (value.is_object()) {
        const Json* steps = Member(value, "itemListElement");
        if (HasType(value, "HowToSection") || (steps && !Member(value, "text"))) {
            if (const Json* name = Member(value, "name")) AppendParagraph(text, LineText(*name));
            if (steps) ReadInstructions(text, *steps, depth + 1);
            return;
        }
        const Json* step = Member(value, "text");
        if (!step) step = Member(value, "name");
        if (step) AppendParagraph(text, FieldText(*step));
    }
}

std::string PageAddress(const Json& object) {
    if (const Json* url = Member(object, "url"); url && url->is_string()) return LineText(*url);
    const Json* page = Member(object, "mainEntityOfPage");
    if (page && page->is_string()) return LineText(*page);
    if (page && page->is_object())
        if (const Json* id = Member(*page, "@id"); id && id->is_string()) return LineText(*id);
    return {};
}

bool UsesDecimalComma(const Json& object) {
    const Json* language = Member(object, "inLanguage");
    if (!language || !language->is_string()) return true;
    return !StartsWithNoCase(language->get_ref<const std::string&>(), "en");
}

Recipe RecipeFrom(const Json& object, WebRecipes& into) {
    Recipe recipe;
    recipe.RecipeID = -1;
    if (const Json* name = Member(object, "name")) recipe.Title = CutChars(LineText(*name), 255);
    ReadYield(recipe, Member(object, "recipeYield"));
    ReadTimes(recipe, object);
    AddKeywords(recipe, Member(object, "recipeCategory"));
    AddKeywords(recipe, Member(object, "keywords"));
    if (const auto cuisines = LineTexts(Member(object, "recipeCuisine")); !cuisines.empty())
        recipe.Cuisine = CutChars(cuisines.front(), 50);

    std::string source = NamesOf(Member(object, "author"));
    for (const std::string& more : {NamesOf(Member(object, "publisher")), PageAddress(object)}) {
        if (more.empty() || source.find(more) != std::string::npos) continue;
        if (!source.empty()) source += ", ";
        source += more;
    }
    recipe.Source = CutChars(source, 255);

    if (const Json* description = Member(object, "description")) {
        const std::string text = FieldText(*description);
        if (CharCount(text) <= kMaxSubHeadChars && text.find('\n') == std::string::npos)
            recipe.SubHead = text;
        else
            recipe.Notes = ReplaceAll(text, "\n", "\r\n");
    }

    const Json* ingredients = Member(object, "recipeIngredient");
    if (!ingredients) ingredients = Member(object, "ingredients");  // the older name
    const bool decimalComma = UsesDecimalComma(object);
    std::vector<std::string> lines;
    if (ingredients && ingredients->is_string()) {
        lines = Split(FieldText(*ingredients), '\n');
    } else if (ingredients && ingredients->is_array()) {
        for (const Json& item : *ingredients) lines.push_back(LineText(item));
    }
    long dropped = 0;
    for (const std::string& line : lines) {
        if (recipe.LineCount() >= Recipe::kMaxLines && !Trim(line).empty())
            ++dropped;
        else
            AddIngredientText(recipe, line, decimalComma);
    }
    if (dropped > 0)
        into.problems.push_back(
            Format("%s: more than %d ingredient lines; only the first %d were added.",
                   recipe.Title.c_str(), Recipe::kMaxLines, Recipe::kMaxLines));

    if (const Json* instructions = Member(object, "recipeInstructions"))
        ReadInstructions(recipe.Instructions, *instructions, 0);
    return recipe;
}

// The first address of an image field: a text, an ImageObject (url or
// contentUrl) or a list of either. Addresses are taken as written, without
// markup decoding.
std::string ImageAddress(const Json* value) {
    if (!value) return {};
    const Json* first = value;
    if (value->is_array()) {
        first = nullptr;
        for (const Json& item : *value) {
            if (item.is_string() || item.is_object()) {
                first = &item;
                break;
            }
        }
        if (!first) return {};
    }
    if (first->is_object()) {
        first = Member(*first, "url") ? Member(*first, "url") : Member(*first, "contentUrl");
        if (!first) return {};
    }
    if (!first->is_string()) return {};
    const std::string address = Trim(first->get_ref<const std::string&>());
    if (address.size() > kMaxImageAddressBytes ||
        address.find_first_of("\r\n\t") != std::string::npos)
        return {};
    return address;
}

// Every Recipe object of the document in document order, found without
// recursion; values deeper than the limit were already dropped by the parser.
void CollectRecipes(const Json& root, WebRecipes& into) {
    std::vector<const Json*> stack{&root};
    while (!stack.empty()) {
        const Json* node = stack.back();
        stack.pop_back();
        if (node->is_object() && HasType(*node, "Recipe")) {
            into.recipes.push_back(RecipeFrom(*node, into));
            into.images.push_back(ImageAddress(Member(*node, "image")));
            continue;
        }
        if (!node->is_structured()) continue;
        std::vector<const Json*> children;
        for (const Json& child : *node)
            if (child.is_structured()) children.push_back(&child);
        for (auto it = children.rbegin(); it != children.rend(); ++it) stack.push_back(*it);
    }
}

// Pages often break a long text over lines inside a JSON string, which JSON
// does not allow and browsers' script engines reject too; such line ends and
// tabs inside strings are read as blanks. Only the string boundaries are
// tracked here; the parser still reads the document.
std::string BlankControlsInStrings(std::string_view json) {
    std::string out(json);
    bool inString = false;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const char c = out[i];
        if (inString && c == '\\') {
            ++i;
        } else if (c == '"') {
            inString = !inString;
        } else if (inString && (c == '\n' || c == '\r' || c == '\t')) {
            out[i] = ' ';
        }
    }
    return out;
}

}  // namespace

int IsoDurationMinutes(std::string_view text) {
    const std::string trimmed = Trim(text);
    std::string_view s = trimmed;
    if (s.empty() || (s[0] != 'P' && s[0] != 'p')) return -1;
    double minutes = 0;
    bool inTime = false;
    bool any = false;
    std::size_t i = 1;
    while (i < s.size()) {
        if (s[i] == 'T' || s[i] == 't') {
            inTime = true;
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < s.size() && (IsDigit(s[end]) || s[end] == '.' || s[end] == ',')) ++end;
        if (end == i || end >= s.size() || end - i > 12) return -1;
        const double number =
            ParseQuantity(ReplaceAll(std::string(s.substr(i, end - i)), ",", "."));
        switch (s[end]) {
            case 'Y':
            case 'y':
                if (inTime) return -1;
                minutes += number * 365 * 24 * 60;
                break;
            case 'W':
            case 'w':
                if (inTime) return -1;
                minutes += number * 7 * 24 * 60;
                break;
            case 'D':
            case 'd':
                if (inTime) return -1;
                minutes += number * 24 * 60;
                break;
            case 'H':
            case 'h':
                if (!inTime) return -1;
                minutes += number * 60;
                break;
            case 'M':
            case 'm':
                minutes += inTime ? number : number * 30 * 24 * 60;
                break;
            case 'S':
            case 's':
                if (!inTime) return -1;
                minutes += number / 60;
                break;
            default:
                return -1;
        }
        any = true;
        i = end + 1;
    }
    if (!any || !std::isfinite(minutes) || minutes > kMaxDurationMinutes) return -1;
    return static_cast<int>(std::lround(minutes));
}

int AddIngredientText(Recipe& recipe, std::string_view text, bool decimalComma) {
    std::string line(text);
    for (char& c : line)
        if (c == '\r' || c == '\n' || c == '\v') c = ' ';
    line = Trim(line);
    if (line.empty()) return 0;
    double value = 0;
    const std::size_t length = ReadQuantity(line, 0, decimalComma, value);
    if (length == 0) return SplitIngredientText(recipe, line);

    std::string quantity = QuantityText(value);
    std::size_t rest = length;
    // A range ("2-3", "2 – 3") keeps its text; its first number is the quantity.
    std::size_t dash = rest;
    while (dash < line.size() && line[dash] == ' ') ++dash;
    std::size_t dashLength = line.compare(dash, 1, "-") == 0          ? 1
                             : line.substr(dash).starts_with(kEnDash) ? kEnDash.size()
                                                                      : 0;
    if (dashLength > 0) {
        std::size_t upper = dash + dashLength;
        while (upper < line.size() && line[upper] == ' ') ++upper;
        double second = 0;
        if (std::size_t n = ReadQuantity(line, upper, decimalComma, second)) {
            quantity += "-" + QuantityText(second);
            rest = upper + n;
        }
    }
    // The splitter reads the unit and name after a quantity of its own, which
    // is then replaced by the one read here.
    const int added =
        SplitIngredientText(recipe, "1 " + TrimLeft(std::string_view(line).substr(rest)));
    if (added == 0) return 0;
    IngredientLine& last = recipe.Lines.back();
    last.TextQty = CutChars(quantity, 10);
    last.DblQty = value;
    return added;
}

void ReadJsonLdRecipes(std::string_view json, WebRecipes& into) {
    ++into.blocks;
    bool tooDeep = false;
    // Values nested deeper than the limit are dropped as they are parsed, so
    // nothing that follows has to walk them.
    auto limitDepth = [&](int depth, Json::parse_event_t, Json&) {
        if (depth <= kMaxJsonLdDepth) return true;
        tooDeep = true;
        return false;
    };
    Json document;
    try {
        std::string mended;
        if (!Json::accept(json.begin(), json.end())) mended = BlankControlsInStrings(json);
        if (mended.empty())
            document = Json::parse(json.begin(), json.end(), limitDepth);
        else
            document = Json::parse(mended, limitDepth);
    } catch (const Json::exception& failure) {
        std::string reason = failure.what();
        if (const std::size_t cut = reason.find("] "); cut != std::string::npos)
            reason.erase(0, cut + 2);
        into.problems.push_back("Structured data that could not be read: " + reason);
        return;
    }
    if (tooDeep)
        into.problems.push_back(
            Format("Structured data nested deeper than %d levels was not read.", kMaxJsonLdDepth));
    CollectRecipes(document, into);
}

WebRecipes ReadPageRecipes(std::string_view page) {
    WebRecipes found;
    if (page.size() > kMaxWebPageBytes) {
        found.problems.push_back(
            Format("The page is larger than %zu bytes and was not read.", kMaxWebPageBytes));
        return found;
    }
    PageScripts scripts = JsonLdScripts(page);
    if (scripts.skippedTooLarge > 0)
        found.problems.push_back(
            Format("%d block(s) of structured data larger than %zu bytes were not read.",
                   scripts.skippedTooLarge, kMaxJsonLdScriptBytes));
    for (const std::string& script : scripts.scripts) ReadJsonLdRecipes(script, found);
    // Pages without JSON-LD recipes may carry them as microdata instead.
    if (found.recipes.empty()) {
        WebRecipes fromMicrodata;
        ReadJsonLdRecipes(MicrodataAsJson(page), fromMicrodata);
        found.recipes = std::move(fromMicrodata.recipes);
        found.images = std::move(fromMicrodata.images);
    }
    return found;
}

}  // namespace pantrio
