#include "app/program_icon.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

QIcon Program_Icon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        const qreal r = size * 0.18;
        QPainterPath page;
        page.addRoundedRect(QRectF(0.5, 0.5, size - 1.0, size - 1.0), r, r);
        QLinearGradient g(0, 0, 0, size);
        g.setColorAt(0, QColor(0x2f, 0x6f, 0xd6));
        g.setColorAt(1, QColor(0x1c, 0x46, 0x9a));
        p.fillPath(page, g);
        // A tag's angle brackets around the T of Tesk.
        QFont f(QStringLiteral("Arial"));
        f.setBold(true);
        f.setPixelSize(int(size * 0.62));
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRectF(0, 0, size, size), Qt::AlignCenter, QStringLiteral("T"));
        if (size >= 32) {
            QPen pen(QColor(0xff, 0xd0, 0x40), size / 16.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
            p.setPen(pen);
            const qreal m = size * 0.14, h = size * 0.16, c = size / 2.0;
            p.drawPolyline(QPolygonF{{m + h, c - h}, {m, c}, {m + h, c + h}});
            p.drawPolyline(QPolygonF{{size - m - h, c - h}, {size - m, c}, {size - m - h, c + h}});
        }
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}
