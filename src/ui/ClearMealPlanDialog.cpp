#include "ui/ClearMealPlanDialog.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace pantrio {

namespace {

DateTime FromQDate(const QDate& day) {
    return DateTime::FromDate(day.year(), day.month(), day.day());
}

}  // namespace

ClearMealPlanDialog::ClearMealPlanDialog(
    const DateTime& initial, std::function<bool(const DateTime&, const DateTime&)> accept,
    QWidget* parent)
    : QDialog(parent), accept_(std::move(accept)) {
    setObjectName(QStringLiteral("clearMealPlanDialog"));
    setWindowTitle(QStringLiteral("Clear Meal Plan"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Remove recipes from meal plan"), this));
    auto* form = new QFormLayout;
    const QDate day(initial.year, initial.month, initial.day);
    from_ = new QDateEdit(day, this);
    from_->setObjectName(QStringLiteral("fromDay"));
    from_->setCalendarPopup(true);
    to_ = new QDateEdit(day, this);
    to_->setObjectName(QStringLiteral("toDay"));
    to_->setCalendarPopup(true);
    form->addRow(QStringLiteral("From:"), from_);
    form->addRow(QStringLiteral("To:"), to_);
    layout->addLayout(form);
    auto* tip = new QLabel(QStringLiteral("Tip:  To selectively remove individual recipes, simply "
                                          "drag them off the meal plan."),
                           this);
    tip->setWordWrap(true);
    layout->addWidget(tip);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (accept_(FromQDate(from_->date()), FromQDate(to_->date()))) QDialog::accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

}  // namespace pantrio
