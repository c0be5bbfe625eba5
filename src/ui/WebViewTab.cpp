#include "ui/WebViewTab.h"

#include <QComboBox>
#include <QEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include "base/StartTrace.h"
#include "core/WebView.h"
#include "ui/AppUrlScheme.h"
#include "ui/AppWebPage.h"
#include "ui/RecipeIcons.h"
#include "ui/WebPrintPreview.h"

namespace pantrio {

namespace {

QToolButton* MakeButton(QWidget* parent, const char* name, const QIcon& icon, const QString& text,
                        const char* tooltip) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(icon);
    button->setText(text);
    button->setToolTip(QString::fromUtf8(tooltip));
    button->setAutoRaise(true);
    button->setIconSize(QSize(22, 22));
    button->setToolButtonStyle(text.isEmpty() ? Qt::ToolButtonIconOnly
                                              : Qt::ToolButtonTextBesideIcon);
    return button;
}

}  // namespace

WebViewTab::WebViewTab(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("viewTab"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);

    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(4, 2, 4, 2);
    QStyle* s = style();
    auto* back = MakeButton(this, "backButton", s->standardIcon(QStyle::SP_ArrowBack), {}, "Back");
    auto* forward =
        MakeButton(this, "forwardButton", s->standardIcon(QStyle::SP_ArrowForward), {}, "Forward");
    auto* refresh =
        MakeButton(this, "refreshButton", s->standardIcon(QStyle::SP_BrowserReload), {}, "Refresh");
    auto* home =
        MakeButton(this, "homeButton", s->standardIcon(QStyle::SP_DirHomeIcon), {}, "Home");
    auto* expand = MakeButton(this, "expandButton", s->standardIcon(QStyle::SP_TitleBarMaxButton),
                              {}, "Expand / contract web view");
    import_ = MakeButton(this, "importButton", s->standardIcon(QStyle::SP_ArrowDown),
                         QStringLiteral("Import"), "Import this recipe into your local recipe box");
    importInactive_ = MakeButton(this, "importInactive", s->standardIcon(QStyle::SP_ArrowDown),
                                 QStringLiteral("Import"), "");
    rate_ = MakeButton(this, "rateButton", s->standardIcon(QStyle::SP_DialogApplyButton),
                       QStringLiteral("Rate"), "Rate this recipe");
    rateInactive_ = MakeButton(this, "rateInactive", s->standardIcon(QStyle::SP_DialogApplyButton),
                               QStringLiteral("Rate"), "");
    importInactive_->setEnabled(false);
    rateInactive_->setEnabled(false);
    for (QToolButton* b : {back, forward, refresh, home, expand}) bar->addWidget(b);
    bar->addSpacing(8);
    for (QToolButton* b : {import_, importInactive_, rate_, rateInactive_}) bar->addWidget(b);
    bar->addSpacing(8);
    auto* addressLabel = new QLabel(QStringLiteral("Address"), this);
    bar->addWidget(addressLabel);
    address_ = new QComboBox(this);
    address_->setObjectName(QStringLiteral("addressField"));
    address_->setEditable(true);
    address_->setInsertPolicy(QComboBox::NoInsert);
    address_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    address_->setMinimumContentsLength(20);
    addressLabel->setBuddy(address_);
    bar->addWidget(address_, 1);
    go_ = new QPushButton(QStringLiteral("Go"), this);
    go_->setObjectName(QStringLiteral("goButton"));
    bar->addWidget(go_);
    busy_ = new QProgressBar(this);
    busy_->setObjectName(QStringLiteral("busyIndicator"));
    busy_->setRange(0, 0);
    busy_->setTextVisible(false);
    busy_->setFixedSize(40, 10);
    busy_->hide();
    bar->addWidget(busy_);
    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("logo"));
    logo->setPixmap(ProgramIcon().pixmap(26, 26));
    logo->setToolTip(QStringLiteral("Pantrio"));
    bar->addWidget(logo);
    layout->addLayout(bar);

    // Where the page goes: an empty sheet until the engine is made.
    placeholder_ = new QWidget(this);
    placeholder_->setObjectName(QStringLiteral("browserPlaceholder"));
    placeholder_->setBackgroundRole(QPalette::Base);
    placeholder_->setAutoFillBackground(true);
    layout->addWidget(placeholder_, 1);

    connect(back, &QToolButton::clicked, this, [this] {
        if (logic_ != nullptr) logic_->Back();
    });
    connect(forward, &QToolButton::clicked, this, [this] {
        if (logic_ != nullptr) logic_->Forward();
    });
    connect(refresh, &QToolButton::clicked, this, [this] {
        if (logic_ != nullptr) logic_->Refresh();
    });
    connect(home, &QToolButton::clicked, this, [this] {
        if (logic_ != nullptr) logic_->ShowWelcomePage();
    });
    connect(expand, &QToolButton::clicked, this, [this] {
        if (logic_ != nullptr) logic_->ToggleExpanded();
    });
    connect(import_, &QToolButton::clicked, this, [this] {
        if (onImport) onImport();
    });
    connect(rate_, &QToolButton::clicked, this, [this] {
        if (onRate) onRate();
    });
    // "Go", and Enter in the address field, navigate to the text as typed;
    // choosing a favourite from the list navigates to it.
    auto go = [this] {
        if (logic_ != nullptr) logic_->Go(address_->currentText().toStdString());
    };
    connect(go_, &QPushButton::clicked, this, go);
    connect(address_->lineEdit(), &QLineEdit::returnPressed, this, go);
    connect(address_, &QComboBox::activated, this, [this](int index) {
        if (logic_ != nullptr && index >= 0) logic_->Go(address_->itemText(index).toStdString());
    });
    SetButtons(false, false);
}

WebViewTab::~WebViewTab() {
    if (paintWatched_ != nullptr) paintWatched_->removeEventFilter(this);
    // The page goes before the view and its profile.
    if (page_ != nullptr) page_->disconnect(this);
}

void WebViewTab::Attach(WebView* logic) {
    logic_ = logic;
    if (page_ != nullptr) AttachPage();
}

void WebViewTab::AttachPage() {
    page_->beforeNavigate = [this](const std::string& address) {
        return logic_ != nullptr && logic_->BeforeNavigate(address);
    };
}

void WebViewTab::MakeEngine() {
    if (view_ != nullptr) return;
    if (paintWatched_ != nullptr) paintWatched_->removeEventFilter(this);
    paintWatched_ = nullptr;
    view_ = new QWebEngineView(this);
    view_->setObjectName(QStringLiteral("browser"));
    page_ = new AppWebPage(view_);
    InstallAppUrlSchemeHandler(page_->profile());
    view_->setPage(page_);
    layout()->replaceWidget(placeholder_, view_);
    delete placeholder_;
    placeholder_ = nullptr;
    if (logic_ != nullptr) AttachPage();

    connect(page_, &QWebEnginePage::loadStarted, this, &WebViewTab::OnLoadStarted);
    connect(page_, &QWebEnginePage::loadFinished, this, &WebViewTab::OnLoadFinished);
    connect(page_, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int exitCode) {
                if (status == QWebEnginePage::NormalTerminationStatus) return;
                busy_->hide();
                const char* why = status == QWebEnginePage::CrashedTerminationStatus ? "crashed"
                                  : status == QWebEnginePage::KilledTerminationStatus
                                      ? "was killed"
                                      : "could not start or ended abnormally";
                if (onEngineFailed)
                    onEngineFailed(std::string("The web view's page process ") + why +
                                   " (exit code " + std::to_string(exitCode) + ").");
            });
    connect(page_, &QWebEnginePage::urlChanged, this, [this](const QUrl& url) {
        if (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"))
            address_->setEditText(url.toString());
    });
    TraceStartStep("web engine made");
    std::vector<std::function<void()>> waiting;
    waiting.swap(waiting_);
    for (auto& request : waiting) request();
}

void WebViewTab::MakeEngineAfterFirstPaint(QWidget* window) {
    if (view_ != nullptr || paintWatched_ != nullptr) return;
    paintWatched_ = window;
    window->installEventFilter(this);
    QTimer::singleShot(2000, this, &WebViewTab::MakeEngine);
}

bool WebViewTab::eventFilter(QObject* watched, QEvent* event) {
    if (watched == paintWatched_ && event->type() == QEvent::Paint) {
        paintWatched_->removeEventFilter(this);
        paintWatched_ = nullptr;
        TraceStartStep("window painted");
        QTimer::singleShot(0, this, &WebViewTab::MakeEngine);
    }
    return QWidget::eventFilter(watched, event);
}

void WebViewTab::WhenEngineMade(std::function<void()> request) {
    if (view_ != nullptr)
        request();
    else
        waiting_.push_back(std::move(request));
}

void WebViewTab::Navigate(const std::string& address) {
    WhenEngineMade([this, address] {
        writing_ = false;
        const QString text = QString::fromStdString(address).trimmed();
        QUrl url(text);
        // A typed address without a scheme ("example.org") is read as the user means it.
        if (url.scheme().isEmpty()) url = QUrl::fromUserInput(text);
        page_->load(url);
    });
}

void WebViewTab::Back() {
    WhenEngineMade([this] { view_->back(); });
}

void WebViewTab::Forward() {
    WhenEngineMade([this] { view_->forward(); });
}

void WebViewTab::Refresh() {
    WhenEngineMade([this] { page_->triggerAction(QWebEnginePage::ReloadAndBypassCache); });
}

std::string WebViewTab::DocumentSource() {
    return source_;
}

void WebViewTab::WriteDocument(const std::string& html) {
    WhenEngineMade([this, html] {
        writing_ = true;
        written_ = html;
        page_->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
        page_->setHtml(QString::fromStdString(html), QUrl(QStringLiteral("file:///")));
    });
}

void WebViewTab::PrintPreview() {
    WhenEngineMade([this] { OpenPrintPreview(view_, this); });
}

void WebViewTab::CancelNavigation() {
    WhenEngineMade([this] { page_->triggerAction(QWebEnginePage::Stop); });
}

void WebViewTab::SetButtons(bool importShown, bool rateShown) {
    import_->setVisible(importShown);
    importInactive_->setVisible(!importShown);
    rate_->setVisible(rateShown);
    rateInactive_->setVisible(!rateShown);
}

void WebViewTab::SetAddressList(const std::vector<std::string>& addresses) {
    const QString text = address_->currentText();
    address_->clear();
    for (const std::string& a : addresses) address_->addItem(QString::fromStdString(a));
    address_->setEditText(text);
}

QString WebViewTab::Address() const {
    return page_ != nullptr ? page_->url().toString() : QString();
}

void WebViewTab::OnLoadStarted() {
    ++serial_;
    busy_->show();
    if (logic_ != nullptr) logic_->DownloadBegin();
}

void WebViewTab::OnLoadFinished(bool) {
    const int serial = ++serial_;
    const QUrl url = page_->url();
    if (writing_) {
        Classified(serial, written_);
    } else if (url.isLocalFile()) {
        // The file as written, markers after the closing tag included (the
        // engine's own serialisation would drop them).
        QFile file(url.toLocalFile());
        std::string source;
        if (file.open(QIODevice::ReadOnly)) source = file.readAll().toStdString();
        Classified(serial, source);
    } else {
        QPointer<WebViewTab> self(this);
        page_->toHtml([self, serial](const QString& html) {
            if (self) self->Classified(serial, html.toStdString());
        });
    }
}

void WebViewTab::Classified(int serial, const std::string& source) {
    // A newer load has started since: its own completion will classify it.
    if (serial != serial_) return;
    source_ = source;
    busy_->hide();
    if (logic_ != nullptr) logic_->DownloadComplete();
    ++loadsFinished_;
    if (loadsFinished_ == 1) TraceStartStep("first page shown");
    emit pageReady();
}

}  // namespace pantrio
