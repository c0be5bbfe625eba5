#include "ui/NutritionTab.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/MainDialog.h"
#include "nutrition/NutrientSummary.h"
#include "ui/IngredientDetailsDialog.h"

namespace pantrio {

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

QIcon LineIcon(const QStyle* style, int icon) {
    switch (icon) {
        case kLinkedLineIcon:
            return style->standardIcon(QStyle::SP_DialogApplyButton);
        case kUnlinkedLineIcon:
            return style->standardIcon(QStyle::SP_MessageBoxWarning);
        default:
            return QIcon();
    }
}

}  // namespace

NutritionTab::NutritionTab(MainDialog& main, QWidget* parent) : QWidget(parent), main_(main) {
    setObjectName(QStringLiteral("nutritionTab"));
    auto* layout = new QVBoxLayout(this);
    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("nutritionTitle"));
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);
    layout->addWidget(title_);

    lines_ = new QTreeWidget(this);
    lines_->setObjectName(QStringLiteral("nutritionLines"));
    lines_->setRootIsDecorated(false);
    lines_->setHeaderLabels({QStringLiteral("Qty"), QStringLiteral("Unit"),
                             QStringLiteral("Ingredient"), QStringLiteral("Notes/Prep"),
                             QStringLiteral("Scaled")});
    lines_->setToolTip(
        QStringLiteral("Double-click a line to link it to the USDA nutrition information."));
    layout->addWidget(lines_, 1);

    table_ = new QTableWidget(0, 5, this);
    table_->setObjectName(QStringLiteral("nutritionTable"));
    table_->setHorizontalHeaderLabels({QStringLiteral("Nutrient"), QStringLiteral("/Recipe"),
                                       QStringLiteral("/Serving"), QStringLiteral("RDA"),
                                       QStringLiteral("% RDA")});
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    layout->addWidget(table_, 3);

    auto* totals = new QHBoxLayout;
    totals->addWidget(new QLabel(QStringLiteral("Total Grams in Recipe:"), this));
    totalGrams_ = new QLabel(this);
    totalGrams_->setObjectName(QStringLiteral("totalGrams"));
    totals->addWidget(totalGrams_);
    totals->addStretch(1);
    auto* analyze = new QPushButton(QStringLiteral("Analyze"), this);
    analyze->setObjectName(QStringLiteral("analyzeButton"));
    totals->addWidget(analyze);
    layout->addLayout(totals);
    completeness_ = new QLabel(this);
    completeness_->setObjectName(QStringLiteral("nutritionCompleteness"));
    completeness_->setWordWrap(true);
    layout->addWidget(completeness_);
    log_ = new QPlainTextEdit(this);
    log_->setObjectName(QStringLiteral("nutritionLog"));
    log_->setReadOnly(true);
    log_->setMaximumHeight(70);
    layout->addWidget(log_);

    connect(analyze, &QPushButton::clicked, this, &NutritionTab::Analyze);
    connect(lines_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item, int) {
        const int lineID = item->data(0, Qt::UserRole).toInt();
        IngredientDetailsDialog::Open(main_, lineID, this);
    });
}

void NutritionTab::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Analyze();
}

void NutritionTab::RecipeChanged() {
    if (isVisible()) Analyze();
}

void NutritionTab::Analyze() {
    const NutritionTableContents contents = main_.Nutrition().AnalyzeCurrent();
    title_->setText(Q(contents.title));
    lines_->clear();
    for (const ListRow& row : contents.lines) {
        auto* item = new QTreeWidgetItem(lines_);
        item->setText(0, Q(row.text));
        for (std::size_t c = 0; c < row.columns.size() && c < 4; ++c)
            item->setText(static_cast<int>(c) + 1, Q(row.columns[c]));
        item->setIcon(0, LineIcon(style(), row.icon));
        item->setData(0, Qt::UserRole, static_cast<int>(row.data));
        if (row.icon == kHeadingLineIcon) {
            QFont bold = item->font(0);
            bold.setBold(true);
            item->setFont(2, bold);
        }
    }
    table_->setRowCount(0);
    for (const NutritionTableRow& row : contents.rows) {
        const int r = table_->rowCount();
        table_->insertRow(r);
        const std::string cells[] = {row.nutrient, row.perRecipe, row.perServing, row.rda,
                                     row.percentRda};
        for (int c = 0; c < 5; ++c) {
            auto* cell = new QTableWidgetItem(Q(cells[c]));
            if (c > 0) cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(r, c, cell);
        }
    }
    totalGrams_->setText(Q(contents.totalGrams));
    completeness_->setText(contents.completeness.lines > 0 ? Q(contents.completeness.Text())
                                                           : QString());
    log_->setPlainText(Q(contents.log).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

}  // namespace pantrio
