// The "Email Recipe" dialog: To (an editable list of the remembered
// addresses that completes what is typed), Cc, Subject and the message that
// goes above the recipe. It hands back the fields as the user left them;
// MailController decides what they do.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "core/MailView.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;

namespace pantrio {

class EmailRecipeDialog : public QDialog {
    Q_OBJECT
public:
    EmailRecipeDialog(const EmailRecipeValues& initial, const std::vector<std::string>& remembered,
                      QWidget* parent);
    EmailRecipeValues Values() const;

private:
    // Completes the To text from the list after a keystroke that added text.
    void CompleteTo(const QString& typed);

    QComboBox* to_;
    QLineEdit* cc_;
    QLineEdit* subject_;
    QPlainTextEdit* message_;
    int lastLength_ = 0;
};

}  // namespace pantrio
