#include "ui/NutrientEditorPage.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <functional>

#include "core/NutrientEditorController.h"
#include "ui/WidgetHelpers.h"

namespace pantrio {

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}
std::string S(const QString& text) {
    return text.toStdString();
}

}  // namespace

NutrientEditorPage::NutrientEditorPage(NutrientEditorController& editor, QWidget* parent)
    : QWidget(parent), editor_(editor) {
    setObjectName(QStringLiteral("nutrientEditorPage"));
    auto* layout = new QHBoxLayout(this);

    auto* left = new QVBoxLayout;
    auto* findRow = new QHBoxLayout;
    findRow->addWidget(new QLabel(QStringLiteral("Find:"), this));
    find_ = new QLineEdit(this);
    find_->setObjectName(QStringLiteral("foodFindEdit"));
    findRow->addWidget(find_, 1);
    QPushButton* ok = Button(QStringLiteral("OK"), "foodFindButton", this);
    findRow->addWidget(ok);
    left->addLayout(findRow);
    left->addWidget(new QLabel(QStringLiteral("Item"), this));
    foods_ = new QListWidget(this);
    foods_->setObjectName(QStringLiteral("foodEditorList"));
    left->addWidget(foods_, 1);
    auto* buttons = new QHBoxLayout;
    QPushButton* add = Button(QStringLiteral("&New"), "foodNewButton", this);
    QPushButton* remove = Button(QStringLiteral("&Delete"), "foodDeleteButton", this);
    QPushButton* clear = Button(QStringLiteral("Clea&r"), "foodClearButton", this);
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addWidget(clear);
    left->addLayout(buttons);
    layout->addLayout(left, 2);

    auto* right = new QVBoxLayout;
    auto* itemRow = new QHBoxLayout;
    itemRow->addWidget(new QLabel(QStringLiteral("Item:"), this));
    item_ = new QLineEdit(this);
    item_->setObjectName(QStringLiteral("foodItemEdit"));
    itemRow->addWidget(item_, 1);
    right->addLayout(itemRow);
    auto* servingRow = new QHBoxLayout;
    servingRow->addWidget(new QLabel(QStringLiteral("Serving size:"), this));
    serving_ = new QComboBox(this);
    serving_->setObjectName(QStringLiteral("servingCombo"));
    servingRow->addWidget(serving_, 1);
    QPushButton* modify = Button(QStringLiteral("&Modify"), "foodModifyButton", this);
    servingRow->addWidget(modify);
    right->addLayout(servingRow);

    auto* grid = new QGridLayout;
    const auto& fields = NutrientEditorController::Fields();
    const int half = static_cast<int>(fields.size() + 1) / 2;
    for (int i = 0; i < static_cast<int>(fields.size()); ++i) {
        const NutrientEditorField& field = fields[static_cast<std::size_t>(i)];
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("food_") + QString::fromLatin1(field.column));
        edit->setMaximumWidth(90);
        auto* label = new QLabel(QString::fromLatin1(field.label), this);
        label->setBuddy(edit);
        const int row = i % half, column = (i / half) * 2;
        grid->addWidget(label, row, column);
        grid->addWidget(edit, row, column + 1);
        fields_[field.column] = edit;
        const std::string column_name = field.column;
        connect(edit, &QLineEdit::textEdited, this, [this, column_name](const QString& text) {
            if (!filling_) editor_.FieldEdited(column_name, S(text));
        });
        edit->installEventFilter(new FocusOutFilter(edit, [this] {
            // Leaving for another field of the page is not leaving the page.
            if (!isAncestorOf(QApplication::focusWidget())) editor_.SaveIfModified();
        }));
    }
    right->addLayout(grid);
    right->addStretch(1);
    layout->addLayout(right, 3);

    connect(ok, &QPushButton::clicked, this, [this] {
        editor_.Find(S(find_->text()));
        FillList();
    });
    connect(find_, &QLineEdit::returnPressed, ok, &QPushButton::click);
    connect(foods_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        editor_.ChooseFood(item->data(Qt::UserRole).toInt());
        Show();
    });
    connect(item_, &QLineEdit::textEdited, this,
            [this](const QString& text) { editor_.ItemEdited(S(text)); });
    connect(item_, &QLineEdit::editingFinished, this, [this] {
        if (filling_ || editor_.CurrentFood() <= 0) return;
        editor_.ItemLeft();
        Show();
    });
    connect(serving_, &QComboBox::activated, this, [this](int index) {
        editor_.SelectServing(index);
        Show();
    });
    connect(modify, &QPushButton::clicked, this, [this] {
        editor_.Modify();
        Show();
    });
    connect(add, &QPushButton::clicked, this, [this] {
        editor_.New();
        Show();
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        editor_.Delete();
        FillList();
        Show();
    });
    connect(clear, &QPushButton::clicked, this, [this] {
        editor_.Clear();
        Show();
    });
}

void NutrientEditorPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!started_) {
        started_ = true;
        editor_.Start();
        FillList();
    }
    editor_.SaveIfModified();
    Show();
}

void NutrientEditorPage::hideEvent(QHideEvent* event) {
    editor_.SaveIfModified();
    QWidget::hideEvent(event);
}

void NutrientEditorPage::FillList() {
    foods_->clear();
    for (const ListRow& row : editor_.Foods()) {
        auto* item = new QListWidgetItem(Q(row.text), foods_);
        item->setData(Qt::UserRole, static_cast<int>(row.data));
    }
}

void NutrientEditorPage::Show() {
    filling_ = true;
    item_->setText(Q(editor_.ItemText()));
    serving_->clear();
    for (const auto& text : editor_.Servings()) serving_->addItem(Q(text));
    serving_->setCurrentIndex(editor_.ServingIndex());
    for (auto& [column, edit] : fields_) edit->setText(Q(editor_.FieldText(column)));
    filling_ = false;
}

bool NutrientEditorPage::AskMeasures(MeasureForm& form, QWidget* parent) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("modifyNutrientUnitsDialog"));
    dialog.setWindowTitle(QStringLiteral("Modify Nutrient Units"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* hint = new QLabel(QStringLiteral("Enter 1 or 2 common units, and their weight in grams.  "
                                           "  (Leave the second line blank if you have only one.)"),
                            &dialog);
    hint->setWordWrap(true);
    layout->addWidget(hint);
    auto* grid = new QGridLayout;
    QLineEdit* edits[4];
    const std::string* values[4] = {&form.description1, &form.grams1, &form.description2,
                                    &form.grams2};
    for (int i = 0; i < 4; ++i) {
        edits[i] = new QLineEdit(Q(*values[i]), &dialog);
        edits[i]->setObjectName(QStringLiteral("measureField%1").arg(i));
        const int row = i / 2;
        if (i % 2 == 0) {
            edits[i]->setPlaceholderText(row == 0 ? QStringLiteral("e.g., \"1 can\"")
                                                  : QStringLiteral("e.g., \"1 stick\""));
            grid->addWidget(edits[i], row, 0);
            grid->addWidget(new QLabel(QStringLiteral("="), &dialog), row, 1);
        } else {
            grid->addWidget(edits[i], row, 2);
            grid->addWidget(new QLabel(QStringLiteral("grams"), &dialog), row, 3);
        }
    }
    layout->addLayout(grid);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(box, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(box);
    if (dialog.exec() != QDialog::Accepted) return false;
    form = {S(edits[0]->text()), S(edits[1]->text()), S(edits[2]->text()), S(edits[3]->text())};
    return true;
}

bool NutrientEditorPage::AskNewFoodName(std::string& name, QWidget* parent) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("addNutrientDialog"));
    dialog.setWindowTitle(QStringLiteral("Add a nutrient"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* hint = new QLabel(QStringLiteral("Enter a new ingredient item as well as its "
                                           "nutritional content, and nutritional information for "
                                           "your recipes which contain them."),
                            &dialog);
    hint->setWordWrap(true);
    layout->addWidget(hint);
    layout->addWidget(new QLabel(QStringLiteral("New nutritional element's name:"), &dialog));
    auto* edit = new QLineEdit(&dialog);
    edit->setObjectName(QStringLiteral("newNutrientName"));
    layout->addWidget(edit);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(box, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(box);
    if (dialog.exec() != QDialog::Accepted) return false;
    name = S(edit->text());
    return true;
}

}  // namespace pantrio
