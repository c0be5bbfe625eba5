// The recipe service's store in one SQLite file (the default).
#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "service/ServiceStore.h"

struct sqlite3;

namespace pantrio {

class SqliteServiceStore : public ServiceStore {
public:
    // Opens or creates the file at `path` and its tables; throws
    // ServiceStoreError when that fails.
    explicit SqliteServiceStore(const std::string& path);
    ~SqliteServiceStore() override;
    SqliteServiceStore(const SqliteServiceStore&) = delete;
    SqliteServiceStore& operator=(const SqliteServiceStore&) = delete;

    long AddRecipe(const ServiceRecipe& recipe) override;
    bool UpdateRecipe(const ServiceRecipe& recipe) override;
    std::optional<ServiceRecipe> Recipe(long number) override;
    long FindDuplicate(const std::string& title, const std::string& duplicateKey) override;
    std::vector<RecipeHeading> Search(const ServiceQuery& query) override;
    std::vector<RecipeHeading> ByTitle(int offset, int count) override;
    std::vector<RecipeHeading> Newest(int count) override;
    int RecipeCount() override;
    bool AddComment(const ServiceComment& comment) override;
    std::vector<ServiceComment> Comments(long recipe) override;
    RatingAverages Averages(long recipe) override;
    void CountReferrer(const std::string& referrer) override;
    long ReferrerVisits(const std::string& referrer) override;

private:
    sqlite3* db_ = nullptr;
    std::mutex mutex_;  // one connection, shared by the server's threads
};

}  // namespace pantrio
