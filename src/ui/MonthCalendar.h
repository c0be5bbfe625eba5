// The month calendar of the meal-plan page: one month as a grid of days
// with the selected day marked, arrows to the months before and after, the
// arrow keys to move the selection, and drops onto a day (recipes from the
// results list, entries from the meal lists).
#pragma once

#include <QDate>
#include <QWidget>

class QMimeData;
class QToolButton;
class QLabel;

namespace pantrio {

class MonthCalendar : public QWidget {
    Q_OBJECT

public:
    explicit MonthCalendar(QWidget* parent = nullptr);

    QDate SelectedDate() const { return selected_; }
    // Selects `date` and shows its month; `dateChosen` is not emitted.
    void SetSelectedDate(const QDate& date);
    // The day under `position` (in this widget's coordinates); a null date
    // off the grid of days.
    QDate DateAt(const QPoint& position) const;
    // Where day `date` of the shown month is drawn; empty when not shown.
    QRect DayRect(const QDate& date) const;

    QSize sizeHint() const override;

signals:
    // The user chose a day (click or keys).
    void dateChosen(const QDate& date);
    // Something was dropped on day `date`.
    void droppedOnDay(const QDate& date, const QMimeData* data);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The grid of the shown month below the heading: its top-left corner,
    // cell size and the first day of its first row (a Monday).
    QRect GridRect() const;
    QDate FirstShownDay() const;
    void ShowMonth(const QDate& anyDayOfMonth);
    void Choose(const QDate& date);

    QDate selected_;
    QDate month_;  // the first day of the shown month
    QDate hovered_;
    QToolButton* previous_;
    QToolButton* next_;
    QLabel* title_;
};

}  // namespace pantrio
