// The busy indicator shown while a mail travels: a running bar and Cancel.
// The work runs on a thread of its own, so the window keeps repainting;
// Cancel sets the work's flag and the dialog closes when the work has ended
// (within a quarter of a second of the flag).
#pragma once

#include <QDialog>
#include <atomic>
#include <functional>

class QLabel;
class QPushButton;

namespace pantrio {

class SendingDialog : public QDialog {
    Q_OBJECT
public:
    SendingDialog(const QString& text, QWidget* parent);
    // Shows the dialog until `work` has ended on its thread.
    void Run(const std::function<void(const std::atomic<bool>&)>& work);

protected:
    void reject() override;

private:
    QLabel* text_;
    QPushButton* cancel_;
    std::atomic<bool> cancelFlag_{false};
    bool running_ = false;
};

}  // namespace pantrio
