#include "ui/FindDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/MainDialog.h"
#include "core/MainView.h"
#include "search/SimpleFind.h"

namespace pantrio {

namespace {

// What the dialog remembers between openings during one run.
QString lastText;
bool lastScopeService = false;

}  // namespace

FindDialog::FindDialog(MainDialog& main, QWidget* parent) : QDialog(parent), main_(main) {
    setObjectName(QStringLiteral("findDialog"));
    setWindowTitle(QStringLiteral("Find..."));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Find recipes containing:"), this));
    text_ = new QLineEdit(lastText, this);
    text_->setObjectName(QStringLiteral("findText"));
    text_->selectAll();
    layout->addWidget(text_);
    box_ = new QRadioButton(QStringLiteral("Recipe Box"), this);
    service_ = new QRadioButton(QString::fromStdString(main.Settings.ServiceName), this);
    (lastScopeService ? service_ : box_)->setChecked(true);
    layout->addWidget(box_);
    layout->addWidget(service_);
    automatic_ = new QCheckBox(QStringLiteral("Search ") +
                                   QString::fromStdString(main.Settings.ServiceName) +
                                   QStringLiteral(" when nothing is found here"),
                               this);
    automatic_->setChecked(main.Settings.SWT != 0);
    layout->addWidget(automatic_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* more =
        buttons->addButton(QStringLiteral("More Options >>"), QDialogButtonBox::ActionRole);
    more->setObjectName(QStringLiteral("moreOptions"));
    QPushButton* help = buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &FindDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(more, &QPushButton::clicked, this, [this] {
        main_.Settings.SWT = automatic_->isChecked() ? 1 : 0;
        moreOptions_ = true;
        reject();
    });
    connect(help, &QPushButton::clicked, this, [this] { main_.ShowHelp(0); });
    text_->setFocus();
}

void FindDialog::accept() {
    main_.Settings.SWT = automatic_->isChecked() ? 1 : 0;
    const std::string text = text_->text().toStdString();
    const FindScope scope = service_->isChecked() ? FindScope::RecipeService : FindScope::RecipeBox;
    lastText = text_->text();
    const SimpleFindAction action = SimpleFind(text, scope);
    switch (action.kind) {
        case SimpleFindAction::Kind::OpenServiceRecipe:
            main_.Web.OpenServiceRecipe(action.serviceRecipe);
            break;
        case SimpleFindAction::Kind::SearchBox: {
            lastScopeService = false;
            if (MainView* view = main_.view()) view->ClearResults();
            const int rows = main_.FillResults(action.statement);
            if (SearchServiceAfterBox(rows, main_.Settings.SWT != 0))
                main_.Web.SearchServiceText(action.text);
            break;
        }
        case SimpleFindAction::Kind::SearchService:
            lastScopeService = true;
            main_.Web.SearchServiceText(action.text);
            break;
    }
    QDialog::accept();
}

}  // namespace pantrio
