#include "ui/StarButton.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionFocusRect>
#include <QtMath>

namespace pantrio {

StarButton::StarButton(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

void StarButton::SetLit(bool lit) {
    if (lit_ == lit) return;
    lit_ = lit;
    update();
}

QSize StarButton::sizeHint() const {
    return {26, 26};
}

void StarButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // A five-pointed star: outer and inner corners in turn, the first point up.
    const QRectF box = QRectF(rect()).adjusted(3, 3, -3, -3);
    const QPointF centre = box.center();
    const qreal outer = qMin(box.width(), box.height()) / 2;
    const qreal inner = outer * 0.42;
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const qreal radius = i % 2 == 0 ? outer : inner;
        const qreal angle = qDegreesToRadians(-90.0 + 36.0 * i);
        const QPointF corner(centre.x() + radius * qCos(angle), centre.y() + radius * qSin(angle));
        if (i == 0)
            star.moveTo(corner);
        else
            star.lineTo(corner);
    }
    star.closeSubpath();
    painter.setPen(QPen(lit_ ? QColor(0xb0, 0x7a, 0x00) : QColor(0x80, 0x80, 0x80), 1));
    painter.setBrush(lit_ ? QColor(0xff, 0xc4, 0x1f) : QColor(0xd8, 0xd8, 0xd8));
    painter.drawPath(star);
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

}  // namespace pantrio
