// The recipe service's store in a PostgreSQL database, for a site that
// outgrows one file: the same tables as SqliteServiceStore.
#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "service/ServiceStore.h"

namespace pantrio {

class PostgresServiceStore : public ServiceStore {
public:
    // Connects to `url` ("postgresql://user@host:port/database") and creates
    // the tables that are missing, inside `schema` when one is named (created
    // when missing). Throws ServiceStoreError when that fails.
    explicit PostgresServiceStore(const std::string& url, const std::string& schema = "");
    ~PostgresServiceStore() override;

    // Drops `schema` with everything in it; for throw-away test schemas.
    static void DropSchema(const std::string& url, const std::string& schema);

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
    template <typename Work>
    auto Transact(Work&& work);

    struct Connection;
    std::unique_ptr<Connection> connection_;
    std::mutex mutex_;  // one connection, shared by the server's threads
};

}  // namespace pantrio
