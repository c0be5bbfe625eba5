// The rows the shipped support database starts with, read from the seed files
// of data/seed and checked before anything is written:
//   ingredient_master.tsv  keyword, store department, unit of purchase, food
//                          number (0 for none) and that food's USDA description
//   keywords.tsv           keyword group and keyword
//   cuisines.txt, primary_ingredients.txt, yield_units.txt, measures.txt,
//   prep_notes.txt         one entry of a look-up list per line
// The description column of the master list makes every food link checkable:
// the builder refuses a link whose food does not carry that description.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "UsdaFoodFile.h"

namespace pantrio::tools {

// The keyword groups the program knows.
extern const std::vector<std::string> kKeywordGroups;

struct MasterIngredient {
    std::string keyword;
    std::string department;
    std::string unitOfPurchase;
    int nutrientId = 0;  // 0 when the keyword stands for no food of the table
};

struct GroupKeyword {
    std::string group;
    std::string keyword;
};

// One look-up table: its name, text and number columns and its entries.
struct LookupList {
    std::string file;
    std::string table;
    std::string textColumn;
    std::string idColumn;
    std::vector<std::string> entries;
};

struct SupportSeed {
    std::vector<MasterIngredient> master;  // in store-walk order
    std::vector<GroupKeyword> keywords;
    std::vector<LookupList> lists;
};

// Reads and checks every seed file of `seedDir`; food numbers are checked
// against `foods`. On failure `error` names the file and the line.
bool ReadSupportSeed(const std::filesystem::path& seedDir, const std::vector<UsdaFood>& foods,
                     SupportSeed& seed, std::string& error);

}  // namespace pantrio::tools
