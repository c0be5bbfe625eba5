#include "ui/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

namespace pantrio {

std::string QtClipboard::Text() {
    return QGuiApplication::clipboard()->text().toStdString();
}

void QtClipboard::SetText(const std::string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

bool QtClipboard::Picture(RgbImage& image) {
    const QImage picture = QGuiApplication::clipboard()->image();
    if (picture.isNull()) return false;
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    image.width = rgb.width();
    image.height = rgb.height();
    image.pixels.resize(static_cast<std::size_t>(rgb.width()) * rgb.height() * 3);
    for (int y = 0; y < rgb.height(); ++y)
        std::copy_n(rgb.constScanLine(y), static_cast<std::size_t>(rgb.width()) * 3,
                    &image.pixels[static_cast<std::size_t>(y) * rgb.width() * 3]);
    return true;
}

}  // namespace pantrio
