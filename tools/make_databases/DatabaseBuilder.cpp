#include "DatabaseBuilder.h"

#include <unistd.h>

#include <fstream>
#include <sstream>

#include "SqliteFile.h"
#include "SupportSeed.h"
#include "UsdaFoodFile.h"

namespace pantrio::tools {

namespace fs = std::filesystem;

namespace {

bool ReadSchema(const fs::path& path, std::string& sql, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path.string() + ": cannot read the schema";
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    sql = text.str();
    if (sql.find("CREATE TABLE") == std::string::npos) {
        error = path.string() + ": the schema creates no table";
        return false;
    }
    return true;
}

bool InsertFoods(SqliteFile& db, const std::vector<UsdaFood>& foods, std::string& error) {
    std::string columns = "NutrientID, NDB_NO, Shrt_Desc";
    std::string marks = "?, ?, ?";
    for (const auto& column : kNutrientAmountColumns) {
        columns += ", " + column;
        marks += ", ?";
    }
    columns += ", GmWt_1, GmWt_Desc1, GmWt_2, GmWt_Desc2, Refuse_Pct";
    marks += ", ?, ?, ?, ?, ?";
    const std::string sql = "INSERT INTO Nutrients (" + columns + ") VALUES (" + marks + ")";
    for (const auto& food : foods) {
        std::vector<SqlValue> values = {std::int64_t{food.nutrientId}, food.ndbNo,
                                        food.shortDescription};
        for (double amount : food.amounts) values.emplace_back(amount);
        values.insert(values.end(), {food.gmWt1, food.gmWtDesc1, food.gmWt2, food.gmWtDesc2,
                                     std::int64_t{food.refusePct}});
        if (!db.Run(sql, values, error)) return false;
    }
    return true;
}

bool InsertSeed(SqliteFile& db, const SupportSeed& seed, std::string& error) {
    std::int64_t id = 0;
    for (const auto& row : seed.master) {
        if (!db.Run("INSERT INTO IngredientMasterTable (ID, KeywordText, NutrientID, StdDeptName, "
                    "UnitOfPurchase) VALUES (?, ?, ?, ?, ?)",
                    {++id, row.keyword, std::int64_t{row.nutrientId}, row.department,
                     row.unitOfPurchase},
                    error)) {
            return false;
        }
    }
    // The words matched against ingredient names when a line is linked to a
    // food are the master keywords that stand for a food.
    id = 0;
    for (const auto& row : seed.master) {
        if (row.nutrientId > 0 &&
            !db.Run("INSERT INTO NutrientKeyword (ID, KeywordText) VALUES (?, ?)",
                    {++id, row.keyword}, error)) {
            return false;
        }
    }
    id = 0;
    for (const auto& row : seed.keywords) {
        if (!db.Run("INSERT INTO Keywords (ID, Keyword, KeywordGroup) VALUES (?, ?, ?)",
                    {++id, row.keyword, row.group}, error)) {
            return false;
        }
    }
    for (const auto& list : seed.lists) {
        const std::string sql = "INSERT INTO " + list.table + " (" + list.idColumn + ", " +
                                list.textColumn + ") VALUES (?, ?)";
        id = 0;
        for (const auto& entry : list.entries) {
            if (!db.Run(sql, {++id, entry}, error)) return false;
        }
    }
    return true;
}

// Writes one database at `path`: the schema, then `fill`, in one transaction.
template <typename Fill>
bool WriteDatabase(const fs::path& path, const std::string& schema, Fill fill, std::string& error) {
    SqliteFile db;
    if (!db.Create(path, error) || !db.Exec("BEGIN", error) || !db.Exec(schema, error) ||
        !fill(db) || !db.Exec("COMMIT", error)) {
        return false;
    }
    return db.Close(error);
}

// Removes the placeholder files that keep empty folders in version control.
void RemoveKeepFiles(const fs::path& outDir) {
    std::error_code ignored;
    std::vector<fs::path> keepFiles;
    for (auto it = fs::recursive_directory_iterator(outDir, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored)) {
        if (it->path().filename() == ".keep" && it->is_regular_file(ignored)) {
            keepFiles.push_back(it->path());
        }
    }
    for (const auto& file : keepFiles) fs::remove(file, ignored);
}

}  // namespace

bool BuildDatabases(const BuildOptions& options, std::string& summary, std::string& error) {
    std::string supportSchema, boxSchema;
    if (!ReadSchema(options.schemaDir / "support.sql", supportSchema, error) ||
        !ReadSchema(options.schemaDir / "recipebox.sql", boxSchema, error)) {
        return false;
    }
    std::vector<UsdaFood> foods;
    if (!ReadUsdaFoodFile(options.usdaFile, foods, error)) return false;
    SupportSeed seed;
    if (!ReadSupportSeed(options.seedDir, foods, seed, error)) return false;

    const fs::path dataDir = options.outDir / "Data";
    const fs::path boxDir = options.outDir / "Rbox";
    std::error_code dirError;
    fs::create_directories(dataDir, dirError);
    if (!dirError) fs::create_directories(boxDir, dirError);
    if (dirError) {
        error =
            options.outDir.string() + ": cannot create the output folders: " + dirError.message();
        return false;
    }

    struct Target {
        fs::path path;
        fs::path temporary;
        bool support;
    };
    const std::string suffix = ".building-" + std::to_string(getpid());
    std::vector<Target> targets;
    for (const auto& [path, support] :
         {std::pair{dataDir / "support.csy", true},
          std::pair{dataDir / "cookbook_template_do_not_delete.crb", false},
          std::pair{boxDir / "standard.crb", false}}) {
        targets.push_back({path, fs::path(path.string() + suffix), support});
    }
    // Files left by a build that was killed part-way are never renamed into
    // place; remove them so they are not shipped.
    for (const auto& target : targets) {
        std::error_code ignored;
        const std::string stalePrefix = target.path.filename().string() + ".building-";
        for (const auto& entry : fs::directory_iterator(target.path.parent_path(), ignored)) {
            if (entry.path().filename().string().rfind(stalePrefix, 0) == 0) {
                fs::remove(entry.path(), ignored);
            }
        }
    }
    auto removeTemporaries = [&] {
        std::error_code ignored;
        for (const auto& target : targets) fs::remove(target.temporary, ignored);
    };

    for (const auto& target : targets) {
        const bool written =
            target.support
                ? WriteDatabase(
                      target.temporary, supportSchema,
                      [&](SqliteFile& db) {
                          return InsertFoods(db, foods, error) && InsertSeed(db, seed, error);
                      },
                      error)
                : WriteDatabase(
                      target.temporary, boxSchema, [](SqliteFile&) { return true; }, error);
        if (!written) {
            removeTemporaries();
            return false;
        }
    }
    for (const auto& target : targets) {
        std::error_code renameError;
        fs::rename(target.temporary, target.path, renameError);
        if (renameError) {
            error = target.path.string() +
                    ": cannot put the new file in place: " + renameError.message();
            removeTemporaries();
            return false;
        }
    }
    RemoveKeepFiles(options.outDir);

    summary = "support.csy: " + std::to_string(foods.size()) + " foods, " +
              std::to_string(seed.master.size()) + " master ingredients, " +
              std::to_string(seed.keywords.size()) + " keywords; two empty recipe boxes";
    return true;
}

}  // namespace pantrio::tools
