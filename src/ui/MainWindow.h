// The main window of the desktop program: menu bar, toolbar, navigation bar,
// the results page and the recipe tabs with the View tab's browser. It is the
// MainView of the main window's logic (MainDialog), which it owns for the
// whole run; every menu entry, toolbar button and context-menu entry runs a
// command of that logic by its id, and the dialogs hand their values to it.
#pragma once

#include <QMainWindow>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/CommandLine.h"
#include "core/MainCommands.h"
#include "core/MainDialog.h"
#include "core/MainView.h"
#include "search/ResultsModel.h"

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QSplitter;
class QStackedWidget;
class QTabWidget;

namespace pantrio {

class DesktopBrowser;
class MealPlanPage;
class EditTab;
class NotesTab;
class ExternalBrowser;
class FindRecipesDialog;
class ImportProgressWindow;
class NavigationBar;
class NutritionTab;
class QtClipboard;
class QtPrompter;
class QtSound;
class ResultsPage;
class ResultsTableModel;
class ShoppingListPage;
class SettingsStore;
class SplashWindow;
class WebViewTab;
class WindowState;

struct MainWindowOptions {
    // Overrides the stored data root; empty for the setting or the default.
    std::string dataRoot;
    // The installed data folder; empty for the program's own.
    std::string installedDataFolder;
    // Where the window's size and position are kept; empty for the default.
    QString windowStatePath;
    // Show the start-up window.
    bool splash = true;
    // Opens help, forum and published pages; empty for the user's own browser.
    ExternalBrowser* externalBrowser = nullptr;
};

class MainWindow : public QMainWindow, public MainView {
    Q_OBJECT
public:
    MainWindow(SettingsStore& settings, QtPrompter& prompter, MainWindowOptions options = {});
    ~MainWindow() override;

    // Runs the start-up of the main window's logic and shows the window.
    MainDialog::StartResult Start(const CommandLine& commandLine);

    // Runs a command of the menus, the toolbar or the context menu.
    void RunCommand(int id);

    MainDialog& main() { return *main_; }
    WebViewTab* webTab() const { return webTab_; }
    ResultsPage* resultsPage() const { return results_; }
    ResultsTableModel& resultsModel() { return *model_; }

    // MainView
    void ShowBoxLine(const std::string& text) override;
    void SetStatusText(const std::string& text) override;
    void SplashText(const std::string& text) override;
    void OpenBoxChanged() override;
    void ClearResults() override;
    int FillResults(const std::string& query) override;
    int RowCount() override;
    long RowRecipeID(int row) override;
    std::vector<int> SelectedRows() override;
    void SelectRow(int row) override;
    void RemoveRows(const std::vector<int>& rows) override;
    ResultsModel* Results() override;
    void RowChanged(int row) override;
    void ShowResultsPageState(const ResultsPageState& state) override;
    void SetBusy(bool busy) override;
    void RefreshRecipePages() override;
    std::optional<NewRecipeFields> AskNewRecipe(const NewRecipeFields& proposed,
                                                const std::vector<std::string>& units) override;
    void ShowEditTab() override;
    void ClearLineEntry() override;
    bool AskMeasures(MeasureForm& form) override;
    bool AskNewFoodName(std::string& name) override;
    void ShowPage(int page) override;
    void BringWebViewToFront() override;
    void SetWebViewExpanded(bool expanded) override;
    void SetWebButtons(bool importShown, bool rateShown) override;
    void SetAddressList(const std::vector<std::string>& addresses) override;
    std::optional<std::vector<int>> ChooseWebRecipes(
        const std::vector<std::string>& titles) override;
    bool ShowOptions(OptionsSheet& sheet) override;
    void ShowInformation(InformationDialog& dialog) override;
    void ShowAbout(const std::string& text) override;
    std::optional<std::vector<long>> ChooseRecipesToImport(
        const std::vector<ListRow>& rows) override;
    std::optional<FindDialogValues> AskFind(const FindDialogValues& last) override;
    std::optional<FindRecipesRequest> AskFindRecipes() override;
    std::optional<LeftoverWizardRequest> AskLeftoverWizard() override;
    std::optional<ScreenImportSlots> AskScreenImport() override;
    std::optional<EmailRecipeValues> AskEmailRecipe(
        const EmailRecipeValues& initial, const std::vector<std::string>& remembered) override;
    std::optional<EmailOptionsValues> AskEmailOptions(const EmailOptionsValues& current) override;
    void RunWhileSending(const std::string& text,
                         const std::function<void(const std::atomic<bool>&)>& work) override;
    void EndDialog() override;
    void RefreshMealPlan() override;
    void ShowMealDay(const DateTime& day, const MealDayLists& lists) override;
    void RunAddToCalendar(const AddToCalendarChoice& initial,
                          const std::function<bool(const AddToCalendarChoice&)>& accept) override;
    void RunClearMealPlan(
        const DateTime& initial,
        const std::function<bool(const DateTime&, const DateTime&)>& accept) override;
    void ShowPrintDialog(const PrintChoices& initial) override;
    void RunRatingDialog(RatingController& rating) override;
    MealPlanPage* planPage() const { return planPage_; }
    // The shopping list page and its dialogs (MainWindowShopping.cpp).
    void ShowShoppingRows(const std::vector<ShoppingGridRow>& rows) override;
    void ShowShoppingRecipes(const std::vector<ListRow>& rows) override;
    void ShowCombined(bool combined) override;
    void ResetItemEntry() override;
    std::optional<AddToShoppingListForm> AskAddToShoppingList(
        const AddToShoppingListForm& form) override;
    std::optional<std::vector<long>> AskMakeShoppingList(
        const DateTime& from, const DateTime& to,
        const std::function<std::vector<ListRow>(const DateTime&, const DateTime&)>& entries)
        override;
    ShoppingListPage* shoppingPage() const { return shoppingPage_; }
    // The modeless Find Recipes dialog once it was opened; null before.
    FindRecipesDialog* findRecipesDialog() const { return findRecipes_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void BuildToolBar();
    // An action that runs command `id`, named prefix + id, greyed as the
    // command table says.
    QAction* CommandAction(int id, const QString& text, const QString& prefix, QObject* parent);
    // Adds a layout of the command table to the menu bar (bar) or to a menu.
    void AddLayout(QMenuBar* bar, QMenu* menu, const std::vector<LayoutItem>& layout,
                   const QString& prefix);
    // Greys the menu-bar and toolbar entries whose command may not run now.
    void UpdateCommandStates();
    void BuildPages();
    void ConnectResults();
    void ShowContextMenu(const QPoint& position);
    void RefreshFolders();
    QString ImagesFolder() const;
    QString SoundsFolder() const;

    // Commands whose windows live here.
    void ImportFromPageCommand();

    QtPrompter& prompter_;
    MainWindowOptions options_;
    std::unique_ptr<QtSound> sound_;
    std::unique_ptr<QtClipboard> clipboard_;
    std::unique_ptr<DesktopBrowser> externalBrowser_;
    std::unique_ptr<WindowState> windowState_;
    ImportProgressWindow* progress_ = nullptr;
    WebViewTab* webTab_ = nullptr;
    std::unique_ptr<MainDialog> main_;
    std::unique_ptr<ResultsModel> resultsData_;
    std::unique_ptr<ResultsTableModel> model_;
    std::unique_ptr<SplashWindow> splash_;
    QSplitter* splitter_ = nullptr;
    NavigationBar* navigation_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    ResultsPage* results_ = nullptr;
    MealPlanPage* planPage_ = nullptr;
    QList<int> recipesSizes_;  // the recipes page's split while the list is lent out
    ShoppingListPage* shoppingPage_ = nullptr;
    QWidget* resultsColumn_ = nullptr;
    QTabWidget* recipeTabs_ = nullptr;
    EditTab* editTab_ = nullptr;
    NotesTab* notesTab_ = nullptr;
    bool recipePagesPending_ = false;
    NutritionTab* nutritionTab_ = nullptr;
    QLabel* boxLine_ = nullptr;
    FindRecipesDialog* findRecipes_ = nullptr;
    // The menu-bar and toolbar actions with their commands.
    std::vector<std::pair<QAction*, int>> commandActions_;
    bool ending_ = false;
    bool started_ = false;
};

}  // namespace pantrio
