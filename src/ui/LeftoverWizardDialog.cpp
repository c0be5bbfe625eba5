#include "ui/LeftoverWizardDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/MainDialog.h"
#include "core/MainView.h"
#include "search/FindCriteria.h"

namespace pantrio {

LeftoverWizardDialog::LeftoverWizardDialog(MainDialog& main, QWidget* parent)
    : QDialog(parent), main_(main) {
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
    auto* service = new QRadioButton(QString::fromStdString(main.Settings.ServiceName), this);
    service->setChecked(true);
    box_ = new QRadioButton(QStringLiteral("Current Recipe Box"), this);
    box_->setObjectName(QStringLiteral("leftoverInBox"));
    layout->addWidget(service);
    layout->addWidget(box_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &LeftoverWizardDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void LeftoverWizardDialog::accept() {
    const FindCriteria criteria = LeftoverWizardCriteria(ingredients_[0]->text().toStdString(),
                                                         ingredients_[1]->text().toStdString(),
                                                         ingredients_[2]->text().toStdString());
    if (MainView* view = main_.view()) view->ClearResults();
    if (box_->isChecked()) {
        main_.FillResults(FindRecipesQuery(criteria));
    } else {
        main_.FillResults(ServiceFindQuery(criteria));
        main_.Web.SearchService(criteria);
    }
    QDialog::accept();
}

}  // namespace pantrio
