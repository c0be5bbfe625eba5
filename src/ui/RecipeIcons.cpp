#include "ui/RecipeIcons.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>

namespace pantrio {

namespace {

const QColor kColors[7] = {QColor(250, 246, 232), QColor(90, 160, 230), QColor(230, 90, 80),
                           QColor(110, 190, 100), QColor(240, 190, 60), QColor(170, 110, 200),
                           QColor(120, 120, 120)};

// A 16 by 16 transparent picture drawn by `draw` with smooth edges.
template <typename Draw>
QPixmap DrawSmallImage(Draw draw) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p);
    return pixmap;
}

QPixmap DrawRecipeIcon(int color, bool marked) {
    return DrawSmallImage([&](QPainter& p) {
        p.setPen(QPen(QColor(80, 70, 50), 1));
        p.setBrush(kColors[color]);
        p.drawRoundedRect(QRectF(1.5, 2.5, 13, 11), 2, 2);
        p.setPen(QPen(QColor(150, 140, 120), 1));
        for (int y = 6; y <= 10; y += 2) p.drawLine(4, y, 11, y);
        if (marked) {
            QPainterPath tick;
            tick.moveTo(3, 8);
            tick.lineTo(6.5, 12);
            tick.lineTo(14, 2);
            p.setPen(QPen(QColor(20, 140, 40), 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(Qt::NoBrush);
            p.drawPath(tick);
        }
    });
}

QPixmap DrawCuisineImage() {
    return DrawSmallImage([](QPainter& p) {
        p.setPen(QPen(QColor(90, 90, 110), 1));
        p.setBrush(QColor(245, 245, 250));
        p.drawEllipse(QRectF(3.5, 3.5, 9, 9));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(5.5, 5.5, 5, 5));
        p.setPen(QPen(QColor(110, 110, 120), 1.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(1.5, 2), QPointF(1.5, 14));
        p.drawLine(QPointF(14.5, 2), QPointF(14.5, 14));
    });
}

QPixmap DrawIngredientImage() {
    return DrawSmallImage([](QPainter& p) {
        QPainterPath leaf;
        leaf.moveTo(2.5, 13.5);
        leaf.cubicTo(2.5, 5, 8, 2.5, 14, 2.5);
        leaf.cubicTo(14, 9, 10, 13.5, 2.5, 13.5);
        p.setPen(QPen(QColor(60, 110, 40), 1));
        p.setBrush(QColor(150, 200, 90));
        p.drawPath(leaf);
        p.drawLine(QPointF(3.5, 12.5), QPointF(11, 5));
    });
}

}  // namespace

QIcon NavigationImage(int index) {
    static const QIcon cuisine(DrawCuisineImage());
    static const QIcon ingredient(DrawIngredientImage());
    if (index == 8) return cuisine;
    if (index == 9) return ingredient;
    return QIcon();
}

QIcon RecipeIcon(int index) {
    static QHash<int, QIcon> cache;
    if (index < 0 || index > 13) index = 0;
    auto it = cache.find(index);
    if (it == cache.end()) it = cache.insert(index, QIcon(DrawRecipeIcon(index % 7, index >= 7)));
    return *it;
}

QPixmap StarImage(const QString& imagesFolder, const QString& ratingText) {
    static QHash<QString, QPixmap> cache;
    const QString text = ratingText.trimmed();
    if (text.size() != 1 || text[0] < QLatin1Char('0') || text[0] > QLatin1Char('5'))
        return QPixmap();
    const QString path = imagesFolder + QStringLiteral("/star") + text + QStringLiteral(".gif");
    auto it = cache.find(path);
    if (it == cache.end()) it = cache.insert(path, QPixmap(path));
    return *it;
}

QIcon ProgramIcon() {
    QIcon icon(QStringLiteral(":/pantrio/pantrio.svg"));
    if (!icon.isNull() && !icon.availableSizes().isEmpty()) return icon;
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(120, 70, 30), 3));
    p.setBrush(QColor(250, 240, 215));
    p.drawRoundedRect(QRectF(6, 10, 52, 44), 6, 6);
    p.setPen(QPen(QColor(200, 80, 40), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(20, 20, 20, 46);
    for (int x = 15; x <= 25; x += 5) p.drawLine(x, 18, x, 28);
    p.setPen(QPen(QColor(150, 130, 100), 3, Qt::SolidLine, Qt::RoundCap));
    for (int y = 22; y <= 42; y += 10) p.drawLine(32, y, 50, y);
    return QIcon(pixmap);
}

}  // namespace pantrio
