#include "ui/EmailOptionsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace pantrio {

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

QLineEdit* Field(const std::string& text, const char* name, QWidget* parent) {
    auto* field = new QLineEdit(Q(text), parent);
    field->setObjectName(QString::fromLatin1(name));
    return field;
}

}  // namespace

EmailOptionsDialog::EmailOptionsDialog(const EmailOptionsValues& current, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("emailOptionsDialog"));
    setWindowTitle(QStringLiteral("Email Options"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QStringLiteral("Send Recipes from Pantrio!  Enter mail server information below."), this));
    auto* form = new QFormLayout;

    server_ = Field(current.server, "emailServer", this);
    server_->setMinimumWidth(280);
    form->addRow(QStringLiteral("Outgoing Mail Server (SMTP):"), server_);
    port_ = new QSpinBox(this);
    port_->setObjectName(QStringLiteral("emailPort"));
    port_->setRange(1, 65535);
    port_->setValue(current.port);
    form->addRow(QStringLiteral("Port:"), port_);
    security_ = new QComboBox(this);
    security_->setObjectName(QStringLiteral("emailSecurity"));
    security_->addItems({QStringLiteral("None"), QStringLiteral("STARTTLS"),
                         QStringLiteral("TLS (SSL) from the start")});
    security_->setCurrentIndex(current.security >= 0 && current.security <= 2 ? current.security
                                                                              : 0);
    form->addRow(QStringLiteral("Security:"), security_);
    caFile_ = Field(current.caFile, "emailCaFile", this);
    caFile_->setPlaceholderText(QStringLiteral("the system's certificates"));
    auto* caRow = new QHBoxLayout;
    auto* browse = new QPushButton(QStringLiteral("Browse..."), this);
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString file = QFileDialog::getOpenFileName(
            this, QStringLiteral("Certificate Authority File"), caFile_->text(),
            QStringLiteral("Certificates (*.pem *.crt);;All Files (*)"));
        if (!file.isEmpty()) caFile_->setText(file);
    });
    caRow->addWidget(caFile_, 1);
    caRow->addWidget(browse);
    form->addRow(QStringLiteral("CA file:"), caRow);
    // Only an encrypted connection checks the server's certificate.
    auto followSecurity = [this, browse](int index) {
        caFile_->setEnabled(index != 0);
        browse->setEnabled(index != 0);
    };
    connect(security_, &QComboBox::currentIndexChanged, this, followSecurity);
    followSecurity(security_->currentIndex());

    address_ = Field(current.emailAddress, "emailAddress", this);
    form->addRow(QStringLiteral("E-Mail Address:"), address_);
    user_ = Field(current.userName, "emailUser", this);
    form->addRow(QStringLiteral("User Name:"), user_);
    password_ = Field(current.password, "emailPassword", this);
    password_->setEchoMode(QLineEdit::Password);
    form->addRow(QStringLiteral("Password:"), password_);
    login_ = new QComboBox(this);
    login_->setObjectName(QStringLiteral("emailLogin"));
    const char* const methods[] = {"No Login Required", "cram-MD5 Method", "AuthLogin Method",
                                   "Plaintext Login"};
    for (int i = 0; i < 4; ++i) login_->addItem(QString::fromLatin1(methods[i]), i);
    // Any other stored number selects nothing, as the list has no entry for it.
    login_->setCurrentIndex(login_->findData(current.authMode));
    form->addRow(QStringLiteral("Log on using:"), login_);
    keep_ = new QCheckBox(QStringLiteral("Remember Password"), this);
    keep_->setObjectName(QStringLiteral("emailKeepPassword"));
    keep_->setChecked(current.keepPassword);
    form->addRow(QString(), keep_);
    layout->addLayout(form);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

EmailOptionsValues EmailOptionsDialog::Values() const {
    EmailOptionsValues values;
    values.server = server_->text().toStdString();
    values.port = port_->value();
    values.security = security_->currentIndex();
    values.caFile = caFile_->text().toStdString();
    values.emailAddress = address_->text().toStdString();
    values.userName = user_->text().toStdString();
    values.password = password_->text().toStdString();
    // No selection leaves the login as it was chosen before: none.
    values.authMode = login_->currentIndex() < 0 ? 0 : login_->currentData().toInt();
    values.keepPassword = keep_->isChecked();
    return values;
}

}  // namespace pantrio
