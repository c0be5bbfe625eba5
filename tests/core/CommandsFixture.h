// A started main window's logic (on the fixture's data root) with helpers to
// put recipes into boxes, for the tests of the main window's commands.
#pragma once

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/MainDialogFixture.h"

namespace pantrio::test {

class CommandsFixture : public MainDialogFixture {
protected:
    // Starts the dialog on the standard box; the update check counts as done
    // today, so start-up asks nothing.
    // The shipped themes and page images are copied into the data root, as
    // a first start would.
    MainDialog& Start(std::vector<std::string> settings = {}) {
        namespace fs = std::filesystem;
        const fs::path built = PANTRIO_BUILT_DATA_DIR;
        fs::copy(built / "themes", fs::path(dataRoot) / "themes",
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        fs::copy(built / "Data" / "HTM", fs::path(dataRoot) / "Data" / "HTM",
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        settings.insert(settings.end(),
                        {"iLastCheckedYear=2024", "iLastCheckedMonth=3", "iLastCheckedDay=15"});
        // A recipe service is set up unless the test says otherwise.
        if (std::none_of(settings.begin(), settings.end(),
                         [](const std::string& line) { return line.rfind("ServiceURL=", 0) == 0; }))
            settings.push_back("ServiceURL=http://127.0.0.1:8686");
        WriteSettings(settings);
        MainDialog& d = MakeDialog();
        EXPECT_EQ(d.Initialise(CommandLine{}), MainDialog::StartResult::Ready);
        prompter.shown.clear();
        return d;
    }

    std::string StandardBox() const { return dataRoot + "/Rbox/standard.crb"; }

    // Inserts recipes numbered 1, 2, ... with these titles into `box`.
    void AddRecipes(const std::string& box, const std::vector<std::string>& titles) {
        for (std::size_t i = 0; i < titles.size(); ++i) {
            ASSERT_TRUE(TempDataRoot::Exec(
                box, "INSERT INTO Recipes (RecipeID, Title, Instructions) VALUES (" +
                         std::to_string(i + 1) + ", '" + titles[i] + "', 'Cook " + titles[i] +
                         ".')"));
        }
    }

    // A text column of a recipe, read straight from the file.
    std::string Column(const std::string& box, int recipeID, const std::string& column) {
        RecipeDB db;
        if (!db.Open(box)) return "<no box>";
        return db.QueryText("Select " + column +
                            " from Recipes where RecipeID = " + std::to_string(recipeID));
    }

    // Lists every recipe of the open box and selects these rows.
    void ListAndSelect(std::vector<int> rows) {
        dialog->Results().FillAllRecipes();
        view.Select(std::move(rows));
    }
};

}  // namespace pantrio::test
