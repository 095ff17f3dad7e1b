#pragma once

#include "surface/BusinessCardPanel.h"
#include "surface/GraphicControl.h"

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QPainter>

// A card panel whose object creation a test can call directly, as a finished rubber band.
class TTestCardPanel : public TGBusinessCardPanel32 {
public:
    TTestCardPanel() { resize(343, 191); }
    using TGBusinessCardPanel32::CreateObjectInRect;
    TGGraphicControl* Draw(TLPanelState state, QRect rect) {
        SetPanelState(state);
        const size_t before = Objects().size();
        CreateObjectInRect(rect);
        return Objects().size() > before ? Objects().back() : nullptr;
    }
};

// Paints one object on white, as the card panel does, with its own top-left at (0, 0).
inline QImage PaintAlone(TGGraphicControl& object, QColor background = Qt::white) {
    QImage image(object.Width(), object.Height(), QImage::Format_ARGB32_Premultiplied);
    image.fill(background);
    QPainter p(&image);
    p.setClipRect(0, 0, object.Width(), object.Height());
    object.Paint(p);
    return image;
}

// The context-menu item with that caption, searched through the submenus too.
inline QAction* MenuItem(QMenu* menu, const QString& caption) {
    if (!menu)
        return nullptr;
    for (QAction* a : menu->actions()) {
        if (a->text() == caption)
            return a;
        if (QAction* sub = MenuItem(a->menu(), caption))
            return sub;
    }
    return nullptr;
}

// The captions of the menu's top-level items, separators as "-".
inline QStringList MenuCaptions(QMenu* menu) {
    QStringList list;
    for (QAction* a : menu->actions())
        list << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return list;
}

inline bool IsDark(QRgb c) {
    return qGray(c) < 128;
}

// The bounding box of the dark pixels of an image.
inline QRect Ink(const QImage& img) {
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (IsDark(img.pixel(x, y)))
                box |= QRect(x, y, 1, 1);
    return box;
}
