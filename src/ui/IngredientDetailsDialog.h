// The Ingredient Details dialog: one ingredient line of the current recipe
// with its food link, and the walk through the recipe's lines. The widgets
// mirror an IngredientDetailsController; the dialog writes the user's typing
// into its form before each action and shows the form afterwards.
#pragma once

#include <QDialog>
#include <memory>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace pantrio {

class IngredientDetailsController;
class MainDialog;

class IngredientDetailsDialog : public QDialog {
    Q_OBJECT
public:
    IngredientDetailsDialog(MainDialog& main,
                            std::unique_ptr<IngredientDetailsController> controller,
                            QWidget* parent);
    ~IngredientDetailsDialog() override;

    // Opens the dialog modally on line `lineID` of the current recipe, or on
    // a new line for -1, and reloads and shows the current recipe when it
    // closes. False (nothing shown) when there is no current recipe or the
    // line is not one of its lines. The Edit tab's grid and the Nutrition
    // tab's line list open it this way.
    static bool Open(MainDialog& main, int lineID, QWidget* parent);

    void accept() override;

private:
    void Build();
    void Show();
    void ReadFields();
    void Walk(bool (IngredientDetailsController::*step)());

    MainDialog& main_;
    std::unique_ptr<IngredientDetailsController> controller_;
    bool showing_ = false;
    QLineEdit* qty_;
    QLineEdit* unit_;
    QComboBox* ingredient_;
    QComboBox* notes_;
    QCheckBox* heading_;
    QLineEdit* linkTo_;
    QListWidget* foods_;
    QLineEdit* number_;
    QRadioButton* measure_[2];
    QButtonGroup* measures_;
    QLabel* grams_;
    QPushButton* link_;
    QPushButton* unlink_;
    QPushButton* previous_;
    QPushButton* next_;
};

}  // namespace pantrio
