// The menu bar, the toolbar and the results list's context menu: what they
// show comes from the command table, and clicks and keys run its commands.
#pragma once

#include <QObject>
#include <QStringList>
#include <functional>

#include "ui/WindowFixture.h"

class QMenu;

class MenusTest : public QObject, protected pantrio::test::WindowFixture {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { TearDownWindow(); }
    void init();

    void everyEntryComesFromTheCommandTable();
    void clicksAndKeysRunTheCommands();
    void greyedEntriesFollowTheOpenBox();
    void theContextMenuAsksForARecipeFirst();
    void sendViaEmailReachesTheMailServer();

private:
    // The entries of `actions` as the layout names them, each command entry
    // checked against its table entry.
    QStringList Walk(const QList<QAction*>& actions, const QString& prefix, bool toolbar);
    void CheckAction(QAction* action, const QString& prefix, bool toolbar);
    // Right-clicks the results list at `position` and hands the context menu
    // to `work` while it is open.
    void WithContextMenu(const QPoint& position, const std::function<void(QMenu*)>& work);
    // Opens a menu of the menu bar by clicking its title.
    QMenu* OpenMenu(const QString& title);

    QList<int> seen_;
};
