// The "Email Options" dialog: the outgoing server with its port and
// protection, the sender's address and the login. It hands back the fields;
// MailController::ApplyEmailOptions stores them.
#pragma once

#include <QDialog>

#include "core/MailView.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

namespace pantrio {

class EmailOptionsDialog : public QDialog {
    Q_OBJECT
public:
    EmailOptionsDialog(const EmailOptionsValues& current, QWidget* parent);
    EmailOptionsValues Values() const;

private:
    QLineEdit* server_;
    QSpinBox* port_;
    QComboBox* security_;
    QLineEdit* caFile_;
    QLineEdit* address_;
    QLineEdit* user_;
    QLineEdit* password_;
    QComboBox* login_;
    QCheckBox* keep_;
};

}  // namespace pantrio
