// Runs every statement template of the program, formatted with sample
// values, against freshly created databases: each must be accepted as it
// stands, with the Jet forms it uses.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "base/Text.h"
#include "storage/CADORecordset.h"
#include "storage/Store.h"
#include "support/TestDatabases.h"

namespace pantrio {
namespace {

struct Template {
    int line = 0;
    std::string database;  // "box" or "support"
    std::string text;
    std::vector<std::string> values;  // for the %s placeholders, in order
};

std::vector<Template> LoadTemplates() {
    std::vector<Template> templates;
    std::ifstream in(std::string(PANTRIO_TEST_DATA_DIR) + "/statements/templates.txt");
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> fields = Split(line, '\t');
        Template t;
        t.line = number;
        t.database = fields[0];
        t.text = fields.size() > 1 ? fields[1] : "";
        if (fields.size() > 2) t.values = Split(fields[2], '|');
        templates.push_back(t);
    }
    return templates;
}

// Fills a template as the program would: %d with 1 (2 in an INSERT, the next
// identifier after the rows already there), %f and %.Nf with 1.5, %s
// with the listed values, else with a date between # signs or a text with a
// doubled apostrophe; %% is %.
std::string Fill(const Template& t) {
    std::string out;
    std::size_t next = 0;
    const std::string& s = t.text;
    const bool insert = StartsWithNoCase(s, "insert");
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '%' || i + 1 >= s.size()) {
            out += s[i];
            continue;
        }
        char c = s[i + 1];
        if (c == '%') {
            out += '%';
            ++i;
        } else if (c == 'd') {
            out += insert ? '2' : '1';
            ++i;
        } else if (c == 's') {
            if (next < t.values.size())
                out += t.values[next++];
            else
                out += (i > 0 && s[i - 1] == '#') ? "2024-03-05 18:30:00" : "O''Brien";
            ++i;
        } else if (c == 'f') {
            out += "1.500000";
            ++i;
        } else if (c == '.' && i + 3 < s.size() && s[i + 3] == 'f') {
            out += Format("%.*f", s[i + 2] - '0', 1.5);
            i += 3;
        } else {
            out += s[i];
        }
    }
    return out;
}

TEST(StatementTemplates, EveryTemplateRunsOnItsDatabase) {
    const std::vector<Template> templates = LoadTemplates();
    ASSERT_GT(templates.size(), 100u) << "the template list was not found";

    test::TempDataRoot data;
    ASSERT_TRUE(data.Ok()) << data.Error();
    // One row in each table the templates read, so reads meet real values.
    ASSERT_TRUE(test::TempDataRoot::Exec(
        data.boxPath,
        "INSERT INTO Recipes (RecipeID, Title, Instructions, Cuisine) VALUES (1, 'Pie', 'Bake.', "
        "'French');"
        "INSERT INTO IngredientLines (IngredientLinesID, RecipeID, Name) VALUES (1, 1, 'flour');"
        "INSERT INTO IngredientLinesNutrients VALUES (1, 1, 1, 120);"));
    ASSERT_TRUE(test::TempDataRoot::Exec(
        data.supportPath,
        "INSERT INTO Nutrients (NutrientID, NDB_NO, Shrt_Desc) VALUES (1, '0', 'FLOUR');"
        "INSERT INTO RecipeList (RecipeListID, RecipeDate, RecipeID, Title) "
        "VALUES (1, '2024-03-05 00:00:00', 1, 'Pie');"
        "INSERT INTO ShoppingList (ShoppingListID, ItemName, RecipeID, RecipeTitle) "
        "VALUES (1, 'flour', 1, 'Pie');"));

    Store box, support;
    ASSERT_TRUE(
        box.Connect(CADODatabase::MakeConnectString(data.PathOf("system.mdw"), data.boxPath)))
        << box.ErrorReport();
    ASSERT_TRUE(support.Connect(
        CADODatabase::MakeConnectString(data.PathOf("system.mdw"), data.supportPath)))
        << support.ErrorReport();

    for (const Template& t : templates) {
        const std::string statement = Fill(t);
        Store& store = t.database == "support" ? support : box;
        // Each statement meets the same rows: its changes are rolled back.
        Transaction transaction(store);
        ASSERT_TRUE(transaction.Active()) << store.ErrorReport();
        CADORecordset rs(store);
        EXPECT_TRUE(rs.Run(statement)) << "line " << t.line << ": " << rs.ErrorReport();
        // Read every row and column, as the callers do.
        const long count = rs.RowCount();
        long rows = 0;
        for (; !rs.AtEnd(); rs.NextRow(), ++rows) {
            for (int c = 0; c < rs.ColumnCount(); ++c) {
                std::string text;
                EXPECT_TRUE(rs.ReadAt(c, text)) << "line " << t.line << " column " << c;
            }
        }
        EXPECT_EQ(count, rows) << "line " << t.line;
    }
}

}  // namespace
}  // namespace pantrio
