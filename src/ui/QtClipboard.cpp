#include "ui/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace pantrio {

std::string QtClipboard::Text() {
    return QGuiApplication::clipboard()->text().toStdString();
}

void QtClipboard::SetText(const std::string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

}  // namespace pantrio
