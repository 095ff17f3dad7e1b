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
