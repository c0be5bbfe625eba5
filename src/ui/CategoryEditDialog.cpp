#include "ui/CategoryEditDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/RecipeController.h"

namespace pantrio {

CategoryEditDialog::CategoryEditDialog(RecipeController& recipes, QWidget* parent)
    : QDialog(parent), recipes_(recipes), editor_(recipes.CurrentForEditing()) {
    setObjectName(QStringLiteral("categoryEditDialog"));
    setWindowTitle(QStringLiteral("Categories"));
    opened_ = recipes.OpenKeywordEditor(editor_);

    auto* layout = new QVBoxLayout(this);
    auto* hint = new QLabel(
        QStringLiteral("Place a checkmark next to any appropriate categorization for this "
                       "recipe.  Add your own keywords in the rightmost box."),
        this);
    hint->setWordWrap(true);
    layout->addWidget(hint);
    auto* grid = new QGridLayout;
    for (int i = 0; i < KeywordEditor::kListCount; ++i) {
        grid->addWidget(new QLabel(QString::fromUtf8(KeywordEditor::Headings()[i]), this), 0, i);
        lists_[i] = new QListWidget(this);
        lists_[i]->setObjectName(QStringLiteral("keywordList%1").arg(i));
        grid->addWidget(lists_[i], 2, i);
        connect(lists_[i], &QListWidget::itemChanged, this, [this, i](QListWidgetItem* item) {
            if (filling_) return;
            const int row = lists_[i]->row(item);
            const bool ticked = item->checkState() == Qt::Checked;
            if (row >= 0 && editor_.Rows(KeywordEditor::List(i))[row].ticked != ticked)
                editor_.Toggle(KeywordEditor::List(i), row);
        });
    }
    lists_[KeywordEditor::Other]->installEventFilter(this);
    auto* addRow = new QHBoxLayout;
    dropDown_ = new QComboBox(this);
    dropDown_->setObjectName(QStringLiteral("customKeyword"));
    dropDown_->setEditable(true);
    for (const ListRow& row : editor_.DropDown())
        dropDown_->addItem(QString::fromStdString(row.text));
    dropDown_->setEditText(QString());
    dropDown_->setToolTip(QStringLiteral("e.g., Spicy, Kids liked, low-cal, etc."));
    dropDown_->lineEdit()->setPlaceholderText(
        QStringLiteral("e.g., Spicy, Kids liked, low-cal, etc."));
    dropDown_->installEventFilter(this);
    dropDown_->lineEdit()->installEventFilter(this);
    auto* add = new QPushButton(QStringLiteral("Add"), this);
    add->setAutoDefault(false);
    addRow->addWidget(dropDown_, 1);
    addRow->addWidget(add);
    grid->addLayout(addRow, 1, KeywordEditor::Other);
    layout->addLayout(grid, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(add, &QPushButton::clicked, this, &CategoryEditDialog::AddKeyword);
    connect(buttons, &QDialogButtonBox::accepted, this, &CategoryEditDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    for (int i = 0; i < KeywordEditor::kListCount; ++i) ShowList(i);
    resize(900, 460);
}

void CategoryEditDialog::ShowList(int list) {
    filling_ = true;
    QListWidget* widget = lists_[list];
    widget->clear();
    for (const KeywordRow& row : editor_.Rows(KeywordEditor::List(list))) {
        auto* item = new QListWidgetItem(QString::fromStdString(row.text), widget);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(row.ticked ? Qt::Checked : Qt::Unchecked);
    }
    filling_ = false;
}

void CategoryEditDialog::AddKeyword() {
    editor_.dropDownText = dropDown_->currentText().toStdString();
    editor_.Add();
    dropDown_->setEditText(QString::fromStdString(editor_.dropDownText));
    ShowList(KeywordEditor::Other);
}

bool CategoryEditDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        // Enter in the drop-down list adds its text instead of closing the dialog.
        if ((watched == dropDown_ || watched == dropDown_->lineEdit()) &&
            (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            AddKeyword();
            return true;
        }
        QListWidget* other = lists_[KeywordEditor::Other];
        if (watched == other && key == Qt::Key_Delete) {
            if (editor_.DeleteOtherRow(other->currentRow())) ShowList(KeywordEditor::Other);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CategoryEditDialog::accept() {
    recipes_.StoreKeywords(editor_);
    QDialog::accept();
}

}  // namespace pantrio
