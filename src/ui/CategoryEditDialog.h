// The keyword editor ("Categories"): the current recipe's keywords as ticks
// in five lists ("Course/Dish", "Preparation Method", "Season/Occasion",
// "Special Considerations" and "Other:"), with a drop-down list and "Add" for
// keywords of the user's own. The lists are views of a KeywordEditor.
#pragma once

#include <QDialog>

#include "search/KeywordEditor.h"

class QComboBox;
class QListWidget;

namespace pantrio {

class RecipeController;

class CategoryEditDialog : public QDialog {
    Q_OBJECT
public:
    // Opens on the current recipe's keywords; Opened() is false when there
    // is no current recipe.
    CategoryEditDialog(RecipeController& recipes, QWidget* parent);
    bool Opened() const { return opened_; }
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowList(int list);
    void AddKeyword();

    RecipeController& recipes_;
    KeywordEditor editor_;
    bool opened_ = false;
    QListWidget* lists_[KeywordEditor::kListCount];
    QComboBox* dropDown_;
    bool filling_ = false;
};

}  // namespace pantrio
