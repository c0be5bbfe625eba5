// The Edit tab of the current recipe: its fields (each stored when it loses
// the focus), the entry row that adds a line, the ingredient grid whose cells
// are edited in place, and the buttons that scale the recipe and convert its
// measures. All storing goes through RecipeEditController.
#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace pantrio {

class MainDialog;
class IngredientGrid;

class EditTab : public QWidget {
    Q_OBJECT
public:
    EditTab(MainDialog& main, QWidget* parent);

    // Shows the current recipe anew (fields, lines, lists).
    void Refresh();
    // Empties the entry row, unticks its heading box and focuses its quantity.
    void ClearLineEntry();
    void FocusQuantity();

    IngredientGrid* grid() const { return grid_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Stores field `field` from `text` when it differs from the recipe's.
    void StoreField(const char* field, const QString& text, bool toSelected = false);
    void AddLine();
    void HeadingToggled(bool heading);
    void ScaleRecipe();
    void ConvertUnits();
    void FillChoices();

    MainDialog& main_;
    QLineEdit* title_;
    QLineEdit* yieldNumber_;
    QComboBox* yieldUnit_;
    QComboBox* primaryIngredient_;
    QComboBox* cuisine_;
    QLineEdit* source_;
    QPlainTextEdit* instructions_;
    QLineEdit* quantity_;
    QLineEdit* unit_;
    QLineEdit* ingredient_;
    QLineEdit* prepNotes_;
    QCheckBox* heading_;
    QLabel* quantityLabel_;
    QLabel* unitLabel_;
    QLabel* notesLabel_;
    IngredientGrid* grid_;
    QPushButton* convert_;
    bool choicesFilled_ = false;
};

}  // namespace pantrio
