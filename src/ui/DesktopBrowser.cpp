#include "ui/DesktopBrowser.h"

#include <QDesktopServices>
#include <QUrl>

namespace pantrio {

bool DesktopBrowser::Open(const std::string& address) {
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(address)));
}

}  // namespace pantrio
