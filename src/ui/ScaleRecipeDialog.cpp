#include "ui/ScaleRecipeDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace pantrio {

ScaleRecipeDialog::ScaleRecipeDialog(const QString& yieldNumber, const QString& yieldUnit,
                                     QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("scaleRecipeDialog"));
    setWindowTitle(QStringLiteral("Scale this recipe"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QStringLiteral("This recipe normally makes ") + yieldNumber + " " + yieldUnit, this));
    layout->addWidget(new QLabel(QStringLiteral("How many would you like to make?"), this));
    auto* row = new QHBoxLayout;
    wanted_ = new QLineEdit(this);
    wanted_->setObjectName(QStringLiteral("wantedEdit"));
    wanted_->setText(yieldNumber);
    wanted_->selectAll();
    row->addWidget(wanted_);
    row->addWidget(new QLabel(yieldUnit, this), 1);
    layout->addLayout(row);
    auto* note = new QLabel(
        QStringLiteral("Note:  Scaling recipes effects recipe ingredient quantities only, not the "
                       "instruction text.  Please adjust accordingly."),
        this);
    note->setWordWrap(true);
    layout->addWidget(note);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QString ScaleRecipeDialog::Wanted() const {
    return wanted_->text();
}

}  // namespace pantrio
