// The shopping list page: the entry row for items typed by hand (with the
// ingredient names to complete from), the grid of items with its in-place
// drop-down editors, the list of recipes on the list, the combined toggle and
// "Clear". Every action goes to the ShoppingListController; the page shows
// what the controller hands it.
#pragma once

#include <QWidget>
#include <vector>

#include "base/RowSink.h"
#include "core/ShoppingListView.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QSplitter;
class QTableWidget;
class QTreeWidget;

namespace pantrio {

class ShoppingListController;
struct LookupLists;

class ShoppingListPage : public QWidget {
    Q_OBJECT
public:
    ShoppingListPage(ShoppingListController& controller, const LookupLists& lookups,
                     QWidget* parent = nullptr);

    void ShowRows(const std::vector<ShoppingGridRow>& rows);
    void ShowRecipes(const std::vector<ListRow>& rows);
    void ShowCombined(bool combined);
    void ResetItemEntry();
    // Fills the entry row's and the editors' lists (after start-up loaded them).
    void LoadLookups();

    QTableWidget* grid() const { return grid_; }
    // Shows the results list at the page's left, so its rows can be dropped
    // on the list (the window lends it while this page is shown).
    void HoldResults(QWidget* results);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void AddClicked();
    void RemoveClicked();
    // Opens the in-place editor of a cell, unless it is on the row's icon.
    void EditCell(int row, int column);
    // Writes an edited cell through the controller.
    void CellEdited(int row, int column, const QString& text);

    ShoppingListController& controller_;
    const LookupLists& lookups_;
    QSplitter* splitter_ = nullptr;
    QComboBox* item_ = nullptr;
    QLineEdit* qty_ = nullptr;
    QComboBox* unit_ = nullptr;
    QTableWidget* grid_ = nullptr;
    QTreeWidget* recipes_ = nullptr;
    QPushButton* combined_ = nullptr;
    bool filling_ = false;

    friend class ShoppingCellDelegate;
};

}  // namespace pantrio
