#include "ui/MonthCalendar.h"

#include <QDragEnterEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMimeData>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

namespace pantrio {

namespace {

constexpr int kHeading = 30;   // the month line
constexpr int kWeekdays = 20;  // the weekday names
constexpr int kRows = 6;

bool Accepted(const QMimeData* data) {
    return data->hasFormat(QStringLiteral("application/x-pantrio-recipe-ids")) ||
           data->hasFormat(QStringLiteral("application/x-pantrio-plan-entry"));
}

}  // namespace

MonthCalendar::MonthCalendar(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
    setMouseTracking(true);
    previous_ = new QToolButton(this);
    previous_->setObjectName(QStringLiteral("previousMonth"));
    previous_->setArrowType(Qt::LeftArrow);
    previous_->setToolTip(QStringLiteral("Previous month"));
    next_ = new QToolButton(this);
    next_->setObjectName(QStringLiteral("nextMonth"));
    next_->setArrowType(Qt::RightArrow);
    next_->setToolTip(QStringLiteral("Next month"));
    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("monthTitle"));
    title_->setAlignment(Qt::AlignCenter);
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);
    auto* heading = new QHBoxLayout;
    heading->setContentsMargins(2, 2, 2, 2);
    heading->addWidget(previous_);
    heading->addWidget(title_, 1);
    heading->addWidget(next_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(heading);
    layout->addStretch(1);
    connect(previous_, &QToolButton::clicked, this, [this] { ShowMonth(month_.addMonths(-1)); });
    connect(next_, &QToolButton::clicked, this, [this] { ShowMonth(month_.addMonths(1)); });
    SetSelectedDate(QDate::currentDate());
}

QSize MonthCalendar::sizeHint() const {
    return {7 * 34, kHeading + kWeekdays + kRows * 26};
}

void MonthCalendar::SetSelectedDate(const QDate& date) {
    if (!date.isValid()) return;
    selected_ = date;
    ShowMonth(date);
}

void MonthCalendar::ShowMonth(const QDate& anyDayOfMonth) {
    month_ = QDate(anyDayOfMonth.year(), anyDayOfMonth.month(), 1);
    title_->setText(QLocale().toString(month_, QStringLiteral("MMMM yyyy")));
    update();
}

QRect MonthCalendar::GridRect() const {
    return QRect(0, kHeading + kWeekdays, width(), height() - kHeading - kWeekdays);
}

QDate MonthCalendar::FirstShownDay() const {
    return month_.addDays(1 - month_.dayOfWeek());
}

QDate MonthCalendar::DateAt(const QPoint& position) const {
    const QRect grid = GridRect();
    if (!grid.contains(position) || grid.width() < 7 || grid.height() < kRows) return {};
    const int column = (position.x() - grid.left()) * 7 / grid.width();
    const int row = (position.y() - grid.top()) * kRows / grid.height();
    const QDate date = FirstShownDay().addDays(row * 7 + column);
    // Days of the months around are drawn faintly and are not targets.
    return date.month() == month_.month() ? date : QDate();
}

QRect MonthCalendar::DayRect(const QDate& date) const {
    const qint64 index = FirstShownDay().daysTo(date);
    if (date.month() != month_.month() || date.year() != month_.year() || index < 0) return {};
    const QRect grid = GridRect();
    const int column = static_cast<int>(index % 7), row = static_cast<int>(index / 7);
    const int left = grid.left() + column * grid.width() / 7;
    const int top = grid.top() + row * grid.height() / kRows;
    return QRect(left, top, grid.left() + (column + 1) * grid.width() / 7 - left,
                 grid.top() + (row + 1) * grid.height() / kRows - top);
}

void MonthCalendar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& colors = palette();
    painter.fillRect(rect(), colors.base());
    const QRect grid = GridRect();
    for (int column = 0; column < 7; ++column) {
        const QRect cell(grid.left() + column * grid.width() / 7, kHeading, grid.width() / 7,
                         kWeekdays);
        painter.setPen(colors.color(QPalette::PlaceholderText));
        painter.drawText(cell, Qt::AlignCenter,
                         QLocale().dayName(column + 1, QLocale::ShortFormat));
    }
    const QDate first = FirstShownDay();
    for (int i = 0; i < 7 * kRows; ++i) {
        const QDate day = first.addDays(i);
        const int column = i % 7, row = i / 7;
        const QRect cell(grid.left() + column * grid.width() / 7,
                         grid.top() + row * grid.height() / kRows, grid.width() / 7,
                         grid.height() / kRows);
        const bool inMonth = day.month() == month_.month();
        if (day == selected_ && inMonth) {
            painter.fillRect(cell.adjusted(1, 1, -1, -1), colors.highlight());
            painter.setPen(colors.color(QPalette::HighlightedText));
        } else {
            if (day == hovered_ && inMonth) painter.fillRect(cell, colors.alternateBase());
            painter.setPen(inMonth ? colors.color(QPalette::Text)
                                   : colors.color(QPalette::PlaceholderText));
        }
        if (day == QDate::currentDate()) painter.drawRect(cell.adjusted(1, 1, -2, -2));
        painter.drawText(cell, Qt::AlignCenter, QString::number(day.day()));
    }
}

void MonthCalendar::Choose(const QDate& date) {
    if (!date.isValid()) return;
    SetSelectedDate(date);
    emit dateChosen(date);
}

void MonthCalendar::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    Choose(DateAt(event->position().toPoint()));
}

void MonthCalendar::keyPressEvent(QKeyEvent* event) {
    int days = 0;
    switch (event->key()) {
        case Qt::Key_Left:
            days = -1;
            break;
        case Qt::Key_Right:
            days = 1;
            break;
        case Qt::Key_Up:
            days = -7;
            break;
        case Qt::Key_Down:
            days = 7;
            break;
        case Qt::Key_PageUp:
            Choose(selected_.addMonths(-1));
            return;
        case Qt::Key_PageDown:
            Choose(selected_.addMonths(1));
            return;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    Choose(selected_.addDays(days));
}

void MonthCalendar::dragEnterEvent(QDragEnterEvent* event) {
    if (Accepted(event->mimeData())) event->acceptProposedAction();
}

void MonthCalendar::dragMoveEvent(QDragMoveEvent* event) {
    // The whole calendar takes the drop, so an entry let go between the days
    // stays where it was; only a day does something with it.
    if (!Accepted(event->mimeData())) return;
    event->acceptProposedAction();
    const QDate day = DateAt(event->position().toPoint());
    if (day != hovered_) {
        hovered_ = day;
        update();
    }
}

void MonthCalendar::dragLeaveEvent(QDragLeaveEvent*) {
    hovered_ = QDate();
    update();
}

void MonthCalendar::dropEvent(QDropEvent* event) {
    hovered_ = QDate();
    if (!Accepted(event->mimeData())) return;
    event->acceptProposedAction();
    const QDate day = DateAt(event->position().toPoint());
    if (!day.isValid()) {
        update();
        return;
    }
    SetSelectedDate(day);
    emit droppedOnDay(day, event->mimeData());
}

}  // namespace pantrio
