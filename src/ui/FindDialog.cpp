#include "ui/FindDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/MainDialog.h"

namespace pantrio {

FindDialog::FindDialog(MainDialog& main, const FindDialogValues& last, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("findDialog"));
    setWindowTitle(QStringLiteral("Find..."));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Find recipes containing:"), this));
    text_ = new QLineEdit(QString::fromStdString(last.text), this);
    text_->setObjectName(QStringLiteral("findText"));
    text_->selectAll();
    layout->addWidget(text_);
    const QString service = QString::fromStdString(main.ServiceName());
    box_ = new QRadioButton(QStringLiteral("Recipe Box"), this);
    box_->setObjectName(QStringLiteral("findInBox"));
    service_ = new QRadioButton(service, this);
    service_->setObjectName(QStringLiteral("findOnService"));
    (last.scope == FindScope::RecipeService ? service_ : box_)->setChecked(true);
    layout->addWidget(box_);
    layout->addWidget(service_);
    allBoxes_ = new QCheckBox(QStringLiteral("&all recipe boxes"), this);
    allBoxes_->setObjectName(QStringLiteral("findAllBoxes"));
    allBoxes_->setChecked(last.allBoxes);
    // Every box is searched only where the box is searched at all.
    allBoxes_->setEnabled(box_->isChecked());
    connect(box_, &QRadioButton::toggled, allBoxes_, &QCheckBox::setEnabled);
    layout->addWidget(allBoxes_);
    automatic_ = new QCheckBox(
        QStringLiteral("Search ") + service + QStringLiteral(" when nothing is found here"), this);
    automatic_->setObjectName(QStringLiteral("findAutomatic"));
    automatic_->setChecked(last.automaticSearch);
    layout->addWidget(automatic_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* more =
        buttons->addButton(QStringLiteral("More Options >>"), QDialogButtonBox::ActionRole);
    more->setObjectName(QStringLiteral("moreOptions"));
    QPushButton* help = buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(more, &QPushButton::clicked, this, [this] {
        moreOptions_ = true;
        accept();
    });
    // The dialog's own help page.
    MainDialog* owner = &main;
    connect(help, &QPushButton::clicked, this, [owner] { owner->ShowHelp(0); });
    text_->setFocus();
}

FindDialogValues FindDialog::Values() const {
    FindDialogValues values;
    values.text = text_->text().toStdString();
    values.scope = service_->isChecked() ? FindScope::RecipeService : FindScope::RecipeBox;
    values.automaticSearch = automatic_->isChecked();
    values.allBoxes = allBoxes_->isChecked();
    values.moreOptions = moreOptions_;
    return values;
}

}  // namespace pantrio
