#include "ui/InformationWindow.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/InformationDialog.h"

namespace pantrio {

InformationWindow::InformationWindow(InformationDialog& information, QWidget* parent)
    : QDialog(parent), information_(information) {
    setObjectName(QStringLiteral("informationDialog"));
    setWindowTitle(QString::fromUtf8(InformationDialog::kTitle));
    auto* layout = new QVBoxLayout(this);

    auto* box = new QGroupBox(QString::fromUtf8(InformationDialog::kBoxGroup), this);
    auto* form = new QFormLayout(box);
    auto* path = new QLabel(QString::fromStdString(information.BoxPath()), box);
    path->setWordWrap(true);
    path->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(path);
    form->addRow(QStringLiteral("Recipes"),
                 new QLabel(QString::number(information.Recipes()), box));
    form->addRow(QStringLiteral("Categories"),
                 new QLabel(QString::number(information.Categories()), box));
    form->addRow(QStringLiteral("Rated Recipes"),
                 new QLabel(QString::number(information.RatedRecipes()), box));
    layout->addWidget(box);

    auto* tips = new QGroupBox(QString::fromUtf8(InformationDialog::kTipGroup), this);
    auto* tipLayout = new QHBoxLayout(tips);
    auto* previous = new QPushButton(QStringLiteral("<"), tips);
    previous->setObjectName(QStringLiteral("previousTip"));
    auto* next = new QPushButton(QStringLiteral(">"), tips);
    next->setObjectName(QStringLiteral("nextTip"));
    for (QPushButton* b : {previous, next}) b->setFixedWidth(32);
    tip_ = new QLabel(tips);
    tip_->setObjectName(QStringLiteral("tipText"));
    tip_->setWordWrap(true);
    tip_->setMinimumSize(320, 80);
    tipLayout->addWidget(previous);
    tipLayout->addWidget(tip_, 1);
    tipLayout->addWidget(next);
    layout->addWidget(tips);

    auto* bottom = new QHBoxLayout;
    auto* atStart = new QCheckBox(QString::fromUtf8(InformationDialog::kShowAtStartText), this);
    atStart->setObjectName(QStringLiteral("showAtStart"));
    atStart->setChecked(information.ShowAtStart());
    bottom->addWidget(atStart, 1);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setDefault(true);
    bottom->addWidget(close);
    layout->addLayout(bottom);

    connect(previous, &QPushButton::clicked, this, [this] {
        information_.PreviousTip();
        ShowTip();
    });
    connect(next, &QPushButton::clicked, this, [this] {
        information_.NextTip();
        ShowTip();
    });
    connect(atStart, &QCheckBox::toggled, this,
            [this](bool on) { information_.SetShowAtStart(on); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    ShowTip();
}

void InformationWindow::ShowTip() {
    tip_->setText(QString::fromStdString(information_.Tip()));
}

}  // namespace pantrio
