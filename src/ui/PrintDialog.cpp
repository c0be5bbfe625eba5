#include "ui/PrintDialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDateEdit>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPageLayout>
#include <QPageSize>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include "core/MainDialog.h"
#include "ui/WebPrintPreview.h"

namespace pantrio {

namespace {

QDate ToQDate(const DateTime& day) {
    return QDate(day.year, day.month, day.day);
}
DateTime FromQDate(const QDate& day) {
    return DateTime::FromDate(day.year(), day.month(), day.day());
}

}  // namespace

PrintDialog::PrintDialog(MainDialog& main, const PrintChoices& initial, QWidget* parent)
    : QDialog(parent), main_(main) {
    setObjectName(QStringLiteral("printDialog"));
    setWindowTitle(QStringLiteral("Print Preview"));
    auto* layout = new QVBoxLayout(this);
    auto* controls = new QHBoxLayout;

    auto* what = new QGroupBox(QStringLiteral("Print..."), this);
    auto* whatLayout = new QGridLayout(what);
    webView_ = new QRadioButton(QStringLiteral("Contents of Web view, or"), what);
    selected_ = new QRadioButton(QStringLiteral("Selected"), what);
    marked_ = new QRadioButton(QStringLiteral("Marked"), what);
    none_ = new QRadioButton(QStringLiteral("None"), what);
    nutrition_ = new QCheckBox(QStringLiteral("Show Nutrition Information"), what);
    webView_->setObjectName(QStringLiteral("printWebView"));
    selected_->setObjectName(QStringLiteral("printSelected"));
    marked_->setObjectName(QStringLiteral("printMarked"));
    none_->setObjectName(QStringLiteral("printNone"));
    nutrition_->setObjectName(QStringLiteral("printNutrition"));
    auto* group = new QButtonGroup(this);
    for (QRadioButton* b : {webView_, selected_, marked_, none_}) group->addButton(b);
    whatLayout->addWidget(webView_, 0, 0, 1, 3);
    whatLayout->addWidget(selected_, 1, 0);
    whatLayout->addWidget(marked_, 1, 1);
    whatLayout->addWidget(none_, 1, 2);
    whatLayout->addWidget(nutrition_, 2, 0, 1, 3);
    controls->addWidget(what);

    auto* other = new QGroupBox(QStringLiteral("Other Items"), this);
    auto* otherLayout = new QGridLayout(other);
    mealPlan_ = new QCheckBox(QStringLiteral("Meal Plan"), other);
    mealPlan_->setObjectName(QStringLiteral("printMealPlan"));
    from_ = new QDateEdit(ToQDate(initial.from), other);
    from_->setObjectName(QStringLiteral("printFrom"));
    from_->setCalendarPopup(true);
    to_ = new QDateEdit(ToQDate(initial.to), other);
    to_->setObjectName(QStringLiteral("printTo"));
    to_->setCalendarPopup(true);
    shopping_ = new QCheckBox(QStringLiteral("Shopping List"), other);
    shopping_->setObjectName(QStringLiteral("printShoppingList"));
    otherLayout->addWidget(mealPlan_, 0, 0);
    otherLayout->addWidget(new QLabel(QStringLiteral("From:"), other), 0, 1);
    otherLayout->addWidget(from_, 0, 2);
    otherLayout->addWidget(new QLabel(QStringLiteral("to:"), other), 0, 3);
    otherLayout->addWidget(to_, 0, 4);
    otherLayout->addWidget(shopping_, 1, 0);
    controls->addWidget(other);

    auto* buttons = new QVBoxLayout;
    auto* print = new QPushButton(QStringLiteral("Preview and Print"), this);
    print->setObjectName(QStringLiteral("previewAndPrint"));
    auto* pdf = new QPushButton(QStringLiteral("Save as PDF"), this);
    pdf->setObjectName(QStringLiteral("saveAsPdf"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("printCancel"));
    buttons->addWidget(print);
    buttons->addWidget(pdf);
    buttons->addWidget(cancel);
    controls->addLayout(buttons);
    controls->addStretch(1);
    layout->addLayout(controls);

    preview_ = new QWebEngineView(this);
    preview_->setObjectName(QStringLiteral("printPreviewPane"));
    preview_->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    preview_->setContextMenuPolicy(Qt::NoContextMenu);
    layout->addWidget(preview_, 1);
    connect(preview_, &QWebEngineView::loadFinished, this, [this](bool ok) {
        ready_ = ok;
        emit previewLoaded(ok);
    });

    switch (initial.source) {
        case PrintSource::WebView:
            webView_->setChecked(true);
            break;
        case PrintSource::Selected:
            selected_->setChecked(true);
            break;
        case PrintSource::Marked:
            marked_->setChecked(true);
            break;
        case PrintSource::None:
            none_->setChecked(true);
            break;
    }
    nutrition_->setChecked(initial.nutrition);
    mealPlan_->setChecked(initial.mealPlan);
    shopping_->setChecked(initial.shoppingList);

    // Every change builds the page again, except choosing the View tab's
    // page, which the preview pane does not show.
    for (QRadioButton* b : {selected_, marked_, none_})
        connect(b, &QRadioButton::clicked, this, &PrintDialog::BuildPage);
    for (QCheckBox* b : {nutrition_, mealPlan_, shopping_})
        connect(b, &QCheckBox::clicked, this, &PrintDialog::BuildPage);
    connect(from_, &QDateEdit::dateChanged, this, &PrintDialog::BuildPage);
    connect(to_, &QDateEdit::dateChanged, this, &PrintDialog::BuildPage);
    connect(print, &QPushButton::clicked, this, &PrintDialog::PreviewAndPrint);
    connect(pdf, &QPushButton::clicked, this, &PrintDialog::SaveAsPdf);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    BuildPage();
}

PrintChoices PrintDialog::Choices() const {
    PrintChoices choices;
    choices.source = webView_->isChecked()    ? PrintSource::WebView
                     : selected_->isChecked() ? PrintSource::Selected
                     : marked_->isChecked()   ? PrintSource::Marked
                                              : PrintSource::None;
    choices.nutrition = nutrition_->isChecked();
    choices.mealPlan = mealPlan_->isChecked();
    choices.from = FromQDate(from_->date());
    choices.to = FromQDate(to_->date());
    choices.shoppingList = shopping_->isChecked();
    return choices;
}

void PrintDialog::BuildPage() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::string page = main_.Printing().BuildPrintPage(Choices());
    QApplication::restoreOverrideCursor();
    // A page of many recipes outgrows what setHtml takes; it goes through a
    // file of its own, named anew each time so the pane reloads it.
    const QString path = folder_.filePath(QStringLiteral("print%1.htm").arg(++pageNumber_));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
    file.write(page.data(), static_cast<qint64>(page.size()));
    file.close();
    ready_ = false;
    preview_->load(QUrl::fromLocalFile(path));
}

void PrintDialog::PreviewAndPrint() {
    if (webView_->isChecked()) {
        accept();
        main_.Printing().PreviewWebView();
        return;
    }
    OpenPrintPreview(preview_, this);
}

void PrintDialog::SaveAsPdf() {
    // The View tab's page is saved as it shows; otherwise the assembled page.
    QWebEngineView* source = preview_;
    if (webView_->isChecked() && parentWidget() != nullptr)
        if (auto* view = parentWidget()->findChild<QWebEngineView*>(QStringLiteral("browser")))
            source = view;
    const std::optional<std::string> chosen = main_.Printing().ChoosePdfFile();
    if (!chosen) return;
    connect(
        source->page(), &QWebEnginePage::pdfPrintingFinished, this,
        [this](const QString& file, bool ok) { emit pdfSaved(file, ok); },
        Qt::SingleShotConnection);
    source->page()->printToPdf(
        QString::fromStdString(*chosen),
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15)));
}

}  // namespace pantrio
