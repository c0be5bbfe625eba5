#include "ui/FindRecipesDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/FindController.h"
#include "recipe/Quantity.h"
#include "search/FindCriteria.h"

namespace pantrio {

namespace {

constexpr int kMaxEntries = 5;

void FillFrom(QComboBox* combo, const std::vector<std::string>& texts) {
    combo->addItem(QString());
    for (const std::string& text : texts) combo->addItem(QString::fromStdString(text));
}

// A list of at most five entries fed by a combo with "Add >", "Remove" and
// "Clear".
QWidget* EntryList(QWidget* parent, QComboBox*& combo, QListWidget*& list, QPushButton*& add,
                   bool addAtTop) {
    auto* box = new QWidget(parent);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    combo = new QComboBox(box);
    combo->setEditable(true);
    list = new QListWidget(box);
    list->setMaximumHeight(96);
    add = new QPushButton(QStringLiteral("Add >"), box);
    auto* remove = new QPushButton(QStringLiteral("Remove"), box);
    auto* clear = new QPushButton(QStringLiteral("Clear"), box);
    grid->addWidget(combo, 0, 0);
    grid->addWidget(add, 0, 1);
    grid->addWidget(list, 0, 2, 3, 1);
    grid->addWidget(remove, 1, 1);
    grid->addWidget(clear, 2, 1);
    QComboBox* c = combo;
    QListWidget* l = list;
    QPushButton* a = add;
    QObject::connect(add, &QPushButton::clicked, box, [c, l, a, addAtTop] {
        const QString text = c->currentText().trimmed();
        if (text.isEmpty() || l->count() >= kMaxEntries) return;
        if (!l->findItems(text, Qt::MatchFixedString).isEmpty()) return;
        if (addAtTop) {
            l->insertItem(0, text);
        } else {
            l->addItem(text);
        }
        a->setEnabled(l->count() < kMaxEntries);
    });
    QObject::connect(remove, &QPushButton::clicked, box, [l, a] {
        delete l->currentItem();
        a->setEnabled(l->count() < kMaxEntries);
    });
    QObject::connect(clear, &QPushButton::clicked, box, [l, a] {
        l->clear();
        a->setEnabled(true);
    });
    return box;
}

}  // namespace

FindRecipesDialog::FindRecipesDialog(FindController& finder, const std::string& serviceName,
                                     QWidget* parent)
    : QDialog(parent), find_(finder) {
    setObjectName(QStringLiteral("findRecipesDialog"));
    setWindowTitle(QStringLiteral("Find Recipes"));
    setModal(false);
    auto* layout = new QVBoxLayout(this);

    const char* const sections[] = {"Recipe Title", "Having Ingredients", "Having Keywords...",
                                    "Ratings", "Other"};
    QGroupBox* groups[5];
    for (int i = 0; i < 5; ++i) {
        groups[i] = new QGroupBox(this);
        auto* v = new QVBoxLayout(groups[i]);
        ticks_[i] = new QCheckBox(QString::fromLatin1(sections[i]), groups[i]);
        // The ticks only show which sections hold a value.
        ticks_[i]->setAttribute(Qt::WA_TransparentForMouseEvents);
        ticks_[i]->setFocusPolicy(Qt::NoFocus);
        v->addWidget(ticks_[i]);
        layout->addWidget(groups[i]);
    }

    auto* titleRow = new QHBoxLayout;
    title_ = new QComboBox(this);
    title_->setObjectName(QStringLiteral("findTitle"));
    title_->setEditable(true);
    titleMode_ = new QComboBox(this);
    titleMode_->addItems({QStringLiteral("begins with"), QStringLiteral("contains")});
    titleRow->addWidget(titleMode_);
    titleRow->addWidget(title_, 1);
    static_cast<QVBoxLayout*>(groups[0]->layout())->addLayout(titleRow);

    groups[1]->layout()->addWidget(
        EntryList(groups[1], ingredient_, ingredients_, addIngredient_, true));
    groups[2]->layout()->addWidget(EntryList(groups[2], keyword_, keywords_, addKeyword_, false));
    FillFrom(keyword_, finder.KeywordChoices());

    auto* ratings = new QGridLayout;
    const char* const minimumLabels[] = {"Taste >=", "Appearance >=", "Effort >=", "Cost >="};
    for (int i = 0; i < 4; ++i) {
        minimums_[i] = new QLineEdit(QStringLiteral("0"), this);
        minimums_[i]->setMaximumWidth(50);
        ratings->addWidget(new QLabel(QString::fromLatin1(minimumLabels[i]), this), 0, 2 * i);
        ratings->addWidget(minimums_[i], 0, 2 * i + 1);
        connect(minimums_[i], &QLineEdit::textChanged, this, &FindRecipesDialog::UpdateTicks);
    }
    static_cast<QVBoxLayout*>(groups[3]->layout())->addLayout(ratings);

    auto* other = new QGridLayout;
    mainIngredient_ = new QComboBox(this);
    mainIngredient_->setEditable(true);
    cuisine_ = new QComboBox(this);
    cuisine_->setEditable(true);
    FillFrom(mainIngredient_, finder.MainIngredientChoices());
    FillFrom(cuisine_, finder.CuisineChoices());
    other->addWidget(new QLabel(QStringLiteral("Main ingredient"), this), 0, 0);
    other->addWidget(mainIngredient_, 0, 1);
    other->addWidget(new QLabel(QStringLiteral("Cuisine"), this), 1, 0);
    other->addWidget(cuisine_, 1, 1);
    static_cast<QVBoxLayout*>(groups[4]->layout())->addLayout(other);

    inBox_ = new QRadioButton(QStringLiteral("Look in Recipe Box"), this);
    inBox_->setChecked(true);
    auto* onService =
        new QRadioButton(QStringLiteral("Look on ") + QString::fromStdString(serviceName), this);
    allBoxes_ = new QCheckBox(QStringLiteral("&all recipe boxes"), this);
    allBoxes_->setObjectName(QStringLiteral("findRecipesAllBoxes"));
    connect(inBox_, &QRadioButton::toggled, allBoxes_, &QCheckBox::setEnabled);
    auto* where = new QHBoxLayout;
    where->addWidget(inBox_);
    where->addWidget(allBoxes_);
    where->addStretch(1);
    layout->addLayout(where);
    layout->addWidget(onService);
    auto* buttons = new QHBoxLayout;
    auto* find = new QPushButton(QStringLiteral("Find Recipes"), this);
    find->setObjectName(QStringLiteral("findRecipesButton"));
    find->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    buttons->addStretch(1);
    buttons->addWidget(find);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(find, &QPushButton::clicked, this, &FindRecipesDialog::Find);
    connect(cancel, &QPushButton::clicked, this, &QDialog::hide);

    for (QComboBox* c : {title_, mainIngredient_, cuisine_})
        connect(c, &QComboBox::currentTextChanged, this, &FindRecipesDialog::UpdateTicks);
    for (QListWidget* l : {ingredients_, keywords_}) {
        connect(l->model(), &QAbstractItemModel::rowsInserted, this,
                &FindRecipesDialog::UpdateTicks);
        connect(l->model(), &QAbstractItemModel::rowsRemoved, this,
                &FindRecipesDialog::UpdateTicks);
    }
    resize(350, 500);
}

void FindRecipesDialog::Open() {
    const auto [x, y] = find_.FindRecipesPosition();
    move(x, y);
    show();
    raise();
    activateWindow();
}

void FindRecipesDialog::UpdateTicks() {
    ticks_[0]->setChecked(!title_->currentText().trimmed().isEmpty());
    ticks_[1]->setChecked(ingredients_->count() > 0);
    ticks_[2]->setChecked(keywords_->count() > 0);
    bool allAtLeastZero = true;
    bool anyNonZero = false;
    for (QLineEdit* e : minimums_) {
        const double value = ParseQuantity(e->text().toStdString());
        allAtLeastZero = allAtLeastZero && value >= 0;
        anyNonZero = anyNonZero || value != 0;
    }
    ticks_[3]->setChecked(allAtLeastZero && anyNonZero);
    ticks_[4]->setChecked(!mainIngredient_->currentText().trimmed().isEmpty() ||
                          !cuisine_->currentText().trimmed().isEmpty());
}

FindRecipesRequest FindRecipesDialog::Request() const {
    FindRecipesRequest request;
    FindCriteria& criteria = request.criteria;
    criteria.titleText = title_->currentText().toStdString();
    criteria.titleBeginsWith = titleMode_->currentIndex() == 0;
    for (int i = 0; i < kMaxEntries; ++i) {
        criteria.keywords[i] =
            i < keywords_->count() ? keywords_->item(i)->text().toStdString() : "";
        criteria.ingredients[i] = i < ingredients_->count()
                                      ? ingredients_->item(i)->text().toStdString()
                                      : std::string(kEmptyIngredient);
    }
    criteria.mainIngredient = mainIngredient_->currentText().toStdString();
    criteria.cuisine = cuisine_->currentText().toStdString();
    criteria.minimumTaste = ParseQuantity(minimums_[0]->text().toStdString());
    criteria.minimumAppearance = ParseQuantity(minimums_[1]->text().toStdString());
    criteria.minimumEffort = ParseQuantity(minimums_[2]->text().toStdString());
    criteria.minimumAffordability = ParseQuantity(minimums_[3]->text().toStdString());
    request.lookInBox = inBox_->isChecked();
    request.allBoxes = request.lookInBox && allBoxes_->isChecked();
    return request;
}

void FindRecipesDialog::Find() {
    find_.SetFindRecipesPosition(pos().x(), pos().y());
    hide();
    find_.FindRecipes(Request());
}

}  // namespace pantrio
