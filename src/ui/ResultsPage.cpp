#include "ui/ResultsPage.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QResizeEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include "search/ViewQuery.h"
#include "ui/ResultsTableModel.h"

namespace pantrio {

ResultsListView::ResultsListView(QWidget* parent) : QTableView(parent) {
    setObjectName(QStringLiteral("resultsList"));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setShowGrid(false);
    setWordWrap(false);
    setAlternatingRowColors(true);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setContextMenuPolicy(Qt::CustomContextMenu);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(20);
    horizontalHeader()->setHighlightSections(false);
    setIconSize(QSize(16, 16));
}

void ResultsListView::mousePressEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    pressedRow_ = index.isValid() ? index.row() : -1;
    pressedX_ = static_cast<int>(event->position().x()) - visualRect(model()->index(0, 0)).left();
    QTableView::mousePressEvent(event);
}

void ResultsListView::mouseReleaseEvent(QMouseEvent* event) {
    QTableView::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || pressedRow_ < 0) return;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && index.row() == pressedRow_) emit rowClicked(pressedRow_, pressedX_);
    pressedRow_ = -1;
}

void ResultsListView::mouseDoubleClickEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    QTableView::mouseDoubleClickEvent(event);
    if (index.isValid()) emit rowDoubleClicked(index.row());
}

void ResultsListView::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (key == Qt::Key_Delete) {
        emit deletePressed();
        return;
    }
    // Letters and digits list the recipes from that character on.
    if ((mods == Qt::NoModifier || mods == Qt::ShiftModifier) &&
        ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z))) {
        if (!sinceTyped_.isValid() || sinceTyped_.elapsed() > QApplication::keyboardInputInterval())
            typed_.clear();
        typed_ += QChar(key);
        sinceTyped_.start();
        emit typedAhead(typed_);
        return;
    }
    QTableView::keyPressEvent(event);
    if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
        key == Qt::Key_PageDown || key == Qt::Key_Home || key == Qt::Key_End) {
        if (currentIndex().isValid()) emit selectionMoved(currentIndex().row());
    }
}

ResultsPage::ResultsPage(ResultsTableModel& model, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("resultsPage"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);

    auto* selectors = new QHBoxLayout;
    viewButton_ = new QToolButton(this);
    viewButton_->setObjectName(QStringLiteral("viewSelector"));
    keywordButton_ = new QToolButton(this);
    keywordButton_->setObjectName(QStringLiteral("keywordSelector"));
    keywordButton_->setAcceptDrops(true);
    keywordButton_->installEventFilter(this);
    for (QToolButton* button : {viewButton_, keywordButton_}) {
        button->setPopupMode(QToolButton::MenuButtonPopup);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        selectors->addWidget(button);
    }
    viewButton_->setText(QString::fromUtf8(kInitialViewCaption));
    keywordButton_->setText(QString::fromUtf8(kInitialKeywordCaption));
    layout->addLayout(selectors);

    auto makeMenu = [this](QToolButton* button, const std::vector<SelectorEntry>& entries,
                           void (ResultsPage::*chosen)(int)) {
        auto* menu = new QMenu(button);
        menu->setObjectName(button->objectName() + QStringLiteral("Menu"));
        for (std::size_t i = 0; i < entries.size(); ++i) {
            QAction* action = menu->addAction(QString::fromStdString(entries[i].menuText));
            const int entry = static_cast<int>(i);
            connect(action, &QAction::triggered, this,
                    [this, chosen, entry] { emit(this->*chosen)(entry); });
            if (entries[i].separatorAfter) menu->addSeparator();
        }
        button->setMenu(menu);
        connect(button, &QToolButton::clicked, this, &ResultsPage::selectorPressed);
    };
    makeMenu(viewButton_, ViewSelectorMenu(), &ResultsPage::viewEntryChosen);
    makeMenu(keywordButton_, KeywordSelectorMenu(), &ResultsPage::keywordEntryChosen);

    list_ = new ResultsListView(this);
    list_->setModel(&model);
    list_->setColumnHidden(ResultsTableModel::RatingTextColumn, true);
    list_->setColumnHidden(ResultsTableModel::MarkedColumn, true);
    list_->setColumnHidden(ResultsTableModel::BoxColumn, true);
    list_->horizontalHeader()->setSectionsClickable(true);
    // The viewport's width changes without the page's when the vertical
    // scroll bar comes or goes, and it has no size at all until the window
    // is first shown: the columns follow the viewport itself.
    list_->viewport()->installEventFilter(this);
    connect(list_->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &ResultsPage::headerClicked);
    layout->addWidget(list_, 1);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("statusLine"));
    layout->addWidget(status_);
}

QString ResultsPage::ViewCaption() const {
    return viewButton_->text();
}

QString ResultsPage::KeywordCaption() const {
    return keywordButton_->text();
}

void ResultsPage::ShowState(const QString& viewCaption, const QString& keywordCaption,
                            int sortColumn) {
    viewButton_->setText(viewCaption);
    keywordButton_->setText(keywordCaption);
    QHeaderView* header = list_->horizontalHeader();
    header->setSortIndicatorShown(sortColumn >= 0);
    // Titles are listed A to Z, ratings best first.
    if (sortColumn >= 0)
        header->setSortIndicator(sortColumn,
                                 sortColumn == 0 ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void ResultsPage::SetStatusText(const QString& text) {
    status_->setText(text);
}

void ResultsPage::ShowBoxColumn(bool shown) {
    if (list_->isColumnHidden(ResultsTableModel::BoxColumn) != shown) return;
    list_->setColumnHidden(ResultsTableModel::BoxColumn, !shown);
    FitColumns();
}

void ResultsPage::FitColumns() {
    // The title takes the list's width less 110, which keeps 15 for a
    // vertical scroll bar; the viewport has that bar taken off already, so
    // the two columns fill it exactly and no horizontal bar is needed.
    // A search of every box shows the box's name beside the rating.
    const int boxWidth = list_->isColumnHidden(ResultsTableModel::BoxColumn) ? 0 : 75;
    const int width = list_->viewport()->width() - boxWidth;
    list_->setColumnWidth(ResultsTableModel::TitleColumn, std::max(80, width - 110 + 15));
    if (boxWidth > 0) list_->setColumnWidth(ResultsTableModel::BoxColumn, boxWidth);
    list_->setColumnWidth(ResultsTableModel::RatingColumn, 95);
}

void ResultsPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FitColumns();
}

bool ResultsPage::eventFilter(QObject* watched, QEvent* event) {
    if (list_ != nullptr && watched == list_->viewport() && event->type() == QEvent::Resize) {
        const auto* resize = static_cast<QResizeEvent*>(event);
        if (resize->size().width() != resize->oldSize().width()) FitColumns();
        return false;
    }
    if (watched == keywordButton_) {
        if (event->type() == QEvent::DragEnter) {
            auto* drag = static_cast<QDragEnterEvent*>(event);
            if (drag->mimeData()->hasFormat(QStringLiteral("application/x-pantrio-recipe-ids"))) {
                drag->acceptProposedAction();
                return true;
            }
        } else if (event->type() == QEvent::Drop) {
            emit droppedOnKeywordSelector();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace pantrio
