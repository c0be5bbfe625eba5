// The Find dialog ("Find..."): one text searched in the open box (title,
// ingredients, keywords, instructions, cuisine, main ingredient) or on the
// recipe service; a number opens that recipe of the service. It opens with
// the last text and scope of the run and hands the values back as the user
// left them; what they do is decided by MainDialog::RunFind. "More Options
// >>" leads to Find Recipes.
#pragma once

#include <QDialog>

#include "core/FindRequests.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace pantrio {

class MainDialog;

class FindDialog : public QDialog {
    Q_OBJECT
public:
    FindDialog(MainDialog& main, const FindDialogValues& last, QWidget* parent);
    // True when the dialog closed through "More Options >>".
    bool MoreOptions() const { return moreOptions_; }
    // The text, scope and check box as they stand.
    FindDialogValues Values() const;

private:
    QLineEdit* text_;
    QRadioButton* box_;
    QRadioButton* service_;
    QCheckBox* automatic_;
    QCheckBox* allBoxes_;
    bool moreOptions_ = false;
};

}  // namespace pantrio
