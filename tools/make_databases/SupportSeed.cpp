#include "SupportSeed.h"

#include <algorithm>
#include <charconv>
#include <set>
#include <unordered_map>

#include "SeedFile.h"

namespace pantrio::tools {

const std::vector<std::string> kKeywordGroups = {"Course/Dish",     "Preparation Method",
                                                 "Season/Occasion", "Special Considerations",
                                                 "Other",           "Custom"};

namespace {

bool ParseFoodNumber(const std::string& text, int& value) {
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return !text.empty() && result.ec == std::errc() && result.ptr == end && value >= 0;
}

bool ReadMaster(const std::filesystem::path& path, const std::vector<UsdaFood>& foods,
                std::vector<MasterIngredient>& master, std::string& error) {
    std::vector<SeedLine> lines;
    if (!ReadSeedFile(path, 5, lines, error)) return false;
    std::unordered_map<int, const UsdaFood*> byId;
    for (const auto& food : foods) byId[food.nutrientId] = &food;
    std::set<std::string> keywords;
    for (const auto& line : lines) {
        auto fail = [&](const std::string& why) {
            error = LineError(path, line.number, why);
            return false;
        };
        MasterIngredient row{line.fields[0], line.fields[1], line.fields[2], 0};
        const std::string& description = line.fields[4];
        if (row.keyword.empty()) return fail("the keyword is empty");
        if (row.department.empty()) return fail("the department is empty");
        if (!keywords.insert(LowerAscii(row.keyword)).second) {
            return fail("the keyword '" + row.keyword + "' is listed twice");
        }
        if (!ParseFoodNumber(line.fields[3], row.nutrientId)) {
            return fail("the food number '" + line.fields[3] + "' is not a number of 0 or more");
        }
        if (row.nutrientId == 0) {
            if (!description.empty()) return fail("a food description is given for food 0");
        } else {
            const auto food = byId.find(row.nutrientId);
            if (food == byId.end()) {
                return fail("food " + line.fields[3] + " is not in the USDA food file");
            }
            if (food->second->shortDescription != description) {
                return fail("food " + line.fields[3] + " is '" + food->second->shortDescription +
                            "', not '" + description + "'");
            }
        }
        master.push_back(std::move(row));
    }
    return true;
}

bool ReadKeywords(const std::filesystem::path& path, std::vector<GroupKeyword>& keywords,
                  std::string& error) {
    std::vector<SeedLine> lines;
    if (!ReadSeedFile(path, 2, lines, error)) return false;
    std::set<std::pair<std::string, std::string>> seen;
    for (const auto& line : lines) {
        GroupKeyword row{line.fields[0], line.fields[1]};
        if (std::find(kKeywordGroups.begin(), kKeywordGroups.end(), row.group) ==
            kKeywordGroups.end()) {
            error = LineError(path, line.number, "unknown keyword group '" + row.group + "'");
            return false;
        }
        if (row.keyword.empty()) {
            error = LineError(path, line.number, "the keyword is empty");
            return false;
        }
        if (!seen.emplace(row.group, LowerAscii(row.keyword)).second) {
            error = LineError(path, line.number,
                              "the keyword '" + row.keyword + "' is listed twice in its group");
            return false;
        }
        keywords.push_back(std::move(row));
    }
    return true;
}

bool ReadList(const std::filesystem::path& seedDir, LookupList& list, std::string& error) {
    const auto path = seedDir / list.file;
    std::vector<SeedLine> lines;
    if (!ReadSeedFile(path, 1, lines, error)) return false;
    std::set<std::string> seen;
    for (const auto& line : lines) {
        if (!seen.insert(LowerAscii(line.fields[0])).second) {
            error = LineError(path, line.number, "'" + line.fields[0] + "' is listed twice");
            return false;
        }
        list.entries.push_back(line.fields[0]);
    }
    if (list.entries.empty()) {
        error = path.string() + ": the list is empty";
        return false;
    }
    return true;
}

}  // namespace

bool ReadSupportSeed(const std::filesystem::path& seedDir, const std::vector<UsdaFood>& foods,
                     SupportSeed& seed, std::string& error) {
    seed = SupportSeed{};
    if (!ReadMaster(seedDir / "ingredient_master.tsv", foods, seed.master, error)) return false;
    if (!ReadKeywords(seedDir / "keywords.tsv", seed.keywords, error)) return false;
    seed.lists = {
        {"cuisines.txt", "Cuisines", "Cuisine", "ID", {}},
        {"primary_ingredients.txt",
         "PrimaryIngredients",
         "PrimaryIngredient",
         "PrimaryIngredientID",
         {}},
        {"yield_units.txt", "YieldUnits", "YieldUnit", "ID", {}},
        {"measures.txt", "Measures", "Measure", "ID", {}},
        {"prep_notes.txt", "PrepNotes", "PrepNote", "ID", {}},
    };
    for (auto& list : seed.lists) {
        if (!ReadList(seedDir, list, error)) return false;
    }
    return true;
}

}  // namespace pantrio::tools
