// Answers the modal dialogs a test triggers: each queued handler gets the
// next modal window that opens (message box, file dialog, options sheet)
// and works it like a user would. Message boxes that no handler expects are
// answered with their default button and recorded.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>

class QWidget;

namespace pantrio::test {

class DialogAnswerer : public QObject {
    Q_OBJECT
public:
    DialogAnswerer();
    // The next modal window goes to `handler`.
    void Then(std::function<void(QWidget*)> handler);
    // The texts of every message box seen.
    QStringList messages;
    // Handlers not yet used.
    int Pending() const { return static_cast<int>(handlers_.size()); }

    // Ready-made handlers.
    static std::function<void(QWidget*)> ChooseFile(const QString& path);
    static std::function<void(QWidget*)> PressButton(int standardButton);

private:
    void Poll();

    QTimer timer_;
    std::deque<std::function<void(QWidget*)>> handlers_;
};

}  // namespace pantrio::test
