#include "ui/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <algorithm>
#include <cstdio>

#include "base/StartTrace.h"
#include "core/DataFolders.h"
#include "core/MainCommands.h"
#include "render/TemplateCache.h"
#include "search/KeywordStorage.h"
#include "ui/AddToCalendarDialog.h"
#include "ui/CategoryEditDialog.h"
#include "ui/ClearMealPlanDialog.h"
#include "ui/ClipboardImportDialog.h"
#include "ui/CookbookDialog.h"
#include "ui/CookbookPrinter.h"
#include "ui/DesktopBrowser.h"
#include "ui/EditTab.h"
#include "ui/EmailOptionsDialog.h"
#include "ui/EmailRecipeDialog.h"
#include "ui/FindDialog.h"
#include "ui/FindRecipesDialog.h"
#include "ui/ImportFromBoxDialog.h"
#include "ui/ImportProgressWindow.h"
#include "ui/InformationWindow.h"
#include "ui/LeftoverWizardDialog.h"
#include "ui/MealPlanPage.h"
#include "ui/NavigationBar.h"
#include "ui/NewRecipeDialog.h"
#include "ui/NotesTab.h"
#include "ui/NutrientEditorPage.h"
#include "ui/NutritionTab.h"
#include "ui/OptionsDialog.h"
#include "ui/PagePictureDownload.h"
#include "ui/PrintDialog.h"
#include "ui/QtClipboard.h"
#include "ui/QtPrompter.h"
#include "ui/QtSound.h"
#include "ui/RatingDialog.h"
#include "ui/RecipeIcons.h"
#include "ui/ResultsPage.h"
#include "ui/ResultsTableModel.h"
#include "ui/SendingDialog.h"
#include "ui/ShoppingListPage.h"
#include "ui/SplashWindow.h"
#include "ui/WebRecipesDialog.h"
#include "ui/WebViewTab.h"
#include "ui/WindowState.h"

namespace pantrio {

namespace {

// The toolbar's pictures; the buttons' captions come from the command table.
QStyle::StandardPixmap ToolBarIcon(int id) {
    using namespace command;
    switch (id) {
        case kOpenRecipeBox:
            return QStyle::SP_DialogOpenButton;
        case kFindRecipes:
            return QStyle::SP_FileDialogContentsView;
        case kSend:
            return QStyle::SP_ArrowRight;
        case kNewRecipe:
            return QStyle::SP_FileDialogNewFolder;
        case kAddToShoppingList:
            return QStyle::SP_FileDialogListView;
        case kAddToCalendar:
            return QStyle::SP_FileDialogInfoView;
        case kPrevious:
            return QStyle::SP_ArrowUp;
        case kNext:
            return QStyle::SP_ArrowDown;
        case kPostRecipe:
            return QStyle::SP_ArrowForward;
        case kTellAFriend:
            return QStyle::SP_MessageBoxInformation;
        default:
            return QStyle::SP_FileIcon;
    }
}

}  // namespace

MainWindow::MainWindow(SettingsStore& settings, QtPrompter& prompter, MainWindowOptions options)
    : prompter_(prompter), options_(std::move(options)) {
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("Pantrio(tm)"));
    setWindowIcon(ProgramIcon());
    prompter_.SetParent(this);
    windowState_ = std::make_unique<WindowState>(options_.windowStatePath);

    if (options_.installedDataFolder.empty())
        options_.installedDataFolder = DataFolders::InstalledDataFolder();
    sound_ = std::make_unique<QtSound>(SoundsFolder());
    clipboard_ = std::make_unique<QtClipboard>();
    externalBrowser_ = std::make_unique<DesktopBrowser>();
    ExternalBrowser* external =
        options_.externalBrowser != nullptr ? options_.externalBrowser : externalBrowser_.get();
    progress_ = new ImportProgressWindow(this);
    webTab_ = new WebViewTab(nullptr);

    MainDialogEnvironment environment;
    environment.settingsStore = &settings;
    environment.prompter = &prompter_;
    environment.view = this;
    environment.sound = sound_.get();
    environment.browser = webTab_;
    environment.externalBrowser = external;
    environment.clipboard = clipboard_.get();
    environment.progress = progress_;
    environment.dataRoot = options_.dataRoot;
    environment.installedDataFolder = options_.installedDataFolder;
    main_ = std::make_unique<MainDialog>(std::move(environment));
    webTab_->Attach(&main_->Web());
    webTab_->onImport = [this] { ImportFromPageCommand(); };
    webTab_->onRate = [this] { RunCommand(command::kRate); };
    webTab_->onEngineFailed = [this](const std::string& reason) {
        const std::string text =
            "Recipe pages cannot be shown: " + reason +
            " Run the program from a terminal to see the web engine's own messages.";
        std::fprintf(stderr, "pantrio: %s\n", text.c_str());
        prompter_.Message(text, "Pantrio", Buttons::OK, MessageIcon::Error);
    };

    resultsData_ = main_->Results().MakeModel(&prompter_);
    // The list's own count line; the window's status bar takes the other
    // status texts ("Loading Web View...", "Import complete..."), so that
    // the web view's passing texts never wipe out the count.
    resultsData_->statusChanged = [this](const std::string& text) {
        results_->SetStatusText(QString::fromStdString(text));
    };
    model_ = std::make_unique<ResultsTableModel>(*resultsData_, QString());

    BuildPages();
    BuildMenus();
    BuildToolBar();
    ConnectResults();
    statusBar()->setObjectName(QStringLiteral("statusBar"));
}

MainWindow::~MainWindow() {
    // The list's model goes before the view that shows it.
    if (results_ != nullptr) results_->list()->setModel(nullptr);
}

QString MainWindow::ImagesFolder() const {
    return QString::fromStdString(main_->ImagesFolder());
}

QString MainWindow::SoundsFolder() const {
    return QString::fromStdString(options_.installedDataFolder) + QStringLiteral("/Sounds");
}

MainDialog::StartResult MainWindow::Start(const CommandLine& commandLine) {
    if (options_.splash) {
        splash_ = std::make_unique<SplashWindow>();
        splash_->show();
        splash_->SetText(QStringLiteral("Starting..."));
    }
    resize(1200, 800);
    windowState_->Restore(*this, *splitter_);
    TraceStartStep("window state restored");
    const MainDialog::StartResult result = main_->Initialise(commandLine);
    TraceStartStep("box opened, results list filled");
    shoppingPage_->LoadLookups();
    model_->SetImagesFolder(ImagesFolder());
    started_ = true;
    UpdateCommandStates();
    if (result == MainDialog::StartResult::CloseAfterImport) {
        splash_.reset();
        return result;
    }
    show();
    // The splash goes once the window is up; waiting for the window to be
    // exposed first would hold the start back for no gain.
    splash_.reset();
    TraceStartStep("window shown");
    // The web engine is made once the window has shown itself; what the
    // View tab is asked for until then waits for it.
    webTab_->MakeEngineAfterFirstPaint(this);
    if (result == MainDialog::StartResult::Ready) {
        ShowPage(1);
        recipeTabs_->setCurrentWidget(webTab_);
        TraceStartStep("first recipe page asked for");
    }
    return result;
}

// ---------------------------------------------------------------- building

void MainWindow::BuildPages() {
    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setObjectName(QStringLiteral("mainSplitter"));
    navigation_ = new NavigationBar(splitter_);

    pages_ = new QStackedWidget(splitter_);
    pages_->setObjectName(QStringLiteral("pages"));
    auto* recipesPage = new QSplitter(Qt::Horizontal, pages_);
    recipesPage->setObjectName(QStringLiteral("recipesSplitter"));

    resultsColumn_ = new QWidget(recipesPage);
    auto* column = new QVBoxLayout(resultsColumn_);
    column->setContentsMargins(2, 2, 2, 2);
    boxLine_ = new QLabel(resultsColumn_);
    boxLine_->setObjectName(QStringLiteral("boxLine"));
    boxLine_->setWordWrap(true);
    QFont bold = boxLine_->font();
    bold.setBold(true);
    boxLine_->setFont(bold);
    column->addWidget(boxLine_);
    results_ = new ResultsPage(*model_, resultsColumn_);
    column->addWidget(results_, 1);

    recipeTabs_ = new QTabWidget(recipesPage);
    recipeTabs_->setObjectName(QStringLiteral("recipeTabs"));
    webTab_->setParent(recipeTabs_);
    recipeTabs_->addTab(webTab_, QStringLiteral("View"));
    editTab_ = new EditTab(*main_, recipeTabs_);
    recipeTabs_->addTab(editTab_, QStringLiteral("Edit"));
    notesTab_ = new NotesTab(*main_, recipeTabs_);
    recipeTabs_->addTab(notesTab_, QStringLiteral("Notes"));
    nutritionTab_ = new NutritionTab(*main_, recipeTabs_);
    recipeTabs_->addTab(nutritionTab_, QStringLiteral("Nutrition"));
    recipesPage->addWidget(resultsColumn_);
    recipesPage->addWidget(recipeTabs_);
    recipesPage->setStretchFactor(0, 2);
    recipesPage->setStretchFactor(1, 3);
    recipesPage->setSizes({380, 620});
    pages_->addWidget(recipesPage);
    shoppingPage_ = new ShoppingListPage(main_->Shopping(), main_->Lookups(), pages_);
    pages_->addWidget(shoppingPage_);
    planPage_ = new MealPlanPage(main_->MealPlan(), pages_);
    connect(planPage_->MakeShoppingListButton(), &QAbstractButton::clicked, this,
            [this] { main_->Shopping().MakeShoppingListCommand(); });
    pages_->addWidget(planPage_);
    pages_->addWidget(new NutrientEditorPage(main_->Nutrition().Editor(), pages_));

    splitter_->addWidget(navigation_);
    splitter_->addWidget(pages_);
    splitter_->setStretchFactor(1, 1);
    splitter_->setSizes({170, 1030});
    setCentralWidget(splitter_);

    connect(navigation_, &NavigationBar::pageChosen, this,
            [this](int page) { RunCommand(command::kShowRecipesPage + page - 1); });
    connect(navigation_, &NavigationBar::folderOpened, this, &MainWindow::RefreshFolders);
    connect(navigation_, &NavigationBar::folderItemChosen, this,
            [this](int folder, const QString& text) {
                main_->Results().FolderItemChosen(
                    folder == 0 ? RecipeFolder::Cuisines : RecipeFolder::MainIngredients,
                    text.toStdString());
            });
}

QAction* MainWindow::CommandAction(int id, const QString& text, const QString& prefix,
                                   QObject* parent) {
    auto* action = new QAction(text, parent);
    action->setObjectName(prefix + QString::number(id));
    action->setEnabled(main_->CommandEnabled(id));
    connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
    return action;
}

void MainWindow::AddLayout(QMenuBar* bar, QMenu* menu, const std::vector<LayoutItem>& layout,
                           const QString& prefix) {
    std::vector<QMenu*> open;
    if (menu != nullptr) open.push_back(menu);
    for (const LayoutItem& item : layout) {
        switch (item.kind) {
            case LayoutItem::Kind::BeginMenu: {
                const QString caption = QString::fromUtf8(item.text);
                QMenu* sub = open.empty() ? bar->addMenu(caption) : open.back()->addMenu(caption);
                sub->setObjectName(QStringLiteral("menu ") + QString(caption).remove(u'&'));
                // Greyed entries follow the open box whenever a menu opens.
                if (open.empty())
                    connect(sub, &QMenu::aboutToShow, this, &MainWindow::UpdateCommandStates);
                open.push_back(sub);
                break;
            }
            case LayoutItem::Kind::EndMenu:
                open.pop_back();
                break;
            case LayoutItem::Kind::Separator:
                open.back()->addSeparator();
                break;
            case LayoutItem::Kind::Command: {
                QAction* action =
                    CommandAction(item.id, QString::fromStdString(main_->CommandCaption(item.id)),
                                  prefix, open.back());
                const MainCommand* entry = CommandEntry(item.id);
                if (entry != nullptr && *entry->accelerator != '\0')
                    action->setShortcut(QKeySequence(QString::fromLatin1(entry->accelerator)));
                open.back()->addAction(action);
                if (bar != nullptr) commandActions_.push_back({action, item.id});
                break;
            }
        }
    }
}

void MainWindow::BuildMenus() {
    AddLayout(menuBar(), nullptr, MenuBarLayout(), QStringLiteral("command"));
}

void MainWindow::BuildToolBar() {
    QToolBar* bar = addToolBar(QStringLiteral("Commands"));
    bar->setObjectName(QStringLiteral("toolBar"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    for (const LayoutItem& item : ToolBarLayout()) {
        if (item.kind != LayoutItem::Kind::Command) {
            bar->addSeparator();
            continue;
        }
        // The buttons carry no accelerators: those belong to the menu entries,
        // and a key held by two actions would run neither.
        const MainCommand* entry = CommandEntry(item.id);
        QAction* action =
            CommandAction(item.id, QString::fromUtf8(entry != nullptr ? entry->toolbarText : ""),
                          QStringLiteral("toolbar"), bar);
        action->setIcon(style()->standardIcon(ToolBarIcon(item.id)));
        bar->addAction(action);
        commandActions_.push_back({action, item.id});
    }
}

void MainWindow::UpdateCommandStates() {
    for (const auto& [action, id] : commandActions_) action->setEnabled(main_->CommandEnabled(id));
}

void MainWindow::ConnectResults() {
    ResultsListView* list = results_->list();
    connect(list, &ResultsListView::rowClicked, this, [this](int row, int pixelsFromLeft) {
        main_->Results().RowClicked(row, pixelsFromLeft);
    });
    connect(list, &ResultsListView::rowDoubleClicked, this,
            [this](int row) { main_->Recipes().OnRowSelected(row); });
    connect(list, &ResultsListView::selectionMoved, this,
            [this](int row) { main_->Recipes().OnRowSelected(row); });
    connect(list, &ResultsListView::deletePressed, this, [this] { RunCommand(command::kDelete); });
    connect(list, &ResultsListView::typedAhead, this, [this](const QString& text) {
        // The row found gets the selection mark; its recipe is not displayed.
        const int row = main_->Results().TypeAhead(text.toStdString());
        model_->SyncRows();
        if (row >= 0) SelectRow(row);
    });
    connect(list, &QWidget::customContextMenuRequested, this, &MainWindow::ShowContextMenu);
    connect(results_, &ResultsPage::viewEntryChosen, this,
            [this](int entry) { main_->Results().SelectView(entry); });
    connect(results_, &ResultsPage::keywordEntryChosen, this,
            [this](int entry) { main_->Results().SelectKeyword(entry); });
    connect(results_, &ResultsPage::selectorPressed, this, [this] { main_->Results().RunView(); });
    connect(results_, &ResultsPage::headerClicked, this,
            [this](int section) { main_->Results().HeaderClicked(section); });
    connect(results_, &ResultsPage::droppedOnKeywordSelector, this,
            [this] { main_->Results().DroppedOnKeywordSelector(); });
}

void MainWindow::ShowContextMenu(const QPoint& position) {
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("resultsContextMenu"));
    AddLayout(nullptr, &menu, ContextMenuLayout(), QStringLiteral("context"));
    menu.exec(results_->list()->viewport()->mapToGlobal(position));
}

// ---------------------------------------------------------------- commands

void MainWindow::RunCommand(int id) {
    if (!main_->RunCommand(id))
        statusBar()->showMessage(QStringLiteral("Not available yet."), 3000);
    UpdateCommandStates();
}

void MainWindow::ImportFromPageCommand() {
    // The page's address, before the imported recipe's page replaces it.
    // Until the web engine is up there is no page (and nothing to import).
    QWebEngineView* view = webTab_->view();
    const QUrl pageAddress = view != nullptr ? view->page()->url() : QUrl();
    const PageImportResult result = main_->Web().ImportPage(webTab_->DocumentSource());
    if (view == nullptr || result.recipeID <= 0 || result.pictureAddress.empty()) return;
    main_->SetStatusText("Fetching the recipe's picture...");
    const int id = result.recipeID;
    const std::string address = result.pictureAddress;
    PagePictureDownload::Start(
        view->page(), pageAddress, QString::fromStdString(address),
        [this, id, address](const std::string& jpeg, const std::string& failure) {
            main_->Web().StorePagePicture(id, jpeg, address, failure);
        });
}

void MainWindow::RunRatingDialog(RatingController& rating) {
    RatingDialog dialog(rating, main_->ServiceName(), this);
    dialog.exec();
    if (dialog.Shared()) rating.SharingClosed();
}

void MainWindow::RefreshFolders() {
    navigation_->SetFolderItems(main_->Results().FolderEntries(RecipeFolder::Cuisines),
                                main_->Results().FolderEntries(RecipeFolder::MainIngredients));
}

// ---------------------------------------------------------------- MainView

void MainWindow::ShowBoxLine(const std::string& text) {
    boxLine_->setText(QString::fromStdString(text));
}

void MainWindow::SetStatusText(const std::string& text) {
    statusBar()->showMessage(QString::fromStdString(text));
}

void MainWindow::OpenBoxChanged() {
    RefreshFolders();
    // Commands that work on the box follow whether one is open.
    UpdateCommandStates();
}

void MainWindow::SplashText(const std::string& text) {
    if (splash_) splash_->SetText(QString::fromStdString(text));
}

void MainWindow::ClearResults() {
    model_->Clear();
}

int MainWindow::FillResults(const std::string& query) {
    const int rows = model_->Fill(query);
    results_->ShowBoxColumn(false);
    results_->FitColumns();
    return rows;
}

int MainWindow::ShowBoxRows(std::vector<ResultRow> rows, const std::string& status) {
    const int count = model_->FillRows(std::move(rows), status);
    results_->ShowBoxColumn(true);
    return count;
}

int MainWindow::RowCount() {
    return static_cast<int>(resultsData_->TotalRows());
}

long MainWindow::RowRecipeID(int row) {
    const ResultRow* r = resultsData_->Row(row);
    const long id = r != nullptr ? r->recipeID : -1;
    // Reading a row further down reads its batch; the list shows it too.
    model_->SyncRows();
    return id;
}

std::vector<int> MainWindow::SelectedRows() {
    std::vector<int> rows;
    const QItemSelectionModel* selection = results_->list()->selectionModel();
    if (selection == nullptr) return rows;
    for (const QModelIndex& index : selection->selectedRows()) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void MainWindow::SelectRow(int row) {
    if (!model_->EnsureRow(row)) return;
    ResultsListView* list = results_->list();
    const QModelIndex index = model_->index(row, 0);
    list->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    list->scrollTo(index);
}

void MainWindow::RemoveRows(const std::vector<int>&) {
    // The list reads its rows anew from the box, which no longer holds them.
    model_->Reload();
}

ResultsModel* MainWindow::Results() {
    return resultsData_.get();
}

void MainWindow::RowChanged(int row) {
    model_->RowChanged(row);
}

void MainWindow::ShowResultsPageState(const ResultsPageState& state) {
    results_->ShowState(QString::fromStdString(state.viewCaption),
                        QString::fromStdString(state.keywordCaption), state.sortColumn);
}

void MainWindow::SetBusy(bool busy) {
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void MainWindow::RefreshRecipePages() {
    if (nutritionTab_ != nullptr) nutritionTab_->RecipeChanged();
    // Edits refresh the tabs from inside the editors' own signals: the tabs
    // are shown anew once those have returned, and only once for a burst.
    if (recipePagesPending_) return;
    recipePagesPending_ = true;
    QTimer::singleShot(0, this, [this] {
        recipePagesPending_ = false;
        if (editTab_ != nullptr) editTab_->Refresh();
        if (notesTab_ != nullptr) notesTab_->Refresh();
    });
}

std::optional<NewRecipeFields> MainWindow::AskNewRecipe(const NewRecipeFields& proposed,
                                                        const std::vector<std::string>& units) {
    NewRecipeDialog dialog(proposed, units, this);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Fields();
}

void MainWindow::ShowEditTab() {
    ShowPage(1);
    recipeTabs_->setCurrentWidget(editTab_);
    editTab_->FocusQuantity();
}

void MainWindow::ClearLineEntry() {
    editTab_->ClearLineEntry();
}

bool MainWindow::AskMeasures(MeasureForm& form) {
    return NutrientEditorPage::AskMeasures(form, this);
}

bool MainWindow::AskNewFoodName(std::string& name) {
    return NutrientEditorPage::AskNewFoodName(name, this);
}

void MainWindow::ShowPage(int page) {
    if (page < 1 || page > pages_->count()) return;
    // The results list goes with the page that shows it: the recipes page,
    // the shopping list and the meal calendar, which take its rows.
    auto* recipesPage = static_cast<QSplitter*>(pages_->widget(0));
    if (page == 2 || page == 3) {
        if (resultsColumn_->parentWidget() == recipesPage) recipesSizes_ = recipesPage->sizes();
        if (page == 2)
            shoppingPage_->HoldResults(resultsColumn_);
        else
            planPage_->HoldResults(resultsColumn_);
    } else if (page == 1 && resultsColumn_->parentWidget() != recipesPage) {
        recipesPage->insertWidget(0, resultsColumn_);
        resultsColumn_->show();
        if (!recipesSizes_.isEmpty()) recipesPage->setSizes(recipesSizes_);
    }
    pages_->setCurrentIndex(page - 1);
    if (pages_->currentWidget() == planPage_) main_->MealPlan().ShowDay();
}

void MainWindow::RefreshMealPlan() {
    main_->MealPlan().ShowDay();
}

void MainWindow::ShowMealDay(const DateTime& day, const MealDayLists& lists) {
    if (planPage_ != nullptr) planPage_->ShowDay(day, lists);
}

void MainWindow::RunAddToCalendar(const AddToCalendarChoice& initial,
                                  const std::function<bool(const AddToCalendarChoice&)>& accept) {
    AddToCalendarDialog dialog(initial, accept, this);
    dialog.exec();
}

void MainWindow::RunClearMealPlan(
    const DateTime& initial, const std::function<bool(const DateTime&, const DateTime&)>& accept) {
    ClearMealPlanDialog dialog(initial, accept, this);
    dialog.exec();
}

void MainWindow::ShowPrintDialog(const PrintChoices& initial) {
    PrintDialog dialog(*main_, initial, this);
    dialog.setWindowState(dialog.windowState() | Qt::WindowMaximized);
    dialog.exec();
}

std::optional<CookbookChoices> MainWindow::AskCookbook(const CookbookChoices& initial) {
    CookbookDialog dialog(initial, this);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Choices();
}

std::string MainWindow::PrintCookbook(Cookbook& cookbook, const std::string& path) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::string error = PrintCookbookPdf(cookbook, path);
    QApplication::restoreOverrideCursor();
    return error;
}

void MainWindow::BringWebViewToFront() {
    recipeTabs_->setCurrentWidget(webTab_);
}

void MainWindow::SetWebViewExpanded(bool expanded) {
    resultsColumn_->setVisible(!expanded);
}

void MainWindow::SetWebButtons(bool importShown, bool rateShown) {
    webTab_->SetButtons(importShown, rateShown);
}

void MainWindow::SetAddressList(const std::vector<std::string>& addresses) {
    webTab_->SetAddressList(addresses);
}

std::optional<std::vector<int>> MainWindow::ChooseWebRecipes(
    const std::vector<std::string>& titles) {
    WebRecipesDialog dialog(titles, this);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Chosen();
}

bool MainWindow::ShowOptions(OptionsSheet& sheet) {
    OptionsDialog dialog(sheet, this);
    return dialog.exec() == QDialog::Accepted;
}

void MainWindow::ShowInformation(InformationDialog& dialog) {
    InformationWindow window(dialog, this);
    window.exec();
}

void MainWindow::ShowAbout(const std::string& text) {
    QMessageBox box(
        QMessageBox::Information, QStringLiteral("About Pantrio"),
        QString::fromStdString(text) + QStringLiteral("\n\nA recipe manager for your desktop."),
        QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("aboutBox"));
    box.setIconPixmap(ProgramIcon().pixmap(64, 64));
    box.exec();
}

std::optional<std::vector<long>> MainWindow::ChooseRecipesToImport(
    const std::vector<ListRow>& rows) {
    ImportFromBoxDialog dialog(rows, this);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Chosen();
}

std::optional<FindDialogValues> MainWindow::AskFind(const FindDialogValues& last) {
    FindDialog dialog(*main_, last, this);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Values();
}

std::optional<EmailRecipeValues> MainWindow::AskEmailRecipe(
    const EmailRecipeValues& initial, const std::vector<std::string>& remembered) {
    EmailRecipeDialog dialog(initial, remembered, this);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Values();
}

std::optional<EmailOptionsValues> MainWindow::AskEmailOptions(const EmailOptionsValues& current) {
    EmailOptionsDialog dialog(current, this);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Values();
}

void MainWindow::RunWhileSending(const std::string& text,
                                 const std::function<void(const std::atomic<bool>&)>& work) {
    SendingDialog dialog(QString::fromStdString(text), this);
    dialog.Run(work);
}

std::optional<FindRecipesRequest> MainWindow::AskFindRecipes() {
    // The dialog stays open beside the window; its "Find Recipes" button
    // hands the criteria to MainDialog::FindRecipes.
    if (findRecipes_ == nullptr)
        findRecipes_ = new FindRecipesDialog(main_->Find(), main_->ServiceName(), this);
    findRecipes_->Open();
    return std::nullopt;
}

std::optional<LeftoverWizardRequest> MainWindow::AskLeftoverWizard() {
    LeftoverWizardDialog dialog(main_->ServiceName(), this);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Request();
}

std::optional<ScreenImportSlots> MainWindow::AskScreenImport() {
    ClipboardImportDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Slots();
}

void MainWindow::EndDialog() {
    ending_ = true;
    close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    windowState_->Save(*this, *splitter_);
    if (findRecipes_ != nullptr) findRecipes_->close();
    // Exit ends the window at once; a close request runs the close procedure.
    if (!ending_ && started_) main_->Close();
    progress_->hide();
    event->accept();
}

}  // namespace pantrio
