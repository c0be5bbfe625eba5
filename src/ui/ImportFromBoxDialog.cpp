#include "ui/ImportFromBoxDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace pantrio {

ImportFromBoxDialog::ImportFromBoxDialog(const std::vector<ListRow>& rows, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("importFromBoxDialog"));
    setWindowTitle(QStringLiteral("Import Recipes"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(QStringLiteral("Please select the recipes you'd like to import:"), this));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("recipeChecklist"));
    for (const ListRow& row : rows) {
        auto* item = new QListWidgetItem(QString::fromStdString(row.text), list_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        item->setData(Qt::UserRole, QVariant::fromValue<qlonglong>(row.data));
    }
    layout->addWidget(list_, 1);
    auto* all = new QCheckBox(QStringLiteral("Select All"), this);
    all->setObjectName(QStringLiteral("selectAll"));
    layout->addWidget(all);
    auto* note = new QLabel(
        QStringLiteral("Pantrio will not allow duplicates to be imported.  A duplicate is defined "
                       "as a recipe with the same title and first 30 characters in instructions "
                       "as an existing recipe."),
        this);
    note->setWordWrap(true);
    layout->addWidget(note);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(all, &QCheckBox::toggled, this, [this](bool on) {
        for (int i = 0; i < list_->count(); ++i)
            list_->item(i)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    });
    resize(420, 460);
}

std::vector<long> ImportFromBoxDialog::Chosen() const {
    std::vector<long> ids;
    for (int i = 0; i < list_->count(); ++i) {
        const QListWidgetItem* item = list_->item(i);
        if (item->checkState() == Qt::Checked)
            ids.push_back(static_cast<long>(item->data(Qt::UserRole).toLongLong()));
    }
    return ids;
}

}  // namespace pantrio
