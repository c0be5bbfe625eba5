// The Leftover Wizard: up to three ingredients at hand, searched on the
// recipe service or in the open box.
#pragma once

#include <QDialog>

class QLineEdit;
class QRadioButton;

namespace pantrio {

class MainDialog;

class LeftoverWizardDialog : public QDialog {
    Q_OBJECT
public:
    LeftoverWizardDialog(MainDialog& main, QWidget* parent);
    void accept() override;

private:
    MainDialog& main_;
    QLineEdit* ingredients_[3];
    QRadioButton* box_;
};

}  // namespace pantrio
