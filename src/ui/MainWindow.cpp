#include "ui/MainWindow.h"

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
#include <QTabWidget>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "core/DataFolders.h"
#include "core/MainCommands.h"
#include "render/TemplateCache.h"
#include "search/KeywordStorage.h"
#include "ui/CategoryEditDialog.h"
#include "ui/ClipboardImportDialog.h"
#include "ui/DesktopBrowser.h"
#include "ui/FindDialog.h"
#include "ui/FindRecipesDialog.h"
#include "ui/ImportFromBoxDialog.h"
#include "ui/ImportProgressWindow.h"
#include "ui/InformationWindow.h"
#include "ui/LeftoverWizardDialog.h"
#include "ui/NavigationBar.h"
#include "ui/OptionsDialog.h"
#include "ui/QtClipboard.h"
#include "ui/QtPrompter.h"
#include "ui/QtSound.h"
#include "ui/RecipeIcons.h"
#include "ui/ResultsPage.h"
#include "ui/ResultsTableModel.h"
#include "ui/SplashWindow.h"
#include "ui/WebViewTab.h"
#include "ui/WindowState.h"

namespace pantrio {

namespace {

// Commands whose windows are part of the desktop program.
constexpr int kWindowAddToCalendar = 32801;
constexpr int kWindowAddToCalendarContext = 32825;
// Commands of parts of the program that this window does not offer yet; their
// entries are shown greyed.
constexpr int kWindowPrint = 242;
constexpr int kWindowPrintContext = 151;
constexpr int kWindowOpenShoppingList = 32834;
constexpr int kWindowSaveShoppingList = 32832;
constexpr int kWindowClearMealPlan = 32821;
constexpr int kWindowNewRecipe = 32786;
constexpr int kWindowSend = 32787;
constexpr int kWindowSendContext = 32824;
constexpr int kWindowAddToShoppingList = 231;

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
    webTab_->onRate = [this] { RateCommand(); };

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
    const MainDialog::StartResult result = main_->Initialise(commandLine);
    model_->SetImagesFolder(ImagesFolder());
    started_ = true;
    if (splash_) {
        splash_->finish(this);
        splash_.reset();
    }
    if (result == MainDialog::StartResult::CloseAfterImport) return result;
    show();
    if (result == MainDialog::StartResult::Ready) {
        RefreshFolders();
        ShowPage(1);
        recipeTabs_->setCurrentWidget(webTab_);
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
    auto placeholder = [this](const char* name, const QString& text) {
        auto* page = new QWidget(recipeTabs_);
        page->setObjectName(QString::fromLatin1(name));
        auto* layout = new QVBoxLayout(page);
        auto* label = new QLabel(text, page);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label, 1);
        return page;
    };
    recipeTabs_->addTab(
        placeholder("editTab", QStringLiteral("Editing recipes field by field comes with a later "
                                              "version of Pantrio.")),
        QStringLiteral("Edit"));
    QWidget* notes = placeholder(
        "notesTab", QStringLiteral("The recipe's keywords are edited with \"Categories...\"."));
    auto* categories = new QPushButton(QStringLiteral("Categories..."), notes);
    categories->setObjectName(QStringLiteral("categoriesButton"));
    notes->layout()->addWidget(categories);
    connect(categories, &QPushButton::clicked, this, [this] {
        CategoryEditDialog dialog(main_->Recipes(), this);
        if (dialog.Opened()) dialog.exec();
    });
    recipeTabs_->addTab(notes, QStringLiteral("Notes"));
    recipeTabs_->addTab(
        placeholder("nutritionTab",
                    QStringLiteral("Nutrition totals come with a later version of Pantrio.")),
        QStringLiteral("Nutrition"));
    recipesPage->addWidget(resultsColumn_);
    recipesPage->addWidget(recipeTabs_);
    recipesPage->setStretchFactor(0, 2);
    recipesPage->setStretchFactor(1, 3);
    recipesPage->setSizes({380, 620});
    pages_->addWidget(recipesPage);
    const char* const later[] = {"The shopping list", "The meal calendar",
                                 "The nutrient information"};
    for (const char* what : later) {
        auto* label = new QLabel(
            QString::fromLatin1(what) + QStringLiteral(" comes with a later version of Pantrio."),
            pages_);
        label->setAlignment(Qt::AlignCenter);
        pages_->addWidget(label);
    }

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

void MainWindow::BuildMenus() {
    auto add = [this](QMenu* menu, int id, const QString& text,
                      const QKeySequence& shortcut = QKeySequence()) {
        QAction* action = menu->addAction(text);
        action->setObjectName(QStringLiteral("command%1").arg(id));
        if (!shortcut.isEmpty()) action->setShortcut(shortcut);
        // Entries of the command table that the window does not offer are greyed.
        if (MainDialog::HasCommand(id)) action->setEnabled(MainDialog::CommandEnabled(id));
        connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
        return action;
    };
    auto later = [&add](QMenu* menu, int id, const QString& text) {
        add(menu, id, text)->setEnabled(false);
    };
    using namespace command;
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    add(file, kNewRecipeBox, QStringLiteral("&New Recipe Box"), QKeySequence::New);
    add(file, kOpenRecipeBox, QStringLiteral("&Open Recipe Box"), QKeySequence::Open);
    file->addSeparator();
    later(file, kWindowPrint, QStringLiteral("&Print..."));
    later(file, kWindowOpenShoppingList, QStringLiteral("Open Sh&opping List"));
    later(file, kWindowSaveShoppingList, QStringLiteral("Save S&hopping List"));
    file->addSeparator();
    QMenu* import = file->addMenu(QStringLiteral("&Import Recipes"));
    add(import, kImportRecipeFile, QStringLiteral("from Pantrio Recipe File (.RXF)"),
        QKeySequence(Qt::CTRL | Qt::Key_I));
    add(import, kImportRecipeBox, QStringLiteral("from Pantrio Recipe Box (.CRB)"));
    add(import, kImportCookn, QStringLiteral("from Cook'n (.DBF)"));
    add(import, kImportMealMaster, QStringLiteral("from MealMaster (.MMF)"));
    add(import, kImportMasterCookMx2, QStringLiteral("from MasterCook (.MX2)"));
    add(import, kImportMasterCook, QStringLiteral("from MasterCook (.MXP)"));
    add(import, kImportClipboard, QStringLiteral("from Clipboard (Text or Web)"));
    QMenu* publish = file->addMenu(QStringLiteral("P&ublish Recipes"));
    add(publish, command::kPublishToHtml, QStringLiteral("To HTML"));
    add(publish, kPublishToService,
        QStringLiteral("To ") + QString::fromStdString(main_->ServiceName()));
    file->addSeparator();
    add(file, kBackup, QStringLiteral("&Backup Pantrio Files"));
    file->addSeparator();
    add(file, kExit, QStringLiteral("E&xit"), QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    add(edit, kScreenImport, QStringLiteral("&Screen Import"));
    add(edit, kFindRecipes, QStringLiteral("&Find Recipes..."), QKeySequence::Find);
    add(edit, kMarkRecipe, QStringLiteral("&Mark Recipe"));
    later(edit, kWindowClearMealPlan, QStringLiteral("C&lear Meal Plan..."));
    add(edit, kClearMarks, QStringLiteral("&Clear Marked Recipes"));

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    add(view, kInformation, QStringLiteral("Recipe &Box Information"));
    view->addSeparator();
    add(view, kShowRecipesPage, QStringLiteral("&Recipes"), QKeySequence(Qt::CTRL | Qt::Key_1));
    add(view, kShowShoppingListPage, QStringLiteral("&Shopping List"),
        QKeySequence(Qt::CTRL | Qt::Key_2));
    add(view, kShowCalendarPage, QStringLiteral("Meal &Calendar"),
        QKeySequence(Qt::CTRL | Qt::Key_3));
    add(view, kShowNutrientPage, QStringLiteral("&Nutrient Information"),
        QKeySequence(Qt::CTRL | Qt::Key_4));
    view->addSeparator();
    add(view, kExpandWebView, QStringLiteral("&Expand/Contract Web View"),
        QKeySequence(Qt::Key_F11));

    QMenu* tools = menuBar()->addMenu(QStringLiteral("&Tools"));
    add(tools, kIdeaWizard, QStringLiteral("&Idea Wizard"));
    add(tools, kLeftoverWizard, QStringLiteral("&Leftover Wizard"));
    tools->addSeparator();
    add(tools, kOptions, QStringLiteral("&Options..."));

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    add(help, kHelpContents, QStringLiteral("&Contents..."), QKeySequence::HelpContents);
    add(help, kHelpIndex, QStringLiteral("&Index..."));
    add(help, kHelpSearch, QStringLiteral("&Search..."));
    help->addSeparator();
    add(help, kCheckForUpdates, QStringLiteral("Check Online for &Updates..."));
    add(help, kForum, QStringLiteral("&Pantrio User to User Forum"));
    help->addSeparator();
    add(help, kAbout, QStringLiteral("&About Pantrio"));
}

void MainWindow::BuildToolBar() {
    QToolBar* bar = addToolBar(QStringLiteral("Commands"));
    bar->setObjectName(QStringLiteral("toolBar"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    QStyle* s = style();
    struct Button {
        int id;
        const char* text;
        QStyle::StandardPixmap icon;
        bool available;
        bool separatorAfter;
    };
    using namespace command;
    const Button buttons[] = {
        {kOpenRecipeBox, "Open Box", QStyle::SP_DialogOpenButton, true, true},
        {kFindRecipes, "Find", QStyle::SP_FileDialogContentsView, true, true},
        {kWindowSend, "Send", QStyle::SP_ArrowRight, false, true},
        {kWindowPrintContext, "Print", QStyle::SP_FileIcon, false, true},
        {kWindowNewRecipe, "New", QStyle::SP_FileDialogNewFolder, false, true},
        {kWindowAddToShoppingList, "Add Shop", QStyle::SP_FileDialogListView, false, false},
        {kWindowAddToCalendar, "Add Cal", QStyle::SP_FileDialogInfoView, true, true},
        {kPrevious, "Previous", QStyle::SP_ArrowUp, true, false},
        {kNext, "Next", QStyle::SP_ArrowDown, true, true},
        {kPostRecipe, "Post Recipe", QStyle::SP_ArrowForward, true, true},
        {kTellAFriend, "Tell a Friend", QStyle::SP_MessageBoxInformation, true, false},
    };
    for (const Button& b : buttons) {
        QAction* action = bar->addAction(s->standardIcon(b.icon), QString::fromLatin1(b.text));
        action->setObjectName(QStringLiteral("toolbar%1").arg(b.id));
        action->setEnabled(b.available);
        const int id = b.id;
        connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
        if (b.separatorAfter) bar->addSeparator();
    }
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
    auto add = [this](QMenu* into, int id, const QString& text, bool enabled = true) {
        QAction* action = into->addAction(text);
        action->setObjectName(QStringLiteral("context%1").arg(id));
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
    };
    add(&menu, kWindowPrintContext, QStringLiteral("P&rint..."), false);
    add(&menu, kWindowSendContext, QStringLiteral("&Send via email"), false);
    add(&menu, kWindowAddToShoppingList, QStringLiteral("&Add Recipe Ingredients to Shopping List"),
        false);
    add(&menu, kWindowAddToCalendarContext, QStringLiteral("Add Recipe to &Calendar"));
    menu.addSeparator();
    QMenu* keywords = menu.addMenu(QStringLiteral("Add Keyword"));
    keywords->setObjectName(QStringLiteral("addKeywordMenu"));
    for (const QuickKeyword& k : QuickKeywords()) {
        add(keywords, k.commandID, QString::fromUtf8(k.menuText));
        if (k.separatorAfter) keywords->addSeparator();
    }
    add(&menu, command::kDelete, QStringLiteral("&Delete"));
    menu.addSeparator();
    add(&menu, command::kFindOnService,
        QStringLiteral("Find on ") + QString::fromStdString(main_->ServiceName()));
    add(&menu, command::kPublishToHtmlContext, QStringLiteral("P&ublish to HTML..."));
    menu.exec(results_->list()->viewport()->mapToGlobal(position));
}

// ---------------------------------------------------------------- commands

void MainWindow::RunCommand(int id) {
    if (id == kWindowAddToCalendar || id == kWindowAddToCalendarContext) {
        AddToCalendarCommand();
        return;
    }
    // A greyed entry of the command table does nothing, whatever triggers it.
    if (MainDialog::HasCommand(id) && !MainDialog::CommandEnabled(id)) return;
    if (!main_->RunCommand(id))
        statusBar()->showMessage(QStringLiteral("Not available yet."), 3000);
}

void MainWindow::AddToCalendarCommand() {
    if (SelectedRows().empty()) {
        main_->prompter().Message("Please select a recipe first.");
        return;
    }
    statusBar()->showMessage(QStringLiteral("The meal calendar is not available yet."), 3000);
}

void MainWindow::ImportFromPageCommand() {
    main_->Web().ImportPage(webTab_->DocumentSource());
}

void MainWindow::RateCommand() {
    if (main_->Web().PageKind() == WebView::kImportablePage)
        main_->Web().ImportPage(webTab_->DocumentSource());
    statusBar()->showMessage(QStringLiteral("Rating recipes comes with a later version."), 3000);
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
}

void MainWindow::SplashText(const std::string& text) {
    if (splash_) splash_->SetText(QString::fromStdString(text));
}

void MainWindow::ClearResults() {
    model_->Clear();
}

int MainWindow::FillResults(const std::string& query) {
    const int rows = model_->Fill(query);
    results_->FitColumns();
    return rows;
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

void MainWindow::RefreshRecipePages() {}

void MainWindow::ShowPage(int page) {
    if (page < 1 || page > pages_->count()) return;
    pages_->setCurrentIndex(page - 1);
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
