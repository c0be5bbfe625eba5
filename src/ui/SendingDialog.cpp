#include "ui/SendingDialog.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

namespace pantrio {

SendingDialog::SendingDialog(const QString& text, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("sendingDialog"));
    setWindowTitle(QStringLiteral("Sending Email"));
    auto* layout = new QVBoxLayout(this);
    text_ = new QLabel(text, this);
    layout->addWidget(text_);
    auto* bar = new QProgressBar(this);
    bar->setRange(0, 0);  // busy: no known end
    bar->setMinimumWidth(300);
    layout->addWidget(bar);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setObjectName(QStringLiteral("sendingCancel"));
    connect(cancel_, &QPushButton::clicked, this, &SendingDialog::reject);
    layout->addWidget(cancel_, 0, Qt::AlignRight);
}

void SendingDialog::Run(const std::function<void(const std::atomic<bool>&)>& work) {
    running_ = true;
    QThread* thread = QThread::create([this, &work] { work(cancelFlag_); });
    connect(thread, &QThread::finished, this, [this] {
        running_ = false;
        accept();
    });
    thread->start();
    exec();
    // The dialog only closes once the work has finished; wait() makes sure
    // the thread object is done before it goes.
    thread->wait();
    delete thread;
}

void SendingDialog::reject() {
    // Escape and Cancel ask the work to stop; the dialog stays until it has.
    if (running_) {
        cancelFlag_ = true;
        cancel_->setEnabled(false);
        text_->setText(QStringLiteral("Cancelling..."));
        return;
    }
    QDialog::reject();
}

}  // namespace pantrio
