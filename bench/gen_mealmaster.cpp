// Writes a MealMaster collection of N recipes in the shapes real files have:
// both header styles, Yield and Servings lines, padded blank lines, mixed
// numbers and ranges, continuation lines, section lines, bracket fields,
// wrapped directions with paragraphs, and both end lines.
//
//   gen_mealmaster <count> <output file>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "BenchHelp.h"

namespace {

const char* const kUnits[] = {"c ", "ts", "tb", "lb", "oz", "  ", "cn", "pk", "md", "lg"};
const char* const kQuantities[] = {"      1", "    1/2", "  1 1/2", "      2", "    1/4",
                                   "    3/4", "     12", "    1-2", "  2 1/4", "       "};
const char* const kFoods[] = {"Flour, sifted",
                              "Sugar",
                              "Butter; softened",
                              "Eggs -- beaten",
                              "Milk",
                              "Onion; chopped fine",
                              "Garlic cloves",
                              "Salt",
                              "Black pepper (fresh)",
                              "Chicken broth",
                              "Tomatoes; peeled, seeded",
                              "Parmesan cheese; grated"};
const char* const kCategories[] = {"Desserts",  "Appetizers", "Soups",   "Breads",
                                   "Main dish", "Vegetables", "Italian", "Chicken"};

void WriteRecipe(std::FILE* out, long n) {
    if (n % 2 == 0) {
        std::fputs("MMMMM----- Recipe via Meal-Master (tm) v8.05\n \n", out);
    } else {
        std::fputs("---------- Recipe via Meal-Master (tm) v8.01\n\n", out);
    }
    std::fprintf(out, "      Title: Generated Recipe Number %ld\n", n);
    std::fprintf(out, " Categories: %s, %s\n", kCategories[n % 8], kCategories[(n / 8) % 8]);
    if (n % 3 == 0) {
        std::fprintf(out, "   Servings: %ld\n \n", 2 + n % 10);
    } else {
        std::fprintf(out, "      Yield: %ld servings\n \n", 2 + n % 10);
    }
    const int lines = 6 + static_cast<int>(n % 10);
    for (int i = 0; i < lines; ++i) {
        if (i == lines / 2 && n % 4 == 0) {
            std::fputs(
                "MMMMM-----------------------------FILLING----------------------------------\n",
                out);
        }
        std::fprintf(out, "%s %s %s\n", kQuantities[(n + i) % 10], kUnits[(n * 3 + i) % 10],
                     kFoods[(n + i * 5) % 12]);
        if ((n + i) % 7 == 0) std::fputs("           -or to taste\n", out);
    }
    std::fputs(" \n", out);
    if (n % 5 == 0) std::fputs("  [Cuisine: Italian] [Main Ingredient: Pasta]\n", out);
    std::fprintf(out,
                 "  Step %ld: mix the dry ingredients in a large bowl, then cut in the\n"
                 "  butter until the mixture resembles coarse crumbs. Stir in the milk.\n"
                 "\n"
                 "  Bake at 350 F for %ld minutes or until golden. Serves a crowd.\n",
                 n, 20 + n % 40);
    std::fputs(n % 2 == 0 ? "\nMMMMM\n\n" : " \n-----\n\n", out);
}

}  // namespace

int main(int argc, char** argv) {
    if (pantrio::bench::AnswerHelp(argc, argv,
                                   "usage: gen_mealmaster COUNT FILE\n"
                                   "Writes a MealMaster collection of COUNT generated recipes to "
                                   "FILE.\n"))
        return 0;
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <count> <output file>\n", argv[0]);
        return 2;
    }
    const long count = std::atol(argv[1]);
    std::FILE* out = std::fopen(argv[2], "wb");
    if (!out || count < 0) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    for (long n = 1; n <= count; ++n) WriteRecipe(out, n);
    const bool ok = std::fclose(out) == 0;
    return ok ? 0 : 1;
}
