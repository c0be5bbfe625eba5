// Small pieces the window's tabs, pages and dialogs share: a named push
// button that is never the default, and a filter that hears a lost focus.
#pragma once

#include <QEvent>
#include <QObject>
#include <QPushButton>
#include <QString>
#include <functional>
#include <utility>

namespace pantrio {

// A push button with `caption` and the object name `name` (how tests find
// it); Enter in a field never presses it.
inline QPushButton* Button(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

// Calls `left` whenever the watched widget loses the keyboard focus.
class FocusOutFilter : public QObject {
public:
    FocusOutFilter(QObject* parent, std::function<void()> left)
        : QObject(parent), left_(std::move(left)) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusOut) left_();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> left_;
};

}  // namespace pantrio
