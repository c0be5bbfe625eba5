#include "ui/OptionsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include "core/OptionsSheet.h"

namespace pantrio {

OptionsDialog::OptionsDialog(OptionsSheet& sheet, QWidget* parent)
    : QDialog(parent), sheet_(sheet) {
    setObjectName(QStringLiteral("optionsDialog"));
    setWindowTitle(QStringLiteral("Options"));
    auto* layout = new QVBoxLayout(this);
    auto* body = new QHBoxLayout;
    auto* pageList = new QListWidget(this);
    pageList->setObjectName(QStringLiteral("optionsPages"));
    pageList->setFixedWidth(140);
    auto* right = new QVBoxLayout;
    auto* caption = new QLabel(this);
    QFont bold = caption->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    caption->setFont(bold);
    auto* stack = new QStackedWidget(this);
    right->addWidget(caption);
    right->addWidget(stack, 1);
    body->addWidget(pageList);
    body->addLayout(right, 1);
    layout->addLayout(body, 1);

    const char* const captions[] = {OptionsSheet::kGeneralPage, OptionsSheet::kEmailPage,
                                    OptionsSheet::kThemesPage};
    QWidget* pages[] = {GeneralPage(), EmailPage(), ThemesPage()};
    int first = 0;
    for (int i = 0; i < 3; ++i) {
        pageList->addItem(QString::fromUtf8(captions[i]));
        stack->addWidget(pages[i]);
        if (sheet_.startPage == captions[i]) first = i;
    }
    connect(pageList, &QListWidget::currentRowChanged, this, [stack, caption, pageList](int row) {
        if (row < 0) return;
        stack->setCurrentIndex(row);
        caption->setText(pageList->item(row)->text());
    });
    pageList->setCurrentRow(first);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &OptionsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(640, 520);
}

QWidget* OptionsDialog::GeneralPage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* startup = new QGroupBox(QStringLiteral("Startup"), page);
    auto* startupLayout = new QVBoxLayout(startup);
    playSound_ = new QCheckBox(QStringLiteral("Play Sound"), startup);
    showInfo_ = new QCheckBox(QStringLiteral("Show Recipe Box Info"), startup);
    welcomeOnline_ = new QCheckBox(QStringLiteral("Welcome Page from Internet"), startup);
    for (QCheckBox* c : {playSound_, showInfo_, welcomeOnline_}) startupLayout->addWidget(c);
    layout->addWidget(startup);
    uiSounds_ = new QCheckBox(QStringLiteral("UI Sounds"), page);
    longUnits_ = new QCheckBox(QStringLiteral("Display units in long form"), page);
    layout->addWidget(uiSounds_);
    layout->addWidget(longUnits_);
    combineUnits_ = new QCheckBox(QStringLiteral("Combine compatible units"), page);
    combineUnits_->setObjectName(QStringLiteral("combineUnits"));
    combineUnits_->setToolTip(
        QStringLiteral("The combined shopping list adds up 2 tsp and 1 tbsp, or 8 oz and 1 lb"));
    layout->addWidget(combineUnits_);
    layout->addWidget(new QLabel(QStringLiteral("Favorite URLs:"), page));
    auto* form = new QFormLayout;
    for (int i = 0; i < 5; ++i) {
        urls_[i] = new QLineEdit(QString::fromStdString(sheet_.general.favoriteUrls[i]), page);
        urls_[i]->setObjectName(QStringLiteral("favoriteUrl%1").arg(i + 1));
        form->addRow(QString::number(i + 1), urls_[i]);
    }
    layout->addLayout(form);
    auto* serviceForm = new QFormLayout;
    serviceUrl_ = new QLineEdit(QString::fromStdString(sheet_.general.serviceUrl), page);
    serviceUrl_->setObjectName(QStringLiteral("serviceUrl"));
    serviceUrl_->setPlaceholderText(QStringLiteral("none set up"));
    serviceForm->addRow(QStringLiteral("Recipe service address:"), serviceUrl_);
    layout->addLayout(serviceForm);
    layout->addStretch(1);
    playSound_->setChecked(sheet_.general.playSound);
    showInfo_->setChecked(sheet_.general.showRecipeBoxInfo);
    welcomeOnline_->setChecked(sheet_.general.welcomeFromInternet);
    uiSounds_->setChecked(sheet_.general.uiSounds);
    longUnits_->setChecked(sheet_.general.longUnits);
    combineUnits_->setChecked(sheet_.general.combineCompatibleUnits);
    return page;
}

QWidget* OptionsDialog::EmailPage() {
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    email_ = new QLineEdit(QString::fromStdString(sheet_.email.emailAddress), page);
    server_ = new QLineEdit(QString::fromStdString(sheet_.email.mailServer), page);
    form->addRow(QStringLiteral("Your email address:"), email_);
    form->addRow(QStringLiteral("Mail (SMTP) server:"), server_);
    return page;
}

QWidget* OptionsDialog::ThemesPage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Recipe Style:"), page));
    theme_ = new QComboBox(page);
    theme_->setObjectName(QStringLiteral("themeList"));
    for (const std::string& name : OptionsSheet::ThemeNames())
        theme_->addItem(QString::fromStdString(name));
    theme_->setCurrentIndex(sheet_.Theme());
    row->addWidget(theme_, 1);
    layout->addLayout(row);
    preview_ = new QWebEngineView(page);
    preview_->setObjectName(QStringLiteral("themePreview"));
    preview_->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    preview_->setHtml(QString());
    layout->addWidget(preview_, 1);
    connect(theme_, &QComboBox::currentIndexChanged, this, [this](int index) {
        sheet_.SelectTheme(index);
        ShowPreview();
    });
    ShowPreview();
    return page;
}

void OptionsDialog::ShowPreview() {
    // The page names its images by absolute paths; the base address lets
    // the engine load them.
    preview_->setHtml(QString::fromStdString(sheet_.PreviewPage()),
                      QUrl(QStringLiteral("file:///")));
}

void OptionsDialog::accept() {
    sheet_.email.emailAddress = email_->text().toStdString();
    sheet_.email.mailServer = server_->text().toStdString();
    sheet_.general.playSound = playSound_->isChecked();
    sheet_.general.showRecipeBoxInfo = showInfo_->isChecked();
    sheet_.general.welcomeFromInternet = welcomeOnline_->isChecked();
    sheet_.general.uiSounds = uiSounds_->isChecked();
    sheet_.general.longUnits = longUnits_->isChecked();
    sheet_.general.combineCompatibleUnits = combineUnits_->isChecked();
    for (int i = 0; i < 5; ++i) sheet_.general.favoriteUrls[i] = urls_[i]->text().toStdString();
    sheet_.general.serviceUrl = serviceUrl_->text().toStdString();
    sheet_.SelectTheme(theme_->currentIndex());
    QDialog::accept();
}

}  // namespace pantrio
