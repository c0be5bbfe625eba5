// Recipe boxes and what comes into and goes out of them: opening and
// creating boxes, the box line, the import commands with the progress
// window they share, backups and publishing. Every change of the open box
// goes through OpenBox, which tells the StatusView (OpenBoxChanged), so the
// window hears of it once, whichever command caused it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/Prompter.h"
#include "base/RowSink.h"
#include "core/ControllerContext.h"
#include "core/ProgressWindow.h"
#include "formats/ImporterTable.h"

namespace pantrio {

class ImportProgress;
class ImportView;
class StatusView;

// The rows of a statement run for a front end: the column names and every
// row's values as text.
struct StatementRows {
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;
};

class BoxController {
public:
    BoxController(ControllerContext context, StatusView* status, ImportView* imports,
                  ProgressWindow* progress);

    // Opens the recipe box at `path`, asking for another file when it does
    // not exist; false after a message when it cannot be opened. Either way
    // the window hears that the open box changed.
    bool OpenBox(const std::string& path);
    // Creates the box "<Rbox>/<name>/<name>.crb" from the template, with its
    // Pictures folder, and opens it.
    bool NewRecipeBox(const std::string& name);
    // The path of the open box (the CookbookPath setting).
    const std::string& CookbookPath() const;
    // The file of the box open now; empty when none is open.
    std::string OpenBoxFile() const;
    // Counts the recipes of the open box and shows the box line.
    void ShowBoxLine();
    // As counted by the last ShowBoxLine.
    long BoxRecipeCount() const { return recipeCount_; }
    // Every recipe of the open box as rows (text: title, data: number), by
    // title; empty when the box cannot be read.
    std::vector<ListRow> RecipeList();

    // File "Open Recipe Box": chooses a box, opens it and lists its recipes.
    void OpenRecipeBoxCommand();
    // File "New Recipe Box": asks for the name and creates the box.
    void NewRecipeBoxCommand();
    // The import commands of the File menu.
    void ImportRecipeFileCommand();
    void ImportRecipeBoxCommand();
    void ImportMealMasterCommand();
    void ImportMasterCookCommand();
    void ImportMasterCookMx2Command();
    // Before a text-file import: offers a new box when the open one already
    // holds recipes (`icon` is the question's icon).
    void ImportGuard(MessageIcon icon);
    // Imports an exchange file opened from outside the program (the command
    // line), asking first: -1 when the user declined, otherwise 0.
    int ImportExchangeFile(const std::string& path);
    // The formats the import commands read; a format added here is read by
    // the menu commands and by the command line alike.
    ImporterTable& Importers() { return importers_; }
    // Imports `path` into the open box with the importer of the row `format`
    // (the menu commands) or of the row the table picks for the file (the
    // command line; `unknownFormat` when none does), reporting to `progress`.
    // The importer's notices are shown through the prompter.
    ImportSummary ImportFileAs(std::string_view format, const std::string& path,
                               ImportProgress& progress);
    ImportSummary ImportFile(const std::string& path, ImportProgress& progress);
    // Copies every recipe of the box at `path` into the open box, in title
    // order; false with `error` set when that box is the open one or cannot
    // be opened.
    bool ImportWholeBox(const std::string& path, ImportProgress& progress, ImportSummary& summary,
                        std::string& error);
    // The progress window the importers report to.
    ProgressWindow& ImportWindow();

    // Copies the Data and Rbox folders to ~/backup_pantrio; true when both
    // copies succeeded. Shows the outcome.
    bool Backup();
    // Publishes the selected recipes as pages in the Publish folder.
    void PublishSelected();
    // Publishes recipes `ids` with `prompter` for the publishing questions;
    // the number of pages written.
    int Publish(const std::vector<int>& ids, Prompter& prompter);
    // The index page publishing writes.
    std::string PublishIndexPath() const;

    // Runs one statement, as typed, on the open box or on the support
    // database; false with `error` holding the database's report.
    bool RunStatement(const std::string& statement, bool onSupport, StatementRows& result,
                      std::string& error);

private:
    void ImportMasterCookFile(std::string_view format, const std::string& title,
                              const std::string& filter);
    // What the text-file import commands do: the new-box offer (with
    // `guardIcon`), the file dialog, and the import of row `format` with the
    // progress window shown. False when no file was chosen.
    bool ImportTextFile(std::string_view format, MessageIcon guardIcon, const std::string& title,
                        const std::string& filter);
    // The window hears that another box is open or the open one changed.
    void AnnounceBoxChange();

    ControllerContext context_;
    StatusView* status_;
    ImportView* imports_;
    ProgressWindow* progress_;
    SilentProgressWindow silentProgress_;
    ImporterTable importers_ = ImporterTable::Standard();
    long recipeCount_ = 0;
};

}  // namespace pantrio
