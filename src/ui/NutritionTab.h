// The recipe's Nutrition tab: the recipe's ingredient lines with their link
// state (a double click opens the Ingredient Details dialog), the totals per
// recipe and per serving against recommended daily amounts, how many lines
// the totals count, and the recipe's nutrition notes. The totals are worked
// out when the tab is shown and by "Analyze".
#pragma once

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QTableWidget;
class QTreeWidget;

namespace pantrio {

class MainDialog;

class NutritionTab : public QWidget {
    Q_OBJECT
public:
    NutritionTab(MainDialog& main, QWidget* parent);

    // The current recipe changed or was reloaded: shown again at once when
    // the tab is visible, else when it is next shown.
    void RecipeChanged();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Analyze();

    MainDialog& main_;
    QLabel* title_;
    QTreeWidget* lines_;
    QTableWidget* table_;
    QLabel* totalGrams_;
    QLabel* completeness_;
    QPlainTextEdit* log_;
};

}  // namespace pantrio
