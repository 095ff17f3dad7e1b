#include "richtext/ToolBarIcons.h"

#include <QPainter>
#include <QPixmap>

namespace {
constexpr int kSize = 16;

QPixmap blank() {
    QPixmap pm(kSize, kSize);
    pm.fill(Qt::transparent);
    return pm;
}
} // namespace

QIcon LetterIcon(const QString& letter, bool bold, bool italic, bool underline) {
    QPixmap pm = blank();
    QPainter p(&pm);
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPixelSize(14);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, letter);
    return QIcon(pm);
}

QIcon AlignmentIcon(Qt::Alignment alignment) {
    QPixmap pm = blank();
    QPainter p(&pm);
    p.setPen(Qt::black);
    // Long and short lines in turn; the short ones show where the text lines up.
    for (int i = 0; i < 5; ++i) {
        const int y = 2 + i * 3;
        const bool shortLine = i % 2 == 1 && !(alignment & Qt::AlignJustify);
        const int length = shortLine ? 9 : 14;
        int x = 1;
        if (alignment & Qt::AlignRight)
            x = 15 - length;
        else if (alignment & Qt::AlignHCenter)
            x = (kSize - length) / 2;
        p.drawLine(x, y, x + length - 1, y);
    }
    return QIcon(pm);
}

QIcon ClipboardIcon(TClipboardGlyph glyph) {
    QPixmap pm = blank();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::black);
    switch (glyph) {
    case TClipboardGlyph::Copy: // two sheets, one over the other
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 1.5, 8, 10));
        p.drawRect(QRectF(6.5, 4.5, 8, 10));
        break;
    case TClipboardGlyph::Cut: // scissors
        p.drawLine(QPointF(4, 1), QPointF(11, 10));
        p.drawLine(QPointF(12, 1), QPointF(5, 10));
        p.drawEllipse(QRectF(1.5, 10.5, 4, 4));
        p.drawEllipse(QRectF(10.5, 10.5, 4, 4));
        break;
    case TClipboardGlyph::Paste: // a clipboard with its clip
        p.setBrush(QColor(0xC0, 0x90, 0x50));
        p.drawRect(QRectF(2.5, 2.5, 11, 12));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5.5, 1.5, 5, 3));
        break;
    }
    return QIcon(pm);
}
