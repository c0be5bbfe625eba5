#include "ui/MenusTest.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include "core/MainCommands.h"
#include "mail/MailServer.h"
#include "recipe/Recipe.h"
#include "ui/ResultsPage.h"
#include "ui/ResultsTableModel.h"

using pantrio::CommandEntry;
using pantrio::LayoutItem;
using pantrio::MainCommand;
namespace command = pantrio::command;

namespace {

// The layout in the same terms as MenusTest::Walk.
QStringList Expected(const std::vector<LayoutItem>& layout, const QString& prefix) {
    QStringList out;
    for (const LayoutItem& item : layout) {
        switch (item.kind) {
            case LayoutItem::Kind::Command:
                out << prefix + QString::number(item.id);
                break;
            case LayoutItem::Kind::Separator:
                out << QStringLiteral("separator");
                break;
            case LayoutItem::Kind::BeginMenu:
                out << QStringLiteral("menu ") + QString::fromUtf8(item.text);
                break;
            case LayoutItem::Kind::EndMenu:
                out << QStringLiteral("end");
                break;
        }
    }
    return out;
}

// With PANTRIO_DIALOG_SHOTS naming a folder, a picture of `dialog` goes
// there, to look at the dialogs without a desktop.
void Shoot(QWidget* dialog, const char* name) {
    const QString folder = qEnvironmentVariable("PANTRIO_DIALOG_SHOTS");
    if (!folder.isEmpty()) dialog->grab().save(folder + QLatin1Char('/') + QLatin1String(name));
}

void TypeInto(QWidget* field, const QString& text) {
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, text);
}

}  // namespace

void MenusTest::init() {
    // Accelerators reach the active window only.
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
}

void MenusTest::initTestCase() {
    SetUpWindow();
    for (const char* title : {"Kale Chips", "Lemon Tart", "Mango Salsa"}) {
        pantrio::Recipe recipe;
        recipe.Title = title;
        recipe.Instructions = "Make it.";
        SaveRecipe(recipe);
    }
    main().Results().FillAllRecipes();
    QCOMPARE(Rows(), 3);
}

void MenusTest::CheckAction(QAction* action, const QString& prefix, bool toolbar) {
    bool number = false;
    const int id = action->objectName().mid(prefix.size()).toInt(&number);
    QVERIFY2(action->objectName().startsWith(prefix) && number,
             qPrintable(action->objectName() + QStringLiteral(" ") + action->text()));
    const MainCommand* entry = CommandEntry(id);
    QVERIFY2(entry != nullptr, qPrintable(action->text()));
    seen_ << id;
    QCOMPARE(action->text(), toolbar ? QString::fromUtf8(entry->toolbarText)
                                     : QString::fromStdString(main().CommandCaption(id)));
    QCOMPARE(action->shortcut(),
             toolbar ? QKeySequence() : QKeySequence(QString::fromLatin1(entry->accelerator)));
    QCOMPARE(action->isEnabled(), main().CommandEnabled(id));
}

QStringList MenusTest::Walk(const QList<QAction*>& actions, const QString& prefix, bool toolbar) {
    QStringList out;
    for (QAction* action : actions) {
        if (action->isSeparator()) {
            out << QStringLiteral("separator");
        } else if (action->menu() != nullptr) {
            out << QStringLiteral("menu ") + action->text();
            out += Walk(action->menu()->actions(), prefix, toolbar);
            out << QStringLiteral("end");
        } else {
            CheckAction(action, prefix, toolbar);
            out << action->objectName();
        }
    }
    return out;
}

void MenusTest::WithContextMenu(const QPoint& position, const std::function<void(QMenu*)>& work) {
    bool worked = false;
    QTimer poll;
    poll.setInterval(20);
    connect(&poll, &QTimer::timeout, this, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr || menu->objectName() != QStringLiteral("resultsContextMenu")) return;
        poll.stop();
        worked = true;
        work(menu);
        if (menu->isVisible()) menu->close();
    });
    poll.start();
    // A right-click as the window system delivers it: the button, then (where
    // the button alone does not open it) the request for a context menu.
    QWidget* viewport = window_->resultsPage()->list()->viewport();
    QTest::mouseClick(viewport, Qt::RightButton, Qt::NoModifier, position);
    if (!worked) {
        QContextMenuEvent request(QContextMenuEvent::Mouse, position,
                                  viewport->mapToGlobal(position));
        QApplication::sendEvent(viewport, &request);
    }
    QTRY_VERIFY(worked);
}

QMenu* MenusTest::OpenMenu(const QString& title) {
    QMenuBar* bar = window_->menuBar();
    for (QAction* action : bar->actions()) {
        if (action->text() != title) continue;
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier,
                          bar->actionGeometry(action).center());
        if (!QTest::qWaitFor([&] { return action->menu()->isVisible(); })) return nullptr;
        return action->menu();
    }
    return nullptr;
}

void MenusTest::everyEntryComesFromTheCommandTable() {
    seen_.clear();
    QCOMPARE(Walk(window_->menuBar()->actions(), QStringLiteral("command"), false),
             Expected(pantrio::MenuBarLayout(), QStringLiteral("command")));
    auto* toolBar = window_->findChild<QToolBar*>(QStringLiteral("toolBar"));
    QVERIFY(toolBar != nullptr);
    QCOMPARE(Walk(toolBar->actions(), QStringLiteral("toolbar"), true),
             Expected(pantrio::ToolBarLayout(), QStringLiteral("toolbar")));
    QStringList context;
    WithContextMenu(QPoint(60, 5), [&](QMenu* menu) {
        context = Walk(menu->actions(), QStringLiteral("context"), false);
    });
    QCOMPARE(context, Expected(pantrio::ContextMenuLayout(), QStringLiteral("context")));
    // Every entry of the table with a caption is offered somewhere (the View
    // tab's own buttons, such as Rate, have none and live on that tab).
    for (const MainCommand& c : pantrio::MainCommands())
        if (c.menuText[0] != '\0') QVERIFY2(seen_.contains(c.id), c.menuText);
}

void MenusTest::clicksAndKeysRunTheCommands() {
    auto* pages = window_->findChild<QStackedWidget*>(QStringLiteral("pages"));
    QMenu* view = OpenMenu(QStringLiteral("&View"));
    QVERIFY(view != nullptr);
    auto* nutrients =
        window_->findChild<QAction*>(QStringLiteral("command%1").arg(command::kShowNutrientPage));
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier,
                      view->actionGeometry(nutrients).center());
    QTRY_COMPARE(pages->currentIndex(), 3);
    QTest::keyClick(window_.get(), Qt::Key_1, Qt::ControlModifier);
    QTRY_COMPARE(pages->currentIndex(), 0);

    // A greyed entry does nothing when clicked.
    QMenu* edit = OpenMenu(QStringLiteral("&Edit"));
    QVERIFY(edit != nullptr);
    auto* mark =
        window_->findChild<QAction*>(QStringLiteral("command%1").arg(command::kMarkRecipe));
    QVERIFY(!mark->isEnabled());
    int triggered = 0;
    connect(mark, &QAction::triggered, this, [&] { ++triggered; });
    QTest::mouseClick(edit, Qt::LeftButton, Qt::NoModifier, edit->actionGeometry(mark).center());
    edit->close();
    QCOMPARE(triggered, 0);
}

void MenusTest::greyedEntriesFollowTheOpenBox() {
    const std::string box = main().Boxes().CookbookPath();
    auto* clearMarks =
        window_->findChild<QAction*>(QStringLiteral("command%1").arg(command::kClearMarks));
    auto* find =
        window_->findChild<QAction*>(QStringLiteral("toolbar%1").arg(command::kFindRecipes));
    QVERIFY(clearMarks->isEnabled() && find->isEnabled());
    // A box that cannot be opened leaves none open: the message, the file
    // dialog (cancelled) and the failure message.
    answers_->Then(pantrio::test::DialogAnswerer::PressButton(QMessageBox::Ok));
    answers_->Then([](QWidget* dialog) {
        if (auto* d = qobject_cast<QDialog*>(dialog)) d->reject();
    });
    QVERIFY(!main().Boxes().OpenBox(box + ".gone"));
    QMenu* edit = OpenMenu(QStringLiteral("&Edit"));
    QVERIFY(edit != nullptr);
    QVERIFY(!clearMarks->isEnabled());
    edit->close();

    QVERIFY(main().Boxes().OpenBox(box));
    QTest::keyClick(window_.get(), Qt::Key_1, Qt::ControlModifier);
    QTRY_VERIFY(find->isEnabled());
    main().Results().FillAllRecipes();
}

void MenusTest::theContextMenuAsksForARecipeFirst() {
    pantrio::ResultsListView* list = window_->resultsPage()->list();
    list->clearSelection();
    const QRect last = list->visualRect(window_->resultsModel().index(Rows() - 1, 0));
    // Below the last row nothing gets selected.
    WithContextMenu(QPoint(60, last.bottom() + 20), [&](QMenu* menu) {
        auto* calendar = menu->findChild<QAction*>(
            QStringLiteral("context%1").arg(command::kAddToCalendarContext));
        QVERIFY(calendar != nullptr);
        QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier,
                          menu->actionGeometry(calendar).center());
    });
    QTRY_VERIFY(answers_->messages.contains(QStringLiteral("Please select a recipe first.")));
}

void MenusTest::sendViaEmailReachesTheMailServer() {
    if (const std::string reason = pantrio::test::MailServer::SkipReason(); !reason.empty())
        QSKIP(reason.c_str());
    QTemporaryDir store;
    pantrio::test::MailServer server;
    std::string error;
    QVERIFY2(server.Start({}, store.path().toStdString(), "", error), error.c_str());
    main().Mail().RememberAddress("bob@pantrio.test");

    // Tools "Email Options...": the server, its port and the sender, typed in.
    bool optionsSeen = false;
    answers_->Then([&](QWidget* w) {
        if (w->objectName() != QStringLiteral("emailOptionsDialog")) return;
        optionsSeen = true;
        TypeInto(w->findChild<QLineEdit*>(QStringLiteral("emailServer")),
                 QStringLiteral("127.0.0.1"));
        TypeInto(w->findChild<QSpinBox*>(QStringLiteral("emailPort")),
                 QString::number(server.Port()));
        TypeInto(w->findChild<QLineEdit*>(QStringLiteral("emailAddress")),
                 QStringLiteral("Ann <ann@pantrio.test>"));
        Shoot(w, "email-options.png");
        QTest::mouseClick(w->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                          Qt::LeftButton);
    });
    QMenu* tools = OpenMenu(QStringLiteral("&Tools"));
    QVERIFY(tools != nullptr);
    auto* options =
        tools->findChild<QAction*>(QStringLiteral("command%1").arg(command::kEmailOptions));
    QVERIFY(options != nullptr);
    QTest::mouseClick(tools, Qt::LeftButton, Qt::NoModifier,
                      tools->actionGeometry(options).center());
    QTRY_VERIFY(optionsSeen);
    QTRY_COMPARE(main().Mail().EmailOptions().port, server.Port());

    // "Send via email" on a clicked row; "bo" completes to the remembered
    // address, and Send goes to the server while the window waits.
    ClickRow(0, 60);
    QTRY_VERIFY(main().Recipes().HasCurrent());
    const std::string title = main().Recipes().Current().Title;
    QString subject;
    answers_->Then([&](QWidget* w) {
        if (w->objectName() != QStringLiteral("emailRecipeDialog")) return;
        auto* to = w->findChild<QComboBox*>(QStringLiteral("emailTo"));
        to->lineEdit()->setFocus();
        QTest::keyClicks(to->lineEdit(), QStringLiteral("bo"));
        subject = w->findChild<QLineEdit*>(QStringLiteral("emailSubject"))->text();
        Shoot(w, "email-recipe.png");
        QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("emailSend")), Qt::LeftButton);
    });
    const QRect first =
        window_->resultsPage()->list()->visualRect(window_->resultsModel().index(0, 0));
    WithContextMenu(first.center(), [&](QMenu* menu) {
        auto* send =
            menu->findChild<QAction*>(QStringLiteral("context%1").arg(command::kSendContext));
        QVERIFY(send != nullptr && send->isEnabled());
        QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier,
                          menu->actionGeometry(send).center());
    });
    const QString stored = store.path() + QStringLiteral("/message-1.eml");
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(stored), 15000);
    QCOMPARE(subject, QStringLiteral("Pantrio Recipe: ") + QString::fromStdString(title));
    QFile file(stored);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray message = file.readAll();
    QVERIFY(message.contains("To: bob@pantrio.test"));
    QVERIFY(message.contains("Pantrio_Recipe.rxf"));
    QTRY_COMPARE(window_->statusBar()->currentMessage(), QStringLiteral("The recipe was sent."));
}
