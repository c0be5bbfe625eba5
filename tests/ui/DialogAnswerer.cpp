#include "ui/DialogAnswerer.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

namespace pantrio::test {

DialogAnswerer::DialogAnswerer() {
    connect(&timer_, &QTimer::timeout, this, &DialogAnswerer::Poll);
    timer_.start(40);
}

void DialogAnswerer::Then(std::function<void(QWidget*)> handler) {
    handlers_.push_back(std::move(handler));
}

std::function<void(QWidget*)> DialogAnswerer::ChooseFile(const QString& path) {
    return [path](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        if (dialog == nullptr) return;
        const QFileInfo info(path);
        dialog->setDirectory(info.absolutePath());
        dialog->selectFile(info.fileName());
        // The toolkit's dialog takes what its name field holds.
        if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            name->setText(info.absoluteFilePath());
        static_cast<QDialog*>(dialog)->accept();
    };
}

std::function<void(QWidget*)> DialogAnswerer::PressButton(int standardButton) {
    return [standardButton](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        if (box == nullptr) return;
        if (QAbstractButton* b = box->button(QMessageBox::StandardButton(standardButton)))
            b->click();
    };
}

void DialogAnswerer::Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible() || modal->property("answered").toBool()) return;
    modal->setProperty("answered", true);
    QPointer<QWidget> guard(modal);
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box != nullptr) messages << box->text();
    // A message box is taken by a handler only when one is queued; a file
    // dialog or another window always takes the next handler.
    if (!handlers_.empty()) {
        auto handler = std::move(handlers_.front());
        handlers_.pop_front();
        // Run after the window's own event loop has settled.
        QTimer::singleShot(0, this, [guard, handler] {
            if (guard) handler(guard);
        });
        return;
    }
    if (box != nullptr) {
        QTimer::singleShot(0, this, [guard] {
            auto* b = qobject_cast<QMessageBox*>(guard.data());
            if (b == nullptr) return;
            if (b->defaultButton() != nullptr) {
                b->defaultButton()->click();
            } else {
                b->accept();
            }
        });
    }
}

}  // namespace pantrio::test
