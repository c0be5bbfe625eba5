// The View tab: the embedded browser under a small navigation bar (Back,
// Forward, Refresh, Home, Expand, Import, Rate, the address field with the
// favourites and "Go", a busy indicator and the logo). It is the Browser the
// main window's logic drives, and it reports the begin and the end of every
// load to that logic (WebView), which decides what the buttons show.
//
// The web engine is the costliest part of the window, so the tab is made
// without it: a light placeholder stands where the page goes until
// MakeEngine makes the engine's view, and whatever the logic asks of the
// browser until then waits and is carried out, in order, at that moment.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "core/Browser.h"

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QToolButton;
class QWebEngineView;

namespace pantrio {

class AppWebPage;
class WebView;

class WebViewTab : public QWidget, public Browser {
    Q_OBJECT
public:
    explicit WebViewTab(QWidget* parent);
    ~WebViewTab() override;

    // Connects the tab to the logic it reports to and that its buttons call.
    void Attach(WebView* logic);

    // Browser
    void Navigate(const std::string& address) override;
    void Back() override;
    void Forward() override;
    void Refresh() override;
    std::string DocumentSource() override;
    void WriteDocument(const std::string& html) override;
    void PrintPreview() override;
    void CancelNavigation() override;

    // Shows the Import and Rate buttons, or their inactive look.
    void SetButtons(bool importShown, bool rateShown);
    void SetAddressList(const std::vector<std::string>& addresses);

    // Called when the Import or Rate button is pressed.
    std::function<void()> onImport;
    std::function<void()> onRate;
    // Called with the reason when the engine's page process could not start
    // or ended, so the window can say so instead of showing a blank view.
    std::function<void(const std::string& reason)> onEngineFailed;

    // Makes the web engine's view and page and carries out the requests
    // that waited for them. Does nothing the second time.
    void MakeEngine();
    // Makes the engine on the first turn of the event loop after `window`
    // is first painted, so that the window shows without waiting for it.
    // Should the window not be painted soon (started minimised), the engine
    // is made anyway a little later.
    void MakeEngineAfterFirstPaint(QWidget* window);

    // The engine's view; null until the engine is made.
    QWebEngineView* view() const { return view_; }
    // Loads finished since the tab was made (tests wait for it to grow).
    int LoadsFinished() const { return loadsFinished_; }
    // The address of the page shown.
    QString Address() const;

signals:
    // A load finished and the page was classified.
    void pageReady();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Carries `request` out at once when the engine is made, else as soon
    // as it is.
    void WhenEngineMade(std::function<void()> request);
    // Lets the logic decide on each navigation of the page.
    void AttachPage();
    void OnLoadStarted();
    void OnLoadFinished(bool ok);
    void Classified(int serial, const std::string& source);

    WebView* logic_ = nullptr;
    AppWebPage* page_ = nullptr;
    QWebEngineView* view_ = nullptr;
    QWidget* placeholder_;
    QWidget* paintWatched_ = nullptr;
    std::vector<std::function<void()>> waiting_;
    QToolButton* import_;
    QToolButton* importInactive_;
    QToolButton* rate_;
    QToolButton* rateInactive_;
    QComboBox* address_;
    QPushButton* go_;
    QProgressBar* busy_;
    std::string source_;
    std::string written_;
    bool writing_ = false;
    int serial_ = 0;
    int loadsFinished_ = 0;
};

}  // namespace pantrio
