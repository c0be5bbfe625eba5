#include "ui/IngredientDetailsDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <functional>

#include "core/IngredientDetailsController.h"
#include "core/MainDialog.h"
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

IngredientDetailsDialog::IngredientDetailsDialog(
    MainDialog& main, std::unique_ptr<IngredientDetailsController> controller, QWidget* parent)
    : QDialog(parent), main_(main), controller_(std::move(controller)) {
    setObjectName(QStringLiteral("ingredientDetailsDialog"));
    setWindowTitle(QStringLiteral("Ingredient Details"));
    Build();
    Show();
}

IngredientDetailsDialog::~IngredientDetailsDialog() = default;

bool IngredientDetailsDialog::Open(MainDialog& main, int lineID, QWidget* parent) {
    auto controller = main.Nutrition().OpenIngredientDetails(lineID);
    if (!controller) return false;
    {
        IngredientDetailsDialog dialog(main, std::move(controller), parent);
        dialog.exec();
    }
    main.Nutrition().IngredientDetailsClosed();
    return true;
}

void IngredientDetailsDialog::Build() {
    auto* layout = new QVBoxLayout(this);

    auto* lineGroup = new QGroupBox(QStringLiteral("1.)  Ingredient"), this);
    auto* lineForm = new QFormLayout(lineGroup);
    qty_ = new QLineEdit(lineGroup);
    qty_->setObjectName(QStringLiteral("qtyEdit"));
    unit_ = new QLineEdit(lineGroup);
    unit_->setObjectName(QStringLiteral("unitEdit"));
    ingredient_ = new QComboBox(lineGroup);
    ingredient_->setObjectName(QStringLiteral("ingredientCombo"));
    ingredient_->setEditable(true);
    ingredient_->setInsertPolicy(QComboBox::NoInsert);
    notes_ = new QComboBox(lineGroup);
    notes_->setObjectName(QStringLiteral("notesCombo"));
    notes_->setEditable(true);
    notes_->setInsertPolicy(QComboBox::NoInsert);
    for (const auto& text : controller_->IngredientChoices()) ingredient_->addItem(Q(text));
    for (const auto& text : controller_->NoteChoices()) notes_->addItem(Q(text));
    heading_ = new QCheckBox(QStringLiteral("This line is a heading (e.g., \"SALAD DRESSING\")"),
                             lineGroup);
    heading_->setObjectName(QStringLiteral("headingCheck"));
    lineForm->addRow(QStringLiteral("Qty:"), qty_);
    lineForm->addRow(QStringLiteral("Unit:"), unit_);
    lineForm->addRow(QStringLiteral("Ingredient:"), ingredient_);
    lineForm->addRow(QStringLiteral("Preparation Notes:"), notes_);
    lineForm->addRow(heading_);
    layout->addWidget(lineGroup);

    auto* linkGroup =
        new QGroupBox(QStringLiteral("2.)  Link to USDA Nutrition Information  (optional)"), this);
    auto* linkLayout = new QVBoxLayout(linkGroup);
    auto* findRow = new QHBoxLayout;
    findRow->addWidget(new QLabel(QStringLiteral("Link to:"), linkGroup));
    linkTo_ = new QLineEdit(linkGroup);
    linkTo_->setObjectName(QStringLiteral("linkToEdit"));
    findRow->addWidget(linkTo_, 1);
    QPushButton* find = Button(QStringLiteral("Find"), "findButton", linkGroup);
    findRow->addWidget(find);
    linkLayout->addLayout(findRow);
    linkLayout->addWidget(new QLabel(QStringLiteral("Select nutrient:"), linkGroup));
    foods_ = new QListWidget(linkGroup);
    foods_->setObjectName(QStringLiteral("foodList"));
    foods_->setSelectionMode(QAbstractItemView::SingleSelection);
    linkLayout->addWidget(foods_, 1);
    auto* numberRow = new QHBoxLayout;
    numberRow->addWidget(new QLabel(QStringLiteral("Number:"), linkGroup));
    number_ = new QLineEdit(linkGroup);
    number_->setObjectName(QStringLiteral("numberEdit"));
    number_->setMaximumWidth(80);
    numberRow->addWidget(number_);
    measures_ = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i) {
        measure_[i] = new QRadioButton(linkGroup);
        measure_[i]->setObjectName(i == 0 ? QStringLiteral("measureA")
                                          : QStringLiteral("measureB"));
        measures_->addButton(measure_[i], i + 1);
        numberRow->addWidget(measure_[i]);
    }
    numberRow->addStretch(1);
    linkLayout->addLayout(numberRow);
    auto* gramsRow = new QHBoxLayout;
    gramsRow->addWidget(
        new QLabel(QStringLiteral("In this recipe, there are approximately:"), linkGroup));
    grams_ = new QLabel(linkGroup);
    grams_->setObjectName(QStringLiteral("gramsLabel"));
    gramsRow->addWidget(grams_);
    gramsRow->addWidget(new QLabel(QStringLiteral("edible grams of this ingredient."), linkGroup));
    gramsRow->addStretch(1);
    linkLayout->addLayout(gramsRow);
    layout->addWidget(linkGroup, 1);

    auto* stepGroup = new QGroupBox(
        QStringLiteral("3.)  Click Link to add nutritional info for this ingredient!"), this);
    auto* stepRow = new QHBoxLayout(stepGroup);
    link_ = Button(QStringLiteral("Link"), "linkButton", stepGroup);
    link_->setToolTip(
        QStringLiteral("Link this ingredient line to the USDA nutrition information."));
    unlink_ = Button(QStringLiteral("Unlink"), "unlinkButton", stepGroup);
    unlink_->setToolTip(
        QStringLiteral("Unlink this ingredient line; clear the nutrition information."));
    stepRow->addWidget(link_);
    stepRow->addWidget(unlink_);
    stepRow->addStretch(1);
    layout->addWidget(stepGroup);

    auto* walkRow = new QHBoxLayout;
    previous_ = Button(QStringLiteral("< Previous"), "previousButton", this);
    QPushButton* done = Button(QStringLiteral("&Done"), "doneButton", this);
    next_ = Button(QStringLiteral("Next >"), "nextButton", this);
    QPushButton* help = Button(QStringLiteral("&Help"), "helpButton", this);
    walkRow->addWidget(previous_);
    walkRow->addWidget(done);
    walkRow->addWidget(next_);
    walkRow->addStretch(1);
    walkRow->addWidget(help);
    layout->addLayout(walkRow);

    // The Ingredient box proposes a food for its text whenever it is left.
    ingredient_->lineEdit()->installEventFilter(new FocusOutFilter(this, [this] {
        if (showing_) return;
        ReadFields();
        controller_->IngredientLeft();
        Show();
    }));
    connect(find, &QPushButton::clicked, this, [this] {
        ReadFields();
        controller_->Find();
        Show();
    });
    connect(foods_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (showing_ || row < 0) return;
        ReadFields();
        controller_->SelectFood(row);
        Show();
    });
    connect(number_, &QLineEdit::textEdited, this, [this](const QString& text) {
        controller_->SetNumber(S(text));
        Show();
    });
    connect(measures_, &QButtonGroup::idClicked, this, [this](int id) {
        controller_->TickMeasure(id);
        Show();
    });
    connect(link_, &QPushButton::clicked, this, [this] {
        ReadFields();
        controller_->Link();
        Show();
    });
    connect(unlink_, &QPushButton::clicked, this, [this] {
        controller_->Unlink();
        Show();
    });
    connect(previous_, &QPushButton::clicked, this,
            [this] { Walk(&IngredientDetailsController::Previous); });
    connect(next_, &QPushButton::clicked, this,
            [this] { Walk(&IngredientDetailsController::Next); });
    connect(done, &QPushButton::clicked, this, &IngredientDetailsDialog::accept);
    connect(help, &QPushButton::clicked, this,
            [this] { main_.ShowHelpTopic("Nutritional_Information.htm"); });
    resize(560, 620);
}

void IngredientDetailsDialog::ReadFields() {
    IngredientDetailsForm& form = controller_->Form();
    form.qty = S(qty_->text());
    form.unit = S(unit_->text());
    form.ingredient = S(ingredient_->currentText());
    form.notes = S(notes_->currentText());
    form.heading = heading_->isChecked();
    form.linkTo = S(linkTo_->text());
    form.number = S(number_->text());
}

void IngredientDetailsDialog::Show() {
    showing_ = true;
    const IngredientDetailsForm& form = controller_->Form();
    qty_->setText(Q(form.qty));
    unit_->setText(Q(form.unit));
    ingredient_->setEditText(Q(form.ingredient));
    notes_->setEditText(Q(form.notes));
    heading_->setChecked(form.heading);
    linkTo_->setText(Q(form.linkTo));
    foods_->clear();
    for (const ListRow& row : form.foods) foods_->addItem(Q(row.text));
    foods_->setCurrentRow(form.selectedFood);
    number_->setText(Q(form.number));
    measures_->setExclusive(false);
    for (int i = 0; i < 2; ++i) {
        measure_[i]->setText(Q(form.measureCaption[i]));
        measure_[i]->setEnabled(form.measureEnabled[i]);
        measure_[i]->setChecked(form.measureTicked == i + 1);
    }
    measures_->setExclusive(true);
    grams_->setText(Q(form.grams));
    link_->setEnabled(form.linkEnabled);
    unlink_->setEnabled(form.unlinkEnabled);
    previous_->setEnabled(form.previousEnabled);
    next_->setEnabled(form.nextEnabled);
    showing_ = false;
}

void IngredientDetailsDialog::Walk(bool (IngredientDetailsController::*step)()) {
    ReadFields();
    if ((controller_.get()->*step)()) {
        QDialog::accept();
        return;
    }
    Show();
}

void IngredientDetailsDialog::accept() {
    ReadFields();
    controller_->Done();
    QDialog::accept();
}

}  // namespace pantrio
