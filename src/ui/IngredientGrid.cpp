#include "ui/IngredientGrid.h"

#include <QCompleter>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTimer>

#include "core/MainDialog.h"
#include "recipe/Recipe.h"

namespace pantrio {

namespace {

constexpr int kColumns = 4;

LineColumn ColumnOf(int column) {
    switch (column) {
        case 1:
            return LineColumn::Unit;
        case 2:
            return LineColumn::Ingredient;
        case 3:
            return LineColumn::PrepNotes;
        default:
            return LineColumn::Quantity;
    }
}

QString CellText(const IngredientLine& line, int column) {
    switch (column) {
        case 0:
            return QString::fromStdString(line.TextQty);
        case 1:
            return QString::fromStdString(line.Measure);
        case 2:
            return QString::fromStdString(line.Name);
        default:
            return QString::fromStdString(line.PrepNotes);
    }
}

}  // namespace

// The in-place editor of a cell: a line edit that completes from the
// start-up lists, and whose moving keys the grid handles.
class IngredientCellDelegate : public QStyledItemDelegate {
public:
    IngredientCellDelegate(IngredientGrid& grid, MainDialog& main)
        : QStyledItemDelegate(&grid), grid_(grid), main_(main) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        auto* editor = new QLineEdit(parent);
        editor->setObjectName(QStringLiteral("cellEditor"));
        const std::vector<std::string> words =
            main_.Editing().Completions(ColumnOf(index.column()));
        if (!words.empty()) {
            QStringList list;
            for (const std::string& word : words) list << QString::fromStdString(word);
            auto* completer = new QCompleter(list, editor);
            completer->setCaseSensitivity(Qt::CaseInsensitive);
            editor->setCompleter(completer);
        }
        return editor;
    }

    void setModelData(QWidget* editor, QAbstractItemModel*,
                      const QModelIndex& index) const override {
        grid_.Commit(index.row(), index.column(), static_cast<QLineEdit*>(editor)->text());
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && grid_.eventFilter(watched, event)) return true;
        return QStyledItemDelegate::eventFilter(watched, event);
    }

private:
    IngredientGrid& grid_;
    MainDialog& main_;
};

IngredientGrid::IngredientGrid(MainDialog& main, QWidget* parent)
    : QTableWidget(0, kColumns, parent), main_(main) {
    setObjectName(QStringLiteral("ingredientGrid"));
    setHorizontalHeaderLabels({QStringLiteral("Qty"), QStringLiteral("Unit"),
                               QStringLiteral("Ingredient"), QStringLiteral("Prep notes")});
    horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
    setColumnWidth(0, 60);
    setColumnWidth(1, 80);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setTabKeyNavigation(false);
    setItemDelegate(new IngredientCellDelegate(*this, main));
}

void IngredientGrid::ShowLines() {
    const Recipe& recipe = main_.Recipes().Current();
    const bool current = main_.Recipes().HasCurrent();
    filling_ = true;
    const int lines = current ? recipe.LineCount() : 0;
    setRowCount(lines);
    for (int row = 0; row < lines; ++row) {
        const IngredientLine& line = recipe.Lines[static_cast<std::size_t>(row)];
        for (int column = 0; column < kColumns; ++column) {
            auto* item = new QTableWidgetItem(CellText(line, column));
            if (line.bHeading) {
                QFont font = item->font();
                font.setBold(true);
                item->setFont(font);
            }
            setItem(row, column, item);
        }
    }
    filling_ = false;
}

void IngredientGrid::EditCell(int row, int column) {
    if (row < 0 || row >= rowCount() || column < 0 || column >= kColumns) return;
    setCurrentCell(row, column);
    editItem(item(row, column));
}

void IngredientGrid::Commit(int row, int column, const QString& text) {
    if (filling_) return;
    const Recipe& recipe = main_.Recipes().Current();
    if (row < 0 || row >= recipe.LineCount()) return;
    if (CellText(recipe.Lines[static_cast<std::size_t>(row)], column) == text) return;
    std::string error;
    if (!main_.Editing().EditCell(row, ColumnOf(column), text.toStdString(), error))
        main_.prompter().Message(error);
}

void IngredientGrid::MoveTo(int row, int column) {
    QPointer<IngredientGrid> self(this);
    // After the commit the window shows the reloaded recipe first; the next
    // editor opens on that.
    QTimer::singleShot(0, this, [self, row, column] {
        if (!self) return;
        if (row >= self->rowCount()) {
            if (self->main_.Editing().AddLinePastLastRow() < 0) return;
            QTimer::singleShot(0, self, [self, row] {
                if (self) self->EditCell(row, 0);
            });
            return;
        }
        self->EditCell(std::max(row, 0), column);
    });
}

int IngredientGrid::PageRows() const {
    const int rowHeight = std::max(1, verticalHeader()->defaultSectionSize());
    return std::max(1, viewport()->height() / rowHeight);
}

bool IngredientGrid::eventFilter(QObject* watched, QEvent* event) {
    auto* editor = qobject_cast<QLineEdit*>(watched);
    if (editor == nullptr || event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const int row = currentRow(), column = currentColumn();
    const int last = rowCount() - 1;
    const bool ctrl = key->modifiers() & Qt::ControlModifier;
    int toRow = row, toColumn = column;
    switch (key->key()) {
        case Qt::Key_Tab:
            if (column < kColumns - 1) {
                toColumn = column + 1;
            } else {
                toRow = row + 1;
                toColumn = 0;
            }
            break;
        case Qt::Key_Backtab:
            if (column > 0) {
                toColumn = column - 1;
            } else if (row > 0) {
                toRow = row - 1;
                toColumn = kColumns - 1;
            }
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            toRow = row + 1;
            toColumn = 0;
            break;
        case Qt::Key_Up:
            toRow = std::max(0, row - 1);
            break;
        case Qt::Key_Down:
            toRow = row + 1;
            break;
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            if (column == 0) return false;
            toRow = std::clamp(row + (key->key() == Qt::Key_PageUp ? -PageRows() : PageRows()), 0,
                               std::max(last, 0));
            break;
        case Qt::Key_Home:
        case Qt::Key_End:
            if (column == 0 || !ctrl) return false;
            toRow = key->key() == Qt::Key_Home ? 0 : std::max(last, 0);
            break;
        default:
            return false;
    }
    auto* delegate = static_cast<IngredientCellDelegate*>(itemDelegate());
    emit delegate->commitData(editor);
    emit delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
    MoveTo(toRow, toColumn);
    return true;
}

void IngredientGrid::keyPressEvent(QKeyEvent* event) {
    if (state() != QAbstractItemView::EditingState) {
        if (event->key() == Qt::Key_Insert) {
            const int before = rowCount();
            if (main_.Editing().InsertLineAsked() > 0) MoveTo(before, 0);
            return;
        }
        if (event->key() == Qt::Key_Delete) {
            if (currentRow() >= 0) main_.Editing().DeleteLineAsked(currentRow());
            return;
        }
    }
    QTableWidget::keyPressEvent(event);
}

void IngredientGrid::mousePressEvent(QMouseEvent* event) {
    QTableWidget::mousePressEvent(event);
    if (event->button() != Qt::LeftButton) return;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid()) {
        EditCell(index.row(), index.column());
    } else if (openDetails && main_.Recipes().HasCurrent()) {
        openDetails(-1);
    }
}

void IngredientGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && openDetails) {
        openDetails(index.row());
        return;
    }
    QTableWidget::mouseDoubleClickEvent(event);
}

}  // namespace pantrio
