// The Leftover Wizard: up to three ingredients at hand, to be searched on the
// recipe service or in the open box. The dialog only collects them; the
// search is MainDialog::RunLeftoverWizard.
#pragma once

#include <QDialog>
#include <string>

#include "core/FindRequests.h"

class QLineEdit;
class QRadioButton;

namespace pantrio {

class LeftoverWizardDialog : public QDialog {
    Q_OBJECT
public:
    LeftoverWizardDialog(const std::string& serviceName, QWidget* parent);
    // The three ingredients as typed and where to look.
    LeftoverWizardRequest Request() const;

private:
    QLineEdit* ingredients_[3];
    QRadioButton* box_;
};

}  // namespace pantrio
