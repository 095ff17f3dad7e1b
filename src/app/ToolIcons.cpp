#include "app/ToolIcons.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// All glyphs are drawn on a 24 x 24 grid; larger pixmaps scale the painter.
constexpr int Grid = 24;

const QColor Ink(0x20, 0x20, 0x20);
const QColor Accent(0x1f, 0x5f, 0xbf);

void drawText(QPainter& p, const QRectF& r, const QString& text, int pixelSize, bool bold,
              const QColor& color, bool italic = false) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setItalic(italic);
    p.setFont(f);
    p.setPen(color);
    p.drawText(r, Qt::AlignCenter, text);
}

void drawArrow(QPainter& p, qreal x, qreal y, qreal s) {
    QPainterPath arrow;
    arrow.moveTo(x, y);
    arrow.lineTo(x, y + 16 * s);
    arrow.lineTo(x + 4 * s, y + 12 * s);
    arrow.lineTo(x + 7 * s, y + 19 * s);
    arrow.lineTo(x + 10 * s, y + 17.5 * s);
    arrow.lineTo(x + 7 * s, y + 11 * s);
    arrow.lineTo(x + 12 * s, y + 11 * s);
    arrow.closeSubpath();
    p.setPen(QPen(Ink, 1.2));
    p.setBrush(Qt::white);
    p.drawPath(arrow);
}

void drawDots(QPainter& p, const QRectF& r, qreal step) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 128, 0));
    for (qreal y = r.top(); y <= r.bottom(); y += step)
        for (qreal x = r.left(); x <= r.right(); x += step)
            p.drawEllipse(QPointF(x, y), 1.1, 1.1);
}

void drawPicture(QPainter& p, const QRectF& r) {
    p.setPen(QPen(Ink, 1.2));
    p.setBrush(QColor(0xcf, 0xe8, 0xff));
    p.drawRect(r);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf0, 0xb0, 0x20));
    p.drawEllipse(QPointF(r.right() - 5, r.top() + 5), 2.5, 2.5);
    QPainterPath hills;
    hills.moveTo(r.left() + 1, r.bottom() - 1);
    hills.lineTo(r.left() + r.width() * 0.35, r.top() + r.height() * 0.4);
    hills.lineTo(r.left() + r.width() * 0.6, r.top() + r.height() * 0.7);
    hills.lineTo(r.left() + r.width() * 0.75, r.top() + r.height() * 0.55);
    hills.lineTo(r.right() - 1, r.bottom() - 1);
    hills.closeSubpath();
    p.setBrush(QColor(0x3a, 0x9a, 0x3a));
    p.drawPath(hills);
}

void drawGlyph(QPainter& p, TToolIcon which) {
    const QRectF all(0, 0, Grid, Grid);
    const QRectF shape(3.5, 5.5, 17, 13);
    p.setPen(QPen(Ink, 1.5));
    p.setBrush(Qt::NoBrush);
    switch (which) {
    case TToolIcon::Pointer:
        drawArrow(p, 7, 3, 1.0);
        break;
    case TToolIcon::Text:
        drawText(p, all, QStringLiteral("A"), 18, true, Ink);
        break;
    case TToolIcon::MultiLineText:
        for (int i = 0; i < 5; ++i)
            p.drawLine(QPointF(4, 4.5 + i * 3.8), QPointF(i == 4 ? 13 : 20, 4.5 + i * 3.8));
        break;
    case TToolIcon::Symbol:
        drawText(p, all, QString(QChar(0x2663)), 19, false, Ink); // club suit
        break;
    case TToolIcon::Rectangle:
        p.drawRect(shape);
        break;
    case TToolIcon::Ellipse:
        p.drawEllipse(shape);
        break;
    case TToolIcon::RoundRect:
        p.drawRoundedRect(shape, 4, 4);
        break;
    case TToolIcon::Line:
        p.drawLine(QPointF(4, 20), QPointF(20, 4));
        break;
    case TToolIcon::ClipArt:
        drawPicture(p, QRectF(3.5, 5.5, 17, 13));
        break;
    case TToolIcon::RirizIzadu: {
        QLinearGradient g(0, 4, 0, 20);
        g.setColorAt(0, QColor(0xff, 0xd0, 0x40));
        g.setColorAt(1, QColor(0xd0, 0x30, 0x20));
        QPainterPath star;
        for (int i = 0; i < 10; ++i) {
            const qreal a = (i * 36 - 90) * M_PI / 180;
            const qreal rad = i % 2 ? 4.0 : 9.5;
            const QPointF pt(12 + rad * std::cos(a), 12.5 + rad * std::sin(a));
            i ? star.lineTo(pt) : star.moveTo(pt);
        }
        star.closeSubpath();
        p.setPen(QPen(Ink, 1.0));
        p.setBrush(g);
        p.drawPath(star);
        break;
    }
    case TToolIcon::RichText:
        drawText(p, QRectF(1, 1, 12, 22), QStringLiteral("A"), 16, true, QColor(0xc0, 0x20, 0x20));
        drawText(p, QRectF(11, 3, 12, 20), QStringLiteral("b"), 14, false, Accent, true);
        break;
    case TToolIcon::DiduzOvoz: {
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(15);
        f.setBold(true);
        QPainterPath text;
        text.addText(3, 18, f, QStringLiteral("Fx"));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x70, 0x70, 0x70));
        p.drawPath(text.translated(1.5, 1.5));
        QLinearGradient g(0, 6, 0, 18);
        g.setColorAt(0, QColor(0x60, 0xa0, 0xff));
        g.setColorAt(1, QColor(0x80, 0x20, 0xa0));
        p.setBrush(g);
        p.drawPath(text);
        break;
    }
    case TToolIcon::Barcode: {
        // A small QR code: three finder squares and a scatter of modules.
        p.setPen(Qt::NoPen);
        p.setBrush(Ink);
        for (const QPointF corner : {QPointF(3, 3), QPointF(14, 3), QPointF(3, 14)}) {
            p.drawRect(QRectF(corner, QSizeF(7, 7)));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(corner + QPointF(1, 1), QSizeF(5, 5)));
            p.setBrush(Ink);
            p.drawRect(QRectF(corner + QPointF(2, 2), QSizeF(3, 3)));
        }
        for (const QPointF module :
             {QPointF(14, 14), QPointF(17, 14), QPointF(19, 16), QPointF(15, 17), QPointF(17, 19),
              QPointF(14, 20), QPointF(19, 20), QPointF(11, 3), QPointF(11, 7), QPointF(3, 11),
              QPointF(7, 11), QPointF(11, 11)})
            p.drawRect(QRectF(module, QSizeF(2, 2)));
        break;
    }
    case TToolIcon::ShowGrid:
        drawDots(p, QRectF(4, 4, 16, 16), 4);
        break;
    case TToolIcon::SnapToGrid:
        drawDots(p, QRectF(4, 4, 16, 16), 8);
        p.setPen(QPen(Accent, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(4, 4, 8, 8));
        p.drawLine(QPointF(12, 12), QPointF(19, 19));
        break;
    case TToolIcon::BackgroundArt:
        p.setPen(QPen(Ink, 1.0));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 3.5, 21, 15));
        drawPicture(p, QRectF(5.5, 6.5, 13, 9));
        break;
    case TToolIcon::WhatsThis:
        drawArrow(p, 2, 2, 0.9);
        drawText(p, QRectF(11, 4, 13, 18), QStringLiteral("?"), 16, true, Accent);
        break;
    case TToolIcon::Exit:
        p.setPen(QPen(Ink, 1.5));
        p.drawRect(QRectF(3.5, 3.5, 10, 17));
        p.setPen(QPen(QColor(0xc0, 0x20, 0x20), 2.0));
        p.drawLine(QPointF(9, 12), QPointF(21, 12));
        p.drawLine(QPointF(17, 8), QPointF(21, 12));
        p.drawLine(QPointF(17, 16), QPointF(21, 12));
        break;
    case TToolIcon::Program:
        p.setPen(QPen(Ink, 1.0));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 5.5, 21, 13));
        p.setPen(QPen(Accent, 1.5));
        p.drawLine(QPointF(4, 9), QPointF(14, 9));
        p.setPen(QPen(Ink, 1.0));
        p.drawLine(QPointF(4, 13), QPointF(18, 13));
        p.drawLine(QPointF(4, 16), QPointF(12, 16));
        break;
    }
}

QPixmap render(TToolIcon which, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(qreal(size) / Grid, qreal(size) / Grid);
    drawGlyph(p, which);
    return pixmap;
}

} // namespace

QIcon ToolIcon(TToolIcon which) {
    QIcon icon;
    icon.addPixmap(render(which, Grid));
    icon.addPixmap(render(which, Grid * 2));
    return icon;
}
