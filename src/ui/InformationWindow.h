// The information dialog ("Pantrio Information"): the open box with its
// counts, one tip at a time with "<" and ">", and the "Show this dialog at
// startup" check box, all driven through the InformationDialog object.
#pragma once

#include <QDialog>

class QLabel;

namespace pantrio {

class InformationDialog;

class InformationWindow : public QDialog {
    Q_OBJECT
public:
    InformationWindow(InformationDialog& information, QWidget* parent);

private:
    void ShowTip();

    InformationDialog& information_;
    QLabel* tip_;
};

}  // namespace pantrio
