// The start-up window: the program's name and the texts of start-up
// ("Loading...", "Loading Ingredients...", "Ready!").
#pragma once

#include <QSplashScreen>

namespace pantrio {

class SplashWindow : public QSplashScreen {
    Q_OBJECT
public:
    SplashWindow();
    void SetText(const QString& text);
    QString Text() const { return text_; }

private:
    QString text_;
};

}  // namespace pantrio
