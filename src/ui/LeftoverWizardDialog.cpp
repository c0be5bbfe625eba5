#include "ui/LeftoverWizardDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace pantrio {

LeftoverWizardDialog::LeftoverWizardDialog(const std::string& serviceName, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("leftoverWizard"));
    setWindowTitle(QStringLiteral("Leftover Wizard"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    const char* const labels[] = {"First ingredient:", "Second ingredient:", "Third ingredient:"};
    for (int i = 0; i < 3; ++i) {
        ingredients_[i] = new QLineEdit(this);
        ingredients_[i]->setObjectName(QStringLiteral("leftover%1").arg(i + 1));
        form->addRow(QString::fromLatin1(labels[i]), ingredients_[i]);
    }
    layout->addLayout(form);
    auto* service = new QRadioButton(QString::fromStdString(serviceName), this);
    service->setChecked(true);
    box_ = new QRadioButton(QStringLiteral("Current Recipe Box"), this);
    box_->setObjectName(QStringLiteral("leftoverInBox"));
    layout->addWidget(service);
    layout->addWidget(box_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

LeftoverWizardRequest LeftoverWizardDialog::Request() const {
    LeftoverWizardRequest request;
    request.first = ingredients_[0]->text().toStdString();
    request.second = ingredients_[1]->text().toStdString();
    request.third = ingredients_[2]->text().toStdString();
    request.inRecipeBox = box_->isChecked();
    return request;
}

}  // namespace pantrio
