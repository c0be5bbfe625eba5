#include "ui/NavigationBar.h"

#include <QHeaderView>
#include <QStyle>

#include "ui/RecipeIcons.h"

namespace pantrio {

namespace {

constexpr int kPageRole = Qt::UserRole + 1;    // 1..4 for the page items
constexpr int kFolderRole = Qt::UserRole + 2;  // 0 or 1 for folder items

}  // namespace

NavigationBar::NavigationBar(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("navigationBar"));
    setHeaderHidden(true);
    setColumnCount(1);
    setIndentation(14);
    setMinimumWidth(150);
    QStyle* s = style();
    auto* recipes = new QTreeWidgetItem(this, {QStringLiteral("Recipes")});
    recipes->setData(0, kPageRole, 1);
    recipes->setIcon(0, RecipeIcon(0));
    cuisines_ = new QTreeWidgetItem(recipes, {QStringLiteral("Cuisines")});
    cuisines_->setIcon(0, s->standardIcon(QStyle::SP_DirIcon));
    cuisines_->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    mainIngredients_ = new QTreeWidgetItem(recipes, {QStringLiteral("M. Ingred")});
    mainIngredients_->setIcon(0, s->standardIcon(QStyle::SP_DirIcon));
    mainIngredients_->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    const char* const pages[] = {"Shopping List", "Meal Calendar", "Nutrient Information"};
    const QStyle::StandardPixmap icons[] = {QStyle::SP_FileDialogDetailedView,
                                            QStyle::SP_FileDialogInfoView,
                                            QStyle::SP_FileDialogContentsView};
    for (int i = 0; i < 3; ++i) {
        auto* item = new QTreeWidgetItem(this, {QString::fromLatin1(pages[i])});
        item->setData(0, kPageRole, i + 2);
        item->setIcon(0, s->standardIcon(icons[i]));
    }
    recipes->setExpanded(true);

    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        const QVariant page = item->data(0, kPageRole);
        if (page.isValid()) {
            emit pageChosen(page.toInt());
            return;
        }
        const QVariant folder = item->data(0, kFolderRole);
        if (folder.isValid()) emit folderItemChosen(folder.toInt(), item->text(0));
    });
    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
        if (item == cuisines_ || item == mainIngredients_) emit folderOpened();
    });
}

void NavigationBar::SetFolderItems(const std::vector<ListRow>& cuisines,
                                   const std::vector<ListRow>& mainIngredients) {
    QTreeWidgetItem* folders[] = {cuisines_, mainIngredients_};
    const std::vector<ListRow>* items[] = {&cuisines, &mainIngredients};
    for (int f = 0; f < 2; ++f) {
        qDeleteAll(folders[f]->takeChildren());
        for (const ListRow& row : *items[f]) {
            auto* item = new QTreeWidgetItem(folders[f], {QString::fromStdString(row.text)});
            item->setData(0, kFolderRole, f);
            item->setIcon(0, NavigationImage(row.icon));
        }
    }
}

}  // namespace pantrio
