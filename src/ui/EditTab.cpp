#include "ui/EditTab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/Prompter.h"
#include "core/MainDialog.h"
#include "recipe/Quantity.h"
#include "recipe/Recipe.h"
#include "ui/IngredientDetailsDialog.h"
#include "ui/IngredientGrid.h"
#include "ui/ScaleRecipeDialog.h"

namespace pantrio {

namespace {

QLineEdit* LineEdit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

QComboBox* ChoiceBox(QWidget* parent, const char* name) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    return box;
}

void SetChoices(QComboBox* box, const std::vector<std::string>& items) {
    const QString text = box->currentText();
    box->clear();
    for (const std::string& item : items) box->addItem(QString::fromStdString(item));
    box->setCurrentText(text);
}

// Instructions come back with CR LF; the box shows plain line breaks.
QString ShownText(const std::string& stored) {
    return QString::fromStdString(stored).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

EditTab::EditTab(MainDialog& main, QWidget* parent) : QWidget(parent), main_(main) {
    setObjectName(QStringLiteral("editTab"));
    auto* layout = new QVBoxLayout(this);

    auto* form = new QFormLayout;
    title_ = LineEdit(this, "titleEdit");
    form->addRow(QStringLiteral("Title:"), title_);
    auto* yields = new QHBoxLayout;
    yieldNumber_ = LineEdit(this, "yieldNumberEdit");
    yieldNumber_->setMaximumWidth(70);
    yieldUnit_ = ChoiceBox(this, "yieldUnitBox");
    yields->addWidget(yieldNumber_);
    yields->addWidget(yieldUnit_, 1);
    form->addRow(QStringLiteral("Yields:"), yields);
    primaryIngredient_ = ChoiceBox(this, "primaryIngredientBox");
    form->addRow(QStringLiteral("Main ingredient:"), primaryIngredient_);
    cuisine_ = ChoiceBox(this, "cuisineBox");
    form->addRow(QStringLiteral("Cuisine:"), cuisine_);
    source_ = LineEdit(this, "sourceEdit");
    form->addRow(QStringLiteral("Source:"), source_);
    layout->addLayout(form);

    auto* buttons = new QHBoxLayout;
    auto* scale = new QPushButton(QStringLiteral("Change serving size"), this);
    scale->setObjectName(QStringLiteral("scaleButton"));
    convert_ = new QPushButton(QStringLiteral("Metric / English ingredient conversion"), this);
    convert_->setObjectName(QStringLiteral("convertButton"));
    buttons->addWidget(scale);
    buttons->addWidget(convert_);
    buttons->addStretch(1);
    layout->addLayout(buttons);

    // The entry row: quantity, unit, ingredient, notes and the heading box.
    auto* entry = new QGridLayout;
    quantityLabel_ = new QLabel(QStringLiteral("Qty"), this);
    unitLabel_ = new QLabel(QStringLiteral("Unit"), this);
    notesLabel_ = new QLabel(QStringLiteral("Prep notes"), this);
    quantity_ = LineEdit(this, "entryQuantity");
    quantity_->setMaximumWidth(70);
    unit_ = LineEdit(this, "entryUnit");
    unit_->setMaximumWidth(90);
    ingredient_ = LineEdit(this, "entryIngredient");
    prepNotes_ = LineEdit(this, "entryNotes");
    heading_ = new QCheckBox(QStringLiteral("hdg"), this);
    heading_->setObjectName(QStringLiteral("entryHeading"));
    auto* add = new QPushButton(QStringLiteral("Add"), this);
    add->setObjectName(QStringLiteral("addLineButton"));
    entry->addWidget(quantityLabel_, 0, 0);
    entry->addWidget(unitLabel_, 0, 1);
    entry->addWidget(new QLabel(QStringLiteral("Ingredient"), this), 0, 2);
    entry->addWidget(notesLabel_, 0, 3);
    entry->addWidget(quantity_, 1, 0);
    entry->addWidget(unit_, 1, 1);
    entry->addWidget(ingredient_, 1, 2);
    entry->addWidget(prepNotes_, 1, 3);
    entry->addWidget(heading_, 1, 4);
    entry->addWidget(add, 1, 5);
    entry->setColumnStretch(2, 2);
    entry->setColumnStretch(3, 1);
    layout->addLayout(entry);

    grid_ = new IngredientGrid(main, this);
    layout->addWidget(grid_, 2);

    layout->addWidget(new QLabel(QStringLiteral("Instructions:"), this));
    instructions_ = new QPlainTextEdit(this);
    instructions_->setObjectName(QStringLiteral("instructionsEdit"));
    instructions_->installEventFilter(this);
    layout->addWidget(instructions_, 2);

    connect(title_, &QLineEdit::editingFinished, this,
            [this] { StoreField("Title", title_->text()); });
    connect(yieldNumber_, &QLineEdit::editingFinished, this,
            [this] { StoreField("YieldNumber", yieldNumber_->text()); });
    connect(source_, &QLineEdit::editingFinished, this,
            [this] { StoreField("Source", source_->text()); });
    const struct {
        QComboBox* box;
        const char* field;
        bool toSelected;
    } choices[] = {{yieldUnit_, "YieldUnit", false},
                   {primaryIngredient_, "PrimaryIngredient", true},
                   {cuisine_, "Cuisine", true}};
    for (const auto& c : choices) {
        QComboBox* box = c.box;
        const char* field = c.field;
        const bool toSelected = c.toSelected;
        connect(box->lineEdit(), &QLineEdit::editingFinished, this, [this, box, field, toSelected] {
            StoreField(field, box->currentText(), toSelected);
        });
        connect(box, &QComboBox::activated, this, [this, box, field, toSelected] {
            StoreField(field, box->currentText(), toSelected);
        });
    }
    for (QLineEdit* field : {quantity_, unit_, ingredient_, prepNotes_})
        connect(field, &QLineEdit::returnPressed, this, &EditTab::AddLine);
    connect(add, &QPushButton::clicked, this, &EditTab::AddLine);
    connect(heading_, &QCheckBox::toggled, this, &EditTab::HeadingToggled);
    connect(scale, &QPushButton::clicked, this, &EditTab::ScaleRecipe);
    connect(convert_, &QPushButton::clicked, this, &EditTab::ConvertUnits);
    // A double click on a row, or a click below the last, opens the line's
    // details (a new line for the latter).
    grid_->openDetails = [this](int row) {
        const Recipe& recipe = main_.Recipes().Current();
        const int lineID = row >= 0 && row < recipe.LineCount()
                               ? recipe.Lines[static_cast<std::size_t>(row)].IngredientLinesID
                               : -1;
        IngredientDetailsDialog::Open(main_, lineID, this);
    };
    Refresh();
}

void EditTab::FillChoices() {
    RecipeEditController& editing = main_.Editing();
    using C = RecipeEditController::Choices;
    SetChoices(yieldUnit_, editing.ChoiceList(C::YieldUnits));
    SetChoices(primaryIngredient_, editing.ChoiceList(C::PrimaryIngredients));
    SetChoices(cuisine_, editing.ChoiceList(C::Cuisines));
    QStringList units;
    for (const std::string& unit : editing.Completions(LineColumn::Unit))
        units << QString::fromStdString(unit);
    QStringList names;
    for (const std::string& name : editing.Completions(LineColumn::Ingredient))
        names << QString::fromStdString(name);
    auto complete = [](QLineEdit* edit, const QStringList& words) {
        auto* completer = new QCompleter(words, edit);
        completer->setCaseSensitivity(Qt::CaseInsensitive);
        edit->setCompleter(completer);
    };
    complete(unit_, units);
    complete(ingredient_, names);
    choicesFilled_ = true;
}

void EditTab::Refresh() {
    const bool current = main_.Recipes().HasCurrent();
    if (current && !choicesFilled_) FillChoices();
    const Recipe& recipe = main_.Recipes().Current();
    title_->setText(current ? QString::fromStdString(recipe.Title) : QString());
    yieldNumber_->setText(current ? QString::fromStdString(DecimalText(recipe.YieldNumber, 2))
                                  : QString());
    yieldUnit_->setCurrentText(current ? QString::fromStdString(recipe.YieldUnit) : QString());
    primaryIngredient_->setCurrentText(current ? QString::fromStdString(recipe.PrimaryIngredient)
                                               : QString());
    cuisine_->setCurrentText(current ? QString::fromStdString(recipe.Cuisine) : QString());
    source_->setText(current ? QString::fromStdString(recipe.Source) : QString());
    if (!instructions_->hasFocus())
        instructions_->setPlainText(current ? ShownText(recipe.Instructions) : QString());
    convert_->setToolTip(recipe.Metric && current ? QStringLiteral("Converts to English units")
                                                  : QStringLiteral("Converts to metric units"));
    grid_->ShowLines();
}

void EditTab::StoreField(const char* field, const QString& text, bool toSelected) {
    if (!main_.Recipes().HasCurrent()) return;
    const Recipe& recipe = main_.Recipes().Current();
    const std::string value = text.toStdString();
    const std::string name = field;
    // Only a change is written: leaving a field unchanged stores nothing.
    const std::string* stored = name == "Title"               ? &recipe.Title
                                : name == "Source"            ? &recipe.Source
                                : name == "YieldUnit"         ? &recipe.YieldUnit
                                : name == "PrimaryIngredient" ? &recipe.PrimaryIngredient
                                : name == "Cuisine"           ? &recipe.Cuisine
                                                              : nullptr;
    if (stored != nullptr && *stored == value) return;
    if (name == "YieldNumber" && value == DecimalText(recipe.YieldNumber, 2)) return;
    if (name == "Instructions" && ShownText(recipe.Instructions) == text) return;
    std::string error;
    if (!main_.Editing().SetField(field, value, error, toSelected)) {
        main_.prompter().Message(error);
        Refresh();
    }
}

bool EditTab::eventFilter(QObject* watched, QEvent* event) {
    if (watched == instructions_ && event->type() == QEvent::FocusOut)
        StoreField("Instructions", instructions_->toPlainText());
    return QWidget::eventFilter(watched, event);
}

void EditTab::AddLine() {
    LineEntry entry;
    entry.quantity = quantity_->text().toStdString();
    entry.unit = unit_->text().toStdString();
    entry.ingredient = ingredient_->text().toStdString();
    entry.prepNotes = prepNotes_->text().toStdString();
    entry.heading = heading_->isChecked();
    std::string error;
    if (main_.Editing().AddLine(entry, error) < 0) main_.prompter().Message(error);
}

void EditTab::ClearLineEntry() {
    for (QLineEdit* field : {quantity_, unit_, ingredient_, prepNotes_}) field->clear();
    heading_->setChecked(false);
    FocusQuantity();
}

void EditTab::FocusQuantity() {
    quantity_->setFocus(Qt::OtherFocusReason);
}

void EditTab::HeadingToggled(bool heading) {
    heading_->setText(heading ? QStringLiteral("This line is a heading:") : QStringLiteral("hdg"));
    for (QWidget* w : std::initializer_list<QWidget*>{quantity_, unit_, prepNotes_, quantityLabel_,
                                                      unitLabel_, notesLabel_})
        w->setVisible(!heading);
    if (heading) ingredient_->setFocus(Qt::OtherFocusReason);
}

void EditTab::ScaleRecipe() {
    if (!main_.RequireRecipe(CommandRule::NeedsCurrentRecipe)) return;
    RecipeController& recipes = main_.Recipes();
    Recipe& recipe = recipes.CurrentForEditing();
    ScaleRecipeDialog dialog(yieldNumber_->text(), yieldUnit_->currentText(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    if (!recipes.Scale(recipe, ParseQuantity(dialog.Wanted().toStdString()))) {
        main_.prompter().Message(recipe.YieldNumber <= 0
                                     ? "This recipe does not say how many it makes, so it "
                                       "cannot be scaled. Please enter its yield first."
                                     : "Please give how many you would like to make, such as 6 "
                                       "or 1 1/2.",
                                 "Scale this recipe");
        return;
    }
    recipes.RefreshEditedRecipe();
}

void EditTab::ConvertUnits() {
    if (!main_.RequireRecipe(CommandRule::NeedsCurrentRecipe)) return;
    RecipeController& recipes = main_.Recipes();
    if (recipes.ConvertUnits(recipes.CurrentForEditing()) < 0)
        main_.prompter().Message("Could not store the converted lines.");
    // The recipe is read again, its metric flag with it.
    main_.Editing().EditRecipe(recipes.CurrentID());
    recipes.RefreshEditedRecipe();
}

}  // namespace pantrio
