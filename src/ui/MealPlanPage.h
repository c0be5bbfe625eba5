// The meal-plan page ("Meal Calendar"): a month calendar on the left and the
// selected day's four meal lists. Recipes are dragged onto it from the
// results list; entries are dragged between the lists, onto days, or onto
// the page's background to take them off. Every drag has a menu and key
// equivalent: the context menu of an entry, Delete, Space and Enter.
#pragma once

#include <QTreeWidget>
#include <QWidget>
#include <array>

#include "core/MealPlanView.h"

class QMimeData;
class QPushButton;
class QSplitter;

namespace pantrio {

class MealPlanController;
class MonthCalendar;

// One of the four meal lists: the title and "[scale]" of each entry, with
// the entry's number as the row's data.
class MealListView : public QTreeWidget {
    Q_OBJECT

public:
    MealListView(int mealCode, QWidget* parent);
    int MealCode() const { return meal_; }
    // The entry of the current row; 0 when none.
    long CurrentEntry() const;

signals:
    void markClicked(long entry);
    void openRequested(long entry);
    void removeRequested(long entry);
    void menuRequested(long entry, const QPoint& globalPosition);
    void droppedHere(const QMimeData* data);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    long EntryAt(const QPoint& viewportPosition) const;
    int meal_;
};

class MealPlanPage : public QWidget {
    Q_OBJECT

public:
    MealPlanPage(MealPlanController& plan, QWidget* parent);

    // Shows `day` on the calendar and `lists` in the four lists.
    void ShowDay(const DateTime& day, const MealDayLists& lists);
    MonthCalendar* Calendar() const { return calendar_; }
    MealListView* List(int index) const { return lists_[static_cast<std::size_t>(index)]; }
    QPushButton* MakeShoppingListButton() const { return makeList_; }
    // Shows the window's results list at the page's left, so its rows can be
    // dragged onto the calendar and the lists.
    void HoldResults(QWidget* results);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void ShowEntryMenu(long entry, const QPoint& globalPosition);
    void MoveToOtherDay(long entry);

    MealPlanController& plan_;
    QSplitter* splitter_;
    MonthCalendar* calendar_;
    QPushButton* makeList_;
    std::array<MealListView*, 4> lists_{};
};

}  // namespace pantrio
