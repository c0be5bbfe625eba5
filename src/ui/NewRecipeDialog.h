// "Add a New Recipe": the name, the yield with its unit and a description of
// a recipe to start.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "core/RecipeEditView.h"

class QComboBox;
class QLineEdit;

namespace pantrio {

class NewRecipeDialog : public QDialog {
    Q_OBJECT
public:
    NewRecipeDialog(const NewRecipeFields& proposed, const std::vector<std::string>& units,
                    QWidget* parent);
    NewRecipeFields Fields() const;

private:
    QLineEdit* title_;
    QLineEdit* yieldNumber_;
    QComboBox* yieldUnit_;
    QLineEdit* description_;
};

}  // namespace pantrio
