#include "richtext/RichTextLayout.h"

#include "richtext/RtfUnits.h"

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QTextDocument>

namespace {

// A device that reports 96 dots per inch; layouts measured on it match the design pixels.
QImage& designDevice() {
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
        const int dotsPerMeter = qRound(96 / 0.0254);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return device;
}

} // namespace

void UseDesignResolution(QTextDocument& document) {
    document.documentLayout()->setPaintDevice(&designDevice());
    QFont font(QString::fromLatin1(RtfDefaultFontName));
    font.setPointSize(10);
    document.setDefaultFont(font);
}

void PaintDocument(QPainter& painter, QTextDocument& document, int zoomPercent, int width,
                   int height) {
    if (zoomPercent <= 0 || width <= 0 || height <= 0)
        return;
    const double zoom = zoomPercent / 100.0;
    const QRectF box(0, 0, width / zoom, height / zoom);
    document.setTextWidth(box.width());
    painter.save();
    painter.scale(zoom, zoom);
    painter.setClipRect(box, Qt::IntersectClip);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = box;
    context.palette.setColor(QPalette::Text, Qt::black);
    document.documentLayout()->draw(&painter, context);
    painter.restore();
}
