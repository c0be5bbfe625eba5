#include "ui/SplashWindow.h"

#include <QCoreApplication>
#include <QPainter>

#include "ui/RecipeIcons.h"

namespace pantrio {

namespace {

QPixmap SplashPicture() {
    QPixmap pixmap(420, 200);
    pixmap.fill(QColor(250, 244, 228));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(150, 90, 40), 3));
    p.drawRect(pixmap.rect().adjusted(1, 1, -2, -2));
    p.drawPixmap(24, 40, ProgramIcon().pixmap(80, 80));
    QFont title = p.font();
    title.setPointSize(28);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(120, 60, 20));
    p.drawText(QRect(120, 40, 290, 50), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Pantrio"));
    QFont sub = p.font();
    sub.setPointSize(11);
    sub.setBold(false);
    p.setFont(sub);
    p.drawText(QRect(122, 90, 290, 30), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Your recipe box"));
    return pixmap;
}

}  // namespace

SplashWindow::SplashWindow() : QSplashScreen(SplashPicture()) {
    setObjectName(QStringLiteral("splash"));
}

void SplashWindow::SetText(const QString& text) {
    text_ = text;
    showMessage(text, Qt::AlignBottom | Qt::AlignHCenter, QColor(90, 60, 30));
    QCoreApplication::processEvents();
}

}  // namespace pantrio
