// The set-up of every test that works on real databases: a fresh temporary
// data root whose recipe box and support database are open, with helpers that
// put rows into either file with plain SQL.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "storage/RecipeDB.h"
#include "storage/SupportDB.h"
#include "support/TestDatabases.h"

namespace pantrio::test {

class BoxFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.Ok()) << root.Error();
        ASSERT_TRUE(box.Open(root.boxPath)) << box.ErrorReport();
        ASSERT_TRUE(support.Open(root.supportPath)) << support.ErrorReport();
    }

    // Runs set-up SQL on a database file directly, past the access layer.
    static void Exec(const std::string& path, const std::string& sql) {
        std::string why;
        ASSERT_TRUE(TempDataRoot::Exec(path, sql, &why)) << why << "\n" << sql;
    }
    void Box(const std::string& sql) { Exec(root.boxPath, sql); }
    void Support(const std::string& sql) { Exec(root.supportPath, sql); }

    TempDataRoot root;
    RecipeDB box;
    SupportDB support;
};

}  // namespace pantrio::test
