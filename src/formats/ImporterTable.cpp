#include "formats/ImporterTable.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "base/Text.h"
#include "formats/MealMasterImport.h"
#include "formats/Mx2Import.h"
#include "formats/MxpImport.h"
#include "formats/RecipeFileImport.h"
#include "formats/WebRecipeImport.h"

namespace pantrio {

namespace {

// The first few kilobytes of a file, enough for the marks that tell text
// formats apart.
std::string FileHead(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string head(8192, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(in.gcount()));
    return head;
}

bool Contains(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

}  // namespace

ImporterTable ImporterTable::Standard() {
    ImporterTable table;
    table.Add({"rxf",
               {".rxf"},
               {},
               nullptr,
               [](const std::string& path, RecipeDB& box, ImportProgress& progress,
                  const ImportOptions&) { return ImportRecipeFile(path, box, progress); }});
    // MX2 before the text formats: an MX2 export named .txt is XML throughout.
    table.Add({"mx2", {".mx2"}, {".txt"}, LooksLikeMx2, ImportMx2});
    table.Add({"mastercook",
               {".mxp"},
               {".txt"},
               [](std::string_view head) {
                   return FindNoCase(head, "Exported from MasterCook") != std::string::npos;
               },
               ImportMasterCook});
    table.Add({"mealmaster",
               {".mmf", ".mm"},
               {".txt"},
               [](std::string_view head) {
                   return FindNoCase(head, "Meal-Master") != std::string::npos ||
                          FindNoCase(head, "MMMMM") != std::string::npos;
               },
               ImportMealMaster});
    // Saved web pages and bare JSON-LD documents with schema.org recipes.
    table.Add({"webpage", {".html", ".htm", ".json"}, {}, nullptr, ImportWebRecipes});
    return table;
}

void ImporterTable::Add(ImporterRow row) {
    for (ImporterRow& existing : rows_) {
        if (existing.id == row.id) {
            existing = std::move(row);
            return;
        }
    }
    rows_.push_back(std::move(row));
}

const ImporterRow* ImporterTable::Find(std::string_view id) const {
    for (const ImporterRow& row : rows_)
        if (row.id == id) return &row;
    return nullptr;
}

const ImporterRow* ImporterTable::ForFile(const std::string& path) const {
    const std::string ext = ToLower(std::filesystem::path(path).extension().string());
    for (const ImporterRow& row : rows_)
        if (Contains(row.extensions, ext)) return &row;
    std::string head;
    bool headRead = false;
    for (const ImporterRow& row : rows_) {
        if (!row.sniff || !Contains(row.sniffedExtensions, ext)) continue;
        if (!headRead) {
            head = FileHead(path);
            headRead = true;
        }
        if (row.sniff(head)) return &row;
    }
    return nullptr;
}

}  // namespace pantrio
