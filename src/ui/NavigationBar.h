// The navigation bar at the left of the main window: the Recipes page with
// its Cuisines and main-ingredient ("M. Ingred") folders, and the Shopping
// List, Meal Calendar and Nutrient Information pages.
#pragma once

#include <QTreeWidget>
#include <string>
#include <vector>

#include "base/RowSink.h"

namespace pantrio {

class NavigationBar : public QTreeWidget {
    Q_OBJECT
public:
    explicit NavigationBar(QWidget* parent);

    // Replaces the items of the two folders: each row's text with its icon.
    void SetFolderItems(const std::vector<ListRow>& cuisines,
                        const std::vector<ListRow>& mainIngredients);

signals:
    // Page 1 (recipes) to 4 (nutrient information) was chosen.
    void pageChosen(int page);
    // An item of a folder was chosen: folder 0 is Cuisines, 1 main ingredients.
    void folderItemChosen(int folder, const QString& text);
    // A folder was opened: its items are read anew.
    void folderOpened();

private:
    QTreeWidgetItem* cuisines_;
    QTreeWidgetItem* mainIngredients_;
};

}  // namespace pantrio
