#include "ui/MealPlanPage.h"

#include <QContextMenuEvent>
#include <QDateEdit>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDrag>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSplitter>
#include <QToolTip>
#include <QVBoxLayout>

#include "core/MealPlanController.h"
#include "ui/MonthCalendar.h"
#include "ui/RecipeIcons.h"

namespace pantrio {

namespace {

const QString kRecipeIds = QStringLiteral("application/x-pantrio-recipe-ids");
const QString kPlanEntry = QStringLiteral("application/x-pantrio-plan-entry");

// A click this far from a row's left edge lands on its icon and marks it.
constexpr int kIconWidth = 18;

QDate ToQDate(const DateTime& day) {
    return QDate(day.year, day.month, day.day);
}
DateTime FromQDate(const QDate& day) {
    return DateTime::FromDate(day.year(), day.month(), day.day());
}

long EntryOf(const QMimeData* data) {
    return data->data(kPlanEntry).toLong();
}

std::vector<long> RecipesOf(const QMimeData* data) {
    std::vector<long> ids;
    for (const QByteArray& part : data->data(kRecipeIds).split(','))
        if (const long id = part.toLong(); id > 0) ids.push_back(id);
    return ids;
}

}  // namespace

// ---------------------------------------------------------------- the lists

MealListView::MealListView(int mealCode, QWidget* parent) : QTreeWidget(parent), meal_(mealCode) {
    setColumnCount(2);
    setHeaderLabels({QString::fromStdString(MealPlanController::ListHeader(mealCode)),
                     QStringLiteral("Scale")});
    setRootIsDecorated(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    setDragDropMode(QAbstractItemView::DragDrop);
    setMouseTracking(true);
    header()->setStretchLastSection(false);
}

long MealListView::CurrentEntry() const {
    const QTreeWidgetItem* item = currentItem();
    return item != nullptr ? item->data(0, Qt::UserRole).toLongLong() : 0;
}

long MealListView::EntryAt(const QPoint& viewportPosition) const {
    const QTreeWidgetItem* item = itemAt(viewportPosition);
    return item != nullptr ? item->data(0, Qt::UserRole).toLongLong() : 0;
}

void MealListView::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const long entry = EntryAt(at);
    QTreeWidget::mousePressEvent(event);
    if (entry > 0 && event->button() == Qt::LeftButton && at.x() <= kIconWidth)
        emit markClicked(entry);
}

void MealListView::mouseDoubleClickEvent(QMouseEvent* event) {
    const long entry = EntryAt(event->position().toPoint());
    if (entry > 0) emit openRequested(entry);
}

void MealListView::keyPressEvent(QKeyEvent* event) {
    const long entry = CurrentEntry();
    if (entry > 0) {
        switch (event->key()) {
            case Qt::Key_Delete:
                emit removeRequested(entry);
                return;
            case Qt::Key_Space:
                emit markClicked(entry);
                return;
            case Qt::Key_Return:
            case Qt::Key_Enter:
                emit openRequested(entry);
                return;
            case Qt::Key_Menu:
                emit menuRequested(entry,
                                   viewport()->mapToGlobal(visualItemRect(currentItem()).center()));
                return;
            default:
                break;
        }
    }
    QTreeWidget::keyPressEvent(event);
}

void MealListView::contextMenuEvent(QContextMenuEvent* event) {
    const long entry = EntryAt(viewport()->mapFrom(this, event->pos()));
    if (entry > 0) emit menuRequested(entry, event->globalPos());
}

void MealListView::startDrag(Qt::DropActions) {
    const long entry = CurrentEntry();
    if (entry <= 0) return;
    auto* data = new QMimeData;
    data->setData(kPlanEntry, QByteArray::number(static_cast<qlonglong>(entry)));
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    drag->setPixmap(currentItem()->icon(0).pixmap(16, 16));
    drag->exec(Qt::MoveAction);
}

void MealListView::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasFormat(kRecipeIds) || event->mimeData()->hasFormat(kPlanEntry))
        event->acceptProposedAction();
}

void MealListView::dragMoveEvent(QDragMoveEvent* event) {
    if (event->mimeData()->hasFormat(kRecipeIds) || event->mimeData()->hasFormat(kPlanEntry))
        event->acceptProposedAction();
}

void MealListView::dropEvent(QDropEvent* event) {
    event->acceptProposedAction();
    emit droppedHere(event->mimeData());
}

bool MealListView::viewportEvent(QEvent* event) {
    // The hover preview of an entry's recipe; Qt hides it again when the
    // pointer moves on.
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        if (const QTreeWidgetItem* item = itemAt(help->pos())) {
            QToolTip::showText(help->globalPos(), item->toolTip(0), viewport(),
                               visualItemRect(item));
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QTreeWidget::viewportEvent(event);
}

// ---------------------------------------------------------------- the page

MealPlanPage::MealPlanPage(MealPlanController& plan, QWidget* parent)
    : QWidget(parent), plan_(plan) {
    setObjectName(QStringLiteral("mealPlanPage"));
    setAcceptDrops(true);
    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setObjectName(QStringLiteral("planSplitter"));
    outer->addWidget(splitter_);
    auto* planArea = new QWidget(splitter_);
    splitter_->addWidget(planArea);
    auto* layout = new QHBoxLayout(planArea);

    auto* left = new QVBoxLayout;
    calendar_ = new MonthCalendar(this);
    calendar_->setObjectName(QStringLiteral("planCalendar"));
    calendar_->setMinimumSize(calendar_->sizeHint());
    left->addWidget(calendar_);
    makeList_ = new QPushButton(QStringLiteral("Make Shopping List From Plan"), this);
    makeList_->setObjectName(QStringLiteral("makeShoppingListButton"));
    left->addWidget(makeList_);
    auto* tip = new QLabel(QStringLiteral("Drag recipes from the results list onto a day or a "
                                          "meal. Drag an entry onto the page's background (or "
                                          "press Delete) to take it off the plan."),
                           this);
    tip->setWordWrap(true);
    left->addWidget(tip);
    left->addStretch(1);
    layout->addLayout(left);

    auto* right = new QVBoxLayout;
    for (int i = 0; i < 4; ++i) {
        const int code = MealPlanController::ListMeals()[static_cast<std::size_t>(i)];
        auto* list = new MealListView(code, this);
        list->setObjectName(QStringLiteral("mealList%1").arg(code));
        const std::array<int, 2> widths = plan_.ColumnWidths(i);
        list->setColumnWidth(0, widths[0]);
        list->setColumnWidth(1, widths[1]);
        connect(list->header(), &QHeaderView::sectionResized, this,
                [this, i](int column, int, int size) { plan_.SetColumnWidth(i, column, size); });
        connect(list, &MealListView::markClicked, this,
                [this](long entry) { plan_.ToggleEntryMark(entry); });
        connect(list, &MealListView::openRequested, this,
                [this](long entry) { plan_.OpenEntry(entry); });
        connect(list, &MealListView::removeRequested, this,
                [this](long entry) { plan_.RemoveEntry(entry); });
        connect(list, &MealListView::menuRequested, this, &MealPlanPage::ShowEntryMenu);
        connect(list, &MealListView::droppedHere, this, [this, code](const QMimeData* data) {
            if (const long entry = EntryOf(data); entry > 0) {
                plan_.MoveEntryToMeal(entry, code);
                return;
            }
            for (const long id : RecipesOf(data)) plan_.DropRecipeOnMeal(id, code);
        });
        lists_[static_cast<std::size_t>(i)] = list;
        right->addWidget(list, 1);
    }
    layout->addLayout(right, 1);

    connect(calendar_, &MonthCalendar::dateChosen, this,
            [this](const QDate& day) { plan_.SelectDay(FromQDate(day)); });
    connect(calendar_, &MonthCalendar::droppedOnDay, this,
            [this](const QDate& day, const QMimeData* data) {
                if (const long entry = EntryOf(data); entry > 0) {
                    plan_.MoveEntryToDay(entry, FromQDate(day));
                    return;
                }
                for (const long id : RecipesOf(data)) plan_.DropRecipeOnDay(id, FromQDate(day));
            });
}

void MealPlanPage::HoldResults(QWidget* results) {
    if (results->parentWidget() == splitter_) return;
    splitter_->insertWidget(0, results);
    splitter_->setStretchFactor(0, 2);
    splitter_->setStretchFactor(1, 3);
    results->show();
}

void MealPlanPage::ShowDay(const DateTime& day, const MealDayLists& rows) {
    calendar_->SetSelectedDate(ToQDate(day));
    for (std::size_t i = 0; i < lists_.size(); ++i) {
        MealListView* list = lists_[i];
        list->clear();
        for (const ListRow& row : rows[i]) {
            auto* item = new QTreeWidgetItem(list);
            item->setIcon(0, RecipeIcon(row.icon));
            item->setText(0, QString::fromStdString(row.text));
            item->setText(1,
                          row.columns.empty() ? QString() : QString::fromStdString(row.columns[0]));
            item->setData(0, Qt::UserRole, static_cast<qlonglong>(row.data));
            const std::string preview = plan_.PreviewText(row.data);
            if (!preview.empty())
                item->setToolTip(0, QStringLiteral("<pre>") +
                                        QString::fromStdString(preview).toHtmlEscaped() +
                                        QStringLiteral("</pre>"));
        }
    }
}

void MealPlanPage::ShowEntryMenu(long entry, const QPoint& globalPosition) {
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("entryMenu"));
    menu.addAction(QStringLiteral("&Open Recipe"), this, [this, entry] { plan_.OpenEntry(entry); });
    menu.addAction(QStringLiteral("&Mark or Unmark"), this,
                   [this, entry] { plan_.ToggleEntryMark(entry); });
    QMenu* move = menu.addMenu(QStringLiteral("Move &to"));
    for (const int code : MealPlanController::ListMeals())
        move->addAction(QString::fromStdString(MealPlanController::ListHeader(code)), this,
                        [this, entry, code] { plan_.MoveEntryToMeal(entry, code); });
    menu.addAction(QStringLiteral("Move to Another &Day..."), this,
                   [this, entry] { MoveToOtherDay(entry); });
    menu.addSeparator();
    menu.addAction(QStringLiteral("&Remove from Meal Plan"), this,
                   [this, entry] { plan_.RemoveEntry(entry); });
    menu.exec(globalPosition);
}

void MealPlanPage::MoveToOtherDay(long entry) {
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("moveEntryDialog"));
    dialog.setWindowTitle(QStringLiteral("Move to Another Day"));
    auto* form = new QFormLayout(&dialog);
    auto* day = new QDateEdit(calendar_->SelectedDate(), &dialog);
    day->setCalendarPopup(true);
    form->addRow(QStringLiteral("Move to:"), day);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() == QDialog::Accepted) plan_.MoveEntryToDay(entry, FromQDate(day->date()));
}

void MealPlanPage::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasFormat(kPlanEntry)) event->acceptProposedAction();
}

void MealPlanPage::dragMoveEvent(QDragMoveEvent* event) {
    if (event->mimeData()->hasFormat(kPlanEntry)) event->acceptProposedAction();
}

void MealPlanPage::dropEvent(QDropEvent* event) {
    // An entry let go on the page's background comes off the plan.
    if (const long entry = EntryOf(event->mimeData()); entry > 0) {
        event->acceptProposedAction();
        plan_.RemoveEntry(entry);
    }
}

}  // namespace pantrio
