// Shared pieces of the recipe service's tests: sample recipes, the stores
// of both backends (PostgreSQL from PANTRIO_TEST_POSTGRES, skipped with the
// reason when it is not set or not reachable) and the service program run
// on a free port with a temporary data folder.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/ServiceClient.h"
#include "recipe/Recipe.h"
#include "service/ServiceStore.h"
#include "support/TestDatabases.h"

namespace pantrio::test {

struct SampleRecipe {
    std::string title;
    std::vector<std::string> keywords;
    std::vector<std::string> ingredients;
    std::string mainIngredient;
    std::string cuisine;
    std::string instructions = "Mix everything well, then cook it until it is done and serve.";
};

Recipe MakeRecipe(const SampleRecipe& sample);
// A recipe with a title and the sample instructions only.
Recipe TitledRecipe(const std::string& title);

// The recipes the search tests share.
const std::vector<SampleRecipe>& SearchSamples();

// A store of one backend; Open() answers null with `skipReason` set when the
// backend is not available.
class StoreBackend {
public:
    virtual ~StoreBackend() = default;
    virtual std::unique_ptr<ServiceStore> Open(std::string& skipReason) = 0;
};

class SqliteBackend : public StoreBackend {
public:
    std::unique_ptr<ServiceStore> Open(std::string& skipReason) override;

private:
    TempDataRoot temp_{false};
};

class PostgresBackend : public StoreBackend {
public:
    ~PostgresBackend() override;
    std::unique_ptr<ServiceStore> Open(std::string& skipReason) override;
    // The server's address from PANTRIO_TEST_POSTGRES; empty when unset.
    static std::string ServerURL();
    // A fresh schema of its own for this test, dropped at the end.
    const std::string& Schema() const { return schema_; }

private:
    std::string schema_;
};

// pantrio-service started on port 0 with a temporary data folder, stopped
// when the object goes.
class ServiceProcess {
public:
    explicit ServiceProcess(std::vector<std::string> extraArguments = {});
    ~ServiceProcess();
    ServiceProcess(const ServiceProcess&) = delete;
    ServiceProcess& operator=(const ServiceProcess&) = delete;

    bool Started() const { return !base_.empty(); }
    const std::string& Base() const { return base_; }  // "http://127.0.0.1:PORT"
    std::string Url(const std::string& pathAndQuery) const { return base_ + pathAndQuery; }
    // What the program wrote to stderr so far.
    std::string Log() const;
    const TempDataRoot& Folder() const { return temp_; }

private:
    TempDataRoot temp_{false};
    int pid_ = -1;
    std::string base_;
};

// The form the program posts for `recipe`: title, rendered page and the
// exchange document with "~quote" / "~doublequote".
ServiceClient::Fields PostFields(const Recipe& recipe, const std::string& page = "<p>page</p>");

// The number in "<!--@CRFASSIGNUNIQUEID=N-->", or -1.
long AssignedNumber(const std::string& page);

}  // namespace pantrio::test
