// The Find dialog ("Find..."): one text searched in the open box (title,
// ingredients, keywords, instructions, cuisine, main ingredient) or on the
// recipe service; a number opens that recipe of the service. It remembers the
// last text and scope for the run; "More Options >>" leads to Find Recipes.
#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace pantrio {

class MainDialog;

class FindDialog : public QDialog {
    Q_OBJECT
public:
    FindDialog(MainDialog& main, QWidget* parent);
    void accept() override;
    // True when the dialog closed through "More Options >>".
    bool MoreOptions() const { return moreOptions_; }

private:
    MainDialog& main_;
    QLineEdit* text_;
    QRadioButton* box_;
    QRadioButton* service_;
    QCheckBox* automatic_;
    bool moreOptions_ = false;
};

}  // namespace pantrio
