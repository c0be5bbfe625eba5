#include "ui/ShoppingListPage.h"

#include <QComboBox>
#include <QCompleter>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/LookupLists.h"
#include "core/ShoppingListController.h"

namespace pantrio {

namespace {

constexpr const char* kItemPrompt = "<item name>";
constexpr int kIconWidth = 22;

// Icon 17, an item of the list, and 18, an item of the recipe picked in the
// recipe list.
QIcon ItemIcon(int index) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool picked = index == 18;
    painter.setPen(QPen(picked ? QColor(0xb0, 0x50, 0x00) : QColor(0x80, 0x80, 0x80), 1.2));
    painter.setBrush(picked ? QColor(0xff, 0x90, 0x20) : QColor(0xd8, 0xe4, 0xf0));
    const double r = picked ? 6 : 4;
    painter.drawEllipse(QPointF(8, 8), r, r);
    return QIcon(pixmap);
}

QStringList Texts(const VectorRowSink& list) {
    QStringList texts;
    for (const ListRow& row : list.rows) texts << QString::fromStdString(row.text);
    return texts;
}

}  // namespace

// The in-place editors of the grid: an editable drop-down list of the
// ingredient names, measures, preparation notes or departments ("Qty" has
// none), with the keys that move to the neighbouring cells.
class ShoppingCellDelegate : public QStyledItemDelegate {
public:
    explicit ShoppingCellDelegate(ShoppingListPage& page)
        : QStyledItemDelegate(&page), page_(page) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        QWidget* editor = nullptr;
        const LookupLists& l = page_.lookups_;
        const VectorRowSink* list = nullptr;
        switch (static_cast<ShoppingColumn>(index.column())) {
            case ShoppingColumn::Unit:
                list = &l.Measures;
                break;
            case ShoppingColumn::Item:
                list = &l.IngredientNames;
                break;
            case ShoppingColumn::Notes:
                list = &l.PrepNotesList;
                break;
            case ShoppingColumn::Dept:
                list = &l.Departments;
                break;
            case ShoppingColumn::Qty:
                break;
        }
        if (list != nullptr) {
            auto* combo = new QComboBox(parent);
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
            combo->addItems(Texts(*list));
            combo->completer()->setCompletionMode(QCompleter::PopupCompletion);
            combo->completer()->setCaseSensitivity(Qt::CaseInsensitive);
            editor = combo;
            combo->lineEdit()->installEventFilter(const_cast<ShoppingCellDelegate*>(this));
        } else {
            editor = new QLineEdit(parent);
        }
        editor->setObjectName(QStringLiteral("shoppingCellEditor"));
        editor->installEventFilter(const_cast<ShoppingCellDelegate*>(this));
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        const QString text = index.data(Qt::EditRole).toString();
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            combo->setEditText(text);
            combo->lineEdit()->selectAll();
        } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            line->setText(text);
            line->selectAll();
        }
    }

    void setModelData(QWidget* editor, QAbstractItemModel*,
                      const QModelIndex& index) const override {
        QString text;
        if (auto* combo = qobject_cast<QComboBox*>(editor))
            text = combo->currentText();
        else if (auto* line = qobject_cast<QLineEdit*>(editor))
            text = line->text();
        page_.CellEdited(index.row(), index.column(), text);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return QStyledItemDelegate::eventFilter(watched, event);
        auto* key = static_cast<QKeyEvent*>(event);
        QTableWidget* grid = page_.grid_;
        const int row = grid->currentRow(), column = grid->currentColumn();
        const int rows = grid->rowCount();
        const int page = std::max(1, grid->viewport()->height() / std::max(1, grid->rowHeight(0)));
        int toRow = row, toColumn = column;
        const bool ctrl = key->modifiers() & Qt::ControlModifier;
        switch (key->key()) {
            case Qt::Key_Tab:
                if (++toColumn > 4) toColumn = 1, ++toRow;
                break;
            case Qt::Key_Backtab:
                if (--toColumn < 1) toColumn = 4, --toRow;
                break;
            case Qt::Key_Up:
                --toRow;
                break;
            case Qt::Key_Down:
                ++toRow;
                break;
            case Qt::Key_Home:
                if (!ctrl) return QStyledItemDelegate::eventFilter(watched, event);
                toRow = 0;
                break;
            case Qt::Key_End:
                if (!ctrl) return QStyledItemDelegate::eventFilter(watched, event);
                toRow = rows - 1;
                break;
            case Qt::Key_PageUp:
                toRow -= page;
                break;
            case Qt::Key_PageDown:
                toRow += page;
                break;
            default:
                return QStyledItemDelegate::eventFilter(watched, event);
        }
        toRow = std::clamp(toRow, 0, std::max(0, rows - 1));
        QWidget* editor = qobject_cast<QWidget*>(watched);
        while (editor != nullptr && editor->objectName() != QStringLiteral("shoppingCellEditor"))
            editor = editor->parentWidget();
        if (editor == nullptr) return false;
        emit commitData(editor);
        emit closeEditor(editor, QAbstractItemDelegate::NoHint);
        QMetaObject::invokeMethod(
            &page_, [this, toRow, toColumn] { page_.EditCell(toRow, toColumn); },
            Qt::QueuedConnection);
        return true;
    }

private:
    ShoppingListPage& page_;
};

namespace {

// The results list's drag: the dragged rows' recipe numbers, comma-separated.
const QString kRecipeIds = QStringLiteral("application/x-pantrio-recipe-ids");

}  // namespace

void ShoppingListPage::HoldResults(QWidget* results) {
    if (results->parentWidget() == splitter_) return;
    splitter_->insertWidget(0, results);
    splitter_->setStretchFactor(0, 2);
    splitter_->setStretchFactor(1, 3);
    results->show();
}

void ShoppingListPage::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasFormat(kRecipeIds)) event->acceptProposedAction();
}

void ShoppingListPage::dragMoveEvent(QDragMoveEvent* event) {
    if (event->mimeData()->hasFormat(kRecipeIds)) event->acceptProposedAction();
}

void ShoppingListPage::dropEvent(QDropEvent* event) {
    if (!event->mimeData()->hasFormat(kRecipeIds)) return;
    event->acceptProposedAction();
    // The Add dialog works on one recipe: the first of the dragged rows.
    for (const QByteArray& part : event->mimeData()->data(kRecipeIds).split(','))
        if (const long id = part.toLong(); id > 0) {
            controller_.DropRecipe(id);
            break;
        }
}

ShoppingListPage::ShoppingListPage(ShoppingListController& controller, const LookupLists& lookups,
                                   QWidget* parent)
    : QWidget(parent), controller_(controller), lookups_(lookups) {
    setObjectName(QStringLiteral("shoppingListPage"));
    setAcceptDrops(true);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    splitter_ = new QSplitter(Qt::Horizontal, this);
    outer->addWidget(splitter_);
    auto* pane = new QWidget(splitter_);
    splitter_->addWidget(pane);
    auto* layout = new QVBoxLayout(pane);

    auto* entry = new QHBoxLayout();
    entry->addWidget(new QLabel(QStringLiteral("Item:"), this));
    item_ = new QComboBox(this);
    item_->setObjectName(QStringLiteral("shoppingItem"));
    item_->setEditable(true);
    item_->setInsertPolicy(QComboBox::NoInsert);
    item_->setMinimumWidth(220);
    item_->completer()->setCompletionMode(QCompleter::PopupCompletion);
    item_->completer()->setCaseSensitivity(Qt::CaseInsensitive);
    item_->lineEdit()->installEventFilter(this);
    entry->addWidget(item_, 2);
    qty_ = new QLineEdit(this);
    qty_->setObjectName(QStringLiteral("shoppingQty"));
    qty_->setMaximumWidth(70);
    entry->addWidget(qty_);
    unit_ = new QComboBox(this);
    unit_->setObjectName(QStringLiteral("shoppingUnit"));
    unit_->setEditable(true);
    unit_->setInsertPolicy(QComboBox::NoInsert);
    entry->addWidget(unit_, 1);
    auto* add = new QPushButton(QStringLiteral("&Add"), this);
    add->setObjectName(QStringLiteral("shoppingAdd"));
    add->setDefault(true);
    add->setAutoDefault(true);
    entry->addWidget(add);
    auto* remove = new QPushButton(QStringLiteral("Remove"), this);
    remove->setObjectName(QStringLiteral("shoppingRemove"));
    entry->addWidget(remove);
    layout->addLayout(entry);

    grid_ = new QTableWidget(0, 5, this);
    grid_->setObjectName(QStringLiteral("shoppingGrid"));
    grid_->setHorizontalHeaderLabels({QStringLiteral("Qty"), QStringLiteral("Unit"),
                                      QStringLiteral("Item"), QStringLiteral("Notes"),
                                      QStringLiteral("Dept")});
    grid_->verticalHeader()->hide();
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setItemDelegate(new ShoppingCellDelegate(*this));
    // Widths are the user's and kept in the settings, so no column stretches.
    grid_->installEventFilter(this);
    // The first column also holds the row's icon.
    for (int c = 0; c < 5; ++c)
        grid_->setColumnWidth(c, controller_.ColumnWidth(c) + (c == 0 ? kIconWidth : 0));
    layout->addWidget(grid_, 3);

    recipes_ = new QTreeWidget(this);
    recipes_->setObjectName(QStringLiteral("shoppingRecipes"));
    recipes_->setHeaderLabels({QStringLiteral("Recipe")});
    recipes_->setColumnWidth(0, 300);
    recipes_->setRootIsDecorated(false);
    layout->addWidget(recipes_, 1);

    auto* buttons = new QHBoxLayout();
    combined_ = new QPushButton(QStringLiteral("Combine Items"), this);
    combined_->setObjectName(QStringLiteral("shoppingCombined"));
    combined_->setCheckable(true);
    buttons->addWidget(combined_);
    auto* clear = new QPushButton(QStringLiteral("Clear"), this);
    clear->setObjectName(QStringLiteral("shoppingClear"));
    buttons->addWidget(clear);
    buttons->addStretch(1);
    layout->addLayout(buttons);

    connect(add, &QPushButton::clicked, this, &ShoppingListPage::AddClicked);
    connect(item_->lineEdit(), &QLineEdit::returnPressed, this, &ShoppingListPage::AddClicked);
    connect(qty_, &QLineEdit::returnPressed, this, &ShoppingListPage::AddClicked);
    connect(remove, &QPushButton::clicked, this, &ShoppingListPage::RemoveClicked);
    connect(clear, &QPushButton::clicked, this, [this] { controller_.ClearCommand(); });
    // The controller decides the toggle's state; the click only asks.
    connect(combined_, &QPushButton::clicked, this, [this] { controller_.ToggleCombined(); });
    connect(grid_, &QTableWidget::cellClicked, this, &ShoppingListPage::EditCell);
    connect(grid_->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int width) {
                if (!filling_)
                    controller_.SetColumnWidth(column, column == 0 ? width - kIconWidth : width);
            });
    connect(recipes_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item, int) {
        controller_.RecipeClicked(item->data(0, Qt::UserRole).toLongLong(),
                                  item->text(0).toStdString());
    });
    connect(recipes_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item, int) {
        controller_.RecipeDoubleClicked(item->data(0, Qt::UserRole).toLongLong());
    });
    ResetItemEntry();
}

void ShoppingListPage::LoadLookups() {
    item_->clear();
    item_->addItems(Texts(lookups_.IngredientNames));
    unit_->clear();
    unit_->addItems(Texts(lookups_.Measures));
    unit_->setEditText(QString());
    item_->setEditText(QString::fromLatin1(kItemPrompt));
}

void ShoppingListPage::ShowRows(const std::vector<ShoppingGridRow>& rows) {
    filling_ = true;
    grid_->setRowCount(0);
    grid_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const ShoppingGridRow& row = rows[static_cast<std::size_t>(r)];
        const std::string cells[] = {row.qty, row.unit, row.item, row.notes, row.dept};
        for (int c = 0; c < 5; ++c) {
            auto* cell = new QTableWidgetItem(QString::fromStdString(cells[c]));
            cell->setData(Qt::UserRole, row.shoppingListID);
            if (row.converted && c <= 1) {
                QFont font = cell->font();
                font.setItalic(true);
                cell->setFont(font);
                cell->setToolTip(QStringLiteral("Summed from quantities in different units"));
            }
            grid_->setItem(r, c, cell);
        }
        grid_->item(r, 0)->setIcon(ItemIcon(row.icon));
        grid_->item(r, 0)->setData(Qt::UserRole + 1, row.icon);
    }
    filling_ = false;
}

void ShoppingListPage::ShowRecipes(const std::vector<ListRow>& rows) {
    recipes_->clear();
    for (const ListRow& row : rows) {
        auto* item = new QTreeWidgetItem(recipes_, {QString::fromStdString(row.text)});
        item->setData(0, Qt::UserRole, static_cast<qlonglong>(row.data));
    }
}

void ShoppingListPage::ShowCombined(bool combined) {
    combined_->setChecked(combined);
    recipes_->setEnabled(!combined);
}

void ShoppingListPage::ResetItemEntry() {
    qty_->clear();
    unit_->setEditText(QString());
    item_->setEditText(QString::fromLatin1(kItemPrompt));
    item_->lineEdit()->selectAll();
    if (isVisible()) item_->setFocus();
}

void ShoppingListPage::AddClicked() {
    controller_.AddItem(item_->currentText().toStdString(), qty_->text().toStdString(),
                        unit_->currentText().toStdString());
}

void ShoppingListPage::RemoveClicked() {
    const int row = grid_->currentRow();
    if (row < 0 || grid_->item(row, 0) == nullptr) return;
    const int id = grid_->item(row, 0)->data(Qt::UserRole).toInt();
    // The combined view's lines are sums, not items.
    if (id < 0) return;
    controller_.RemoveItem(id);
}

void ShoppingListPage::EditCell(int row, int column) {
    if (row < 0 || row >= grid_->rowCount() || column < 0 || column > 4) return;
    QTableWidgetItem* cell = grid_->item(row, column);
    if (cell == nullptr || cell->data(Qt::UserRole).toInt() < 0) return;
    if (grid_->columnWidth(column) < 5) return;
    // A click on the row's icon only selects the row.
    const QPoint pointer = grid_->viewport()->mapFromGlobal(QCursor::pos());
    if (column == 0 && grid_->rect().contains(pointer) &&
        pointer.x() - grid_->columnViewportPosition(0) <= kIconWidth &&
        grid_->indexAt(pointer).row() == row)
        return;
    grid_->setCurrentCell(row, column);
    grid_->editItem(cell);
}

void ShoppingListPage::CellEdited(int row, int column, const QString& text) {
    QTableWidgetItem* cell = grid_->item(row, column);
    if (cell == nullptr || filling_) return;
    if (cell->text() == text) return;
    controller_.WriteCell(cell->data(Qt::UserRole).toInt(), static_cast<ShoppingColumn>(column),
                          text.toStdString());
    cell->setText(text);
}

bool ShoppingListPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        const int row = grid_->currentRow();
        if (row >= 0 && grid_->item(row, 0) != nullptr) {
            const int id = grid_->item(row, 0)->data(Qt::UserRole).toInt();
            if (id >= 0) controller_.DeleteItem(id);
        }
        return true;
    }
    if (watched == item_->lineEdit() && event->type() == QEvent::FocusOut) {
        const std::string unit = controller_.UnitOfPurchase(item_->currentText().toStdString());
        if (!unit.empty()) unit_->setEditText(QString::fromStdString(unit));
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace pantrio
