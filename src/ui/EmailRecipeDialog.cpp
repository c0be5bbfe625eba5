#include "ui/EmailRecipeDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace pantrio {

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

EmailRecipeDialog::EmailRecipeDialog(const EmailRecipeValues& initial,
                                     const std::vector<std::string>& remembered, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("emailRecipeDialog"));
    setWindowTitle(QStringLiteral("Email Recipe"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;

    to_ = new QComboBox(this);
    to_->setObjectName(QStringLiteral("emailTo"));
    to_->setEditable(true);
    to_->setInsertPolicy(QComboBox::NoInsert);
    // The completion below is the one the user sees; Qt's own would fight it.
    to_->setCompleter(nullptr);
    for (const std::string& address : remembered) to_->addItem(Q(address));
    to_->setCurrentIndex(-1);
    to_->setEditText(Q(initial.to));
    to_->setMinimumWidth(360);
    connect(to_->lineEdit(), &QLineEdit::textEdited, this, &EmailRecipeDialog::CompleteTo);
    form->addRow(QStringLiteral("To:"), to_);
    form->addRow(QString(), new QLabel(QStringLiteral("separate multiple addresses with a "
                                                      "semicolon"),
                                       this));
    cc_ = new QLineEdit(Q(initial.cc), this);
    cc_->setObjectName(QStringLiteral("emailCc"));
    form->addRow(QStringLiteral("Cc:"), cc_);
    subject_ = new QLineEdit(Q(initial.subject), this);
    subject_->setObjectName(QStringLiteral("emailSubject"));
    form->addRow(QStringLiteral("Subject:"), subject_);
    message_ = new QPlainTextEdit(Q(initial.message), this);
    message_->setObjectName(QStringLiteral("emailMessage"));
    message_->setTabChangesFocus(true);
    form->addRow(QStringLiteral("Message:"), message_);
    layout->addLayout(form);
    layout->addWidget(new QLabel(QStringLiteral("The recipe will follow your message."), this));

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* send = buttons->addButton(QStringLiteral("&Send"), QDialogButtonBox::AcceptRole);
    send->setObjectName(QStringLiteral("emailSend"));
    send->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    to_->setFocus();
}

void EmailRecipeDialog::CompleteTo(const QString& typed) {
    // Delete and Backspace shorten the text; they never complete it.
    const bool grew = typed.size() > lastLength_;
    lastLength_ = static_cast<int>(typed.size());
    if (!grew || typed.isEmpty()) return;
    QLineEdit* edit = to_->lineEdit();
    if (edit->cursorPosition() != typed.size()) return;
    for (int i = 0; i < to_->count(); ++i) {
        const QString entry = to_->itemText(i);
        if (!entry.startsWith(typed, Qt::CaseInsensitive) || entry.size() == typed.size()) continue;
        // The typed part stays as typed; the tail is selected, so the next
        // keystroke replaces it.
        edit->setText(typed + entry.mid(typed.size()));
        edit->setSelection(static_cast<int>(edit->text().size()),
                           -static_cast<int>(entry.size() - typed.size()));
        return;
    }
}

EmailRecipeValues EmailRecipeDialog::Values() const {
    EmailRecipeValues values;
    values.to = to_->currentText().toStdString();
    values.cc = cc_->text().toStdString();
    values.subject = subject_->text().toStdString();
    values.message = message_->toPlainText().toStdString();
    return values;
}

}  // namespace pantrio
