// The Find Recipes dialog (modeless): title text with "begins with" or
// "contains", main ingredient and cuisine, up to five ingredients and five
// keywords, four minimum ratings, and where to look. Its lists and its kept
// position come from FindController; "Find Recipes" hands the criteria to
// FindController::FindRecipes, which lists them.
#pragma once

#include <QDialog>
#include <string>

#include "core/FindRequests.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace pantrio {

class FindController;

class FindRecipesDialog : public QDialog {
    Q_OBJECT
public:
    FindRecipesDialog(FindController& finder, const std::string& serviceName, QWidget* parent);
    // Shows the dialog at its kept position.
    void Open();
    // The criteria and where to look, as the dialog stands.
    FindRecipesRequest Request() const;

private:
    void Find();
    void UpdateTicks();

    FindController& find_;
    QComboBox* title_;
    QComboBox* titleMode_;
    QComboBox* mainIngredient_;
    QComboBox* cuisine_;
    QComboBox* ingredient_;
    QListWidget* ingredients_;
    QPushButton* addIngredient_;
    QComboBox* keyword_;
    QListWidget* keywords_;
    QPushButton* addKeyword_;
    QLineEdit* minimums_[4];
    QRadioButton* inBox_;
    QCheckBox* allBoxes_;
    QCheckBox* ticks_[5];
};

}  // namespace pantrio
