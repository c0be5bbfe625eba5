// The Find Recipes dialog (modeless): title text with "begins with" or
// "contains", main ingredient and cuisine, up to five ingredients and five
// keywords, four minimum ratings, and where to look. Its position is kept in
// the settings (FilterDlgX, FilterDlgY). "Find Recipes" hands the criteria to
// MainDialog::FindRecipes, which lists them.
#pragma once

#include <QDialog>

#include "core/FindRequests.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace pantrio {

class MainDialog;

class FindRecipesDialog : public QDialog {
    Q_OBJECT
public:
    FindRecipesDialog(MainDialog& main, QWidget* parent);
    // Shows the dialog at its kept position.
    void Open();
    // The criteria and where to look, as the dialog stands.
    FindRecipesRequest Request() const;

private:
    void Find();
    void UpdateTicks();

    MainDialog& main_;
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
    QCheckBox* ticks_[5];
};

}  // namespace pantrio
