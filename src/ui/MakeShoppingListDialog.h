// "Make Shopping List": the meal plan's entries between two days, with check
// boxes; "Add Recipes" puts the ticked ones on the shopping list.
#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "base/DateTime.h"
#include "base/RowSink.h"

class QDateEdit;
class QTreeWidget;

namespace pantrio {

class MakeShoppingListDialog : public QDialog {
    Q_OBJECT
public:
    using Entries = std::function<std::vector<ListRow>(const DateTime&, const DateTime&)>;
    MakeShoppingListDialog(const DateTime& from, const DateTime& to, Entries entries,
                           QWidget* parent = nullptr);
    // The RecipeListIDs of the ticked rows, in list order.
    std::vector<long> Chosen() const;

private:
    void Refill();

    Entries entries_;
    QDateEdit* from_ = nullptr;
    QDateEdit* to_ = nullptr;
    QTreeWidget* list_ = nullptr;
};

}  // namespace pantrio
