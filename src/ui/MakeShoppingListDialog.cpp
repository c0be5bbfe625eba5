#include "ui/MakeShoppingListDialog.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/RecipeIcons.h"

namespace pantrio {

namespace {

QDate ToQDate(const DateTime& d) {
    return d.null ? QDate::currentDate() : QDate(d.year, d.month, d.day);
}

DateTime FromQDate(const QDate& d) {
    return DateTime::FromDate(d.year(), d.month(), d.day());
}

}  // namespace

MakeShoppingListDialog::MakeShoppingListDialog(const DateTime& from, const DateTime& to,
                                               Entries entries, QWidget* parent)
    : QDialog(parent), entries_(std::move(entries)) {
    setObjectName(QStringLiteral("makeShoppingListDialog"));
    setWindowTitle(QStringLiteral("Make Shopping List"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QStringLiteral("Add ingredients from your meal plan directly to your shopping list."),
        this));
    auto* box = new QGroupBox(QStringLiteral("Select recipes"), this);
    auto* grid = new QGridLayout(box);
    grid->addWidget(new QLabel(QStringLiteral("Starting on:"), box), 0, 0);
    from_ = new QDateEdit(ToQDate(from), box);
    from_->setObjectName(QStringLiteral("planFrom"));
    from_->setCalendarPopup(true);
    grid->addWidget(from_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Ending:"), box), 0, 2);
    to_ = new QDateEdit(ToQDate(to), box);
    to_->setObjectName(QStringLiteral("planTo"));
    to_->setCalendarPopup(true);
    grid->addWidget(to_, 0, 3);
    list_ = new QTreeWidget(box);
    list_->setObjectName(QStringLiteral("planEntries"));
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels(
        {QStringLiteral("Recipe"), QStringLiteral("Scale"), QStringLiteral("Date")});
    list_->setColumnWidth(0, 200);
    list_->setColumnWidth(1, 100);
    list_->setColumnWidth(2, 100);
    grid->addWidget(list_, 1, 0, 1, 4);
    layout->addWidget(box, 1);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* add =
        buttons->addButton(QStringLiteral("Add Recipes"), QDialogButtonBox::AcceptRole);
    add->setObjectName(QStringLiteral("addRecipesButton"));
    buttons->addButton(QDialogButtonBox::Cancel);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(from_, &QDateEdit::dateChanged, this, &MakeShoppingListDialog::Refill);
    connect(to_, &QDateEdit::dateChanged, this, &MakeShoppingListDialog::Refill);
    Refill();
    resize(480, 380);
}

void MakeShoppingListDialog::Refill() {
    list_->clear();
    if (!entries_) return;
    for (const ListRow& row : entries_(FromQDate(from_->date()), FromQDate(to_->date()))) {
        QStringList cells{QString::fromStdString(row.text)};
        for (const std::string& column : row.columns) cells << QString::fromStdString(column);
        auto* item = new QTreeWidgetItem(list_, cells);
        item->setIcon(0, RecipeIcon(row.icon));
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Unchecked);
        item->setData(0, Qt::UserRole, static_cast<qlonglong>(row.data));
    }
}

std::vector<long> MakeShoppingListDialog::Chosen() const {
    std::vector<long> chosen;
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = list_->topLevelItem(i);
        if (item->checkState(0) == Qt::Checked)
            chosen.push_back(static_cast<long>(item->data(0, Qt::UserRole).toLongLong()));
    }
    return chosen;
}

}  // namespace pantrio
