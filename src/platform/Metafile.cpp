#include "platform/Metafile.h"

#include "platform/GraphicsValues.h"
#include "platform/MetafilePlayer.h"
#include "platform/MetafileRecords.h"

#include <QPainter>

#include <cmath>

namespace {

constexpr quint32 kPlaceableKey = 0x9AC6CDD7;
constexpr qsizetype kPlaceableSize = 22;
constexpr qsizetype kWmfHeaderSize = 18;
constexpr quint32 kEmfSignature = 0x464D4520; // " EMF"
constexpr qsizetype kEmfHeaderSize = 88;
constexpr double kMmPerInch = 25.4;

// A picture's own size in design pixels, kept within what a picture may be.
QSize designSize(double width, double height) {
    auto side = [](double v) { return int(qBound(1.0, std::round(std::abs(v)), 16384.0)); };
    return QSize(side(width), side(height));
}

QRectF rectL(const TLittleEndianBytes& b, qsizetype at) {
    return QRectF(QPointF(b.I32(at), b.I32(at + 4)), QPointF(b.I32(at + 8), b.I32(at + 12)));
}

} // namespace

std::shared_ptr<const TMetafile> TMetafile::FromBytes(const QByteArray& bytes) {
    const TLittleEndianBytes b(bytes.constData(), bytes.size());
    std::shared_ptr<TMetafile> m(new TMetafile);
    m->FBytes = bytes;
    m->FDibs = std::make_shared<TDibCache>();
    if (b.U32(0) == kPlaceableKey && b.Has(0, kPlaceableSize + kWmfHeaderSize)) {
        const QRectF box(QPointF(b.I16(6), b.I16(8)), QPointF(b.I16(10), b.I16(12)));
        const int inch = b.U16(14);
        const qsizetype header = kPlaceableSize;
        const quint16 type = b.U16(header);
        if (inch == 0 || box.width() == 0 || box.height() == 0 || (type != 1 && type != 2) ||
            b.U16(header + 2) != 9)
            return nullptr;
        m->FKind = TMetafileKind::Windows;
        m->FFrame = box;
        m->FSize = designSize(box.width() * ScreenPixelsPerInch / inch,
                              box.height() * ScreenPixelsPerInch / inch);
        m->FObjectSlots = b.U16(header + 10);
        m->FFirstRecord = header + kWmfHeaderSize;
        const std::shared_ptr<const TMetafile> embedded =
            FromBytes(EmbeddedEnhancedMetafile(b, m->FFirstRecord));
        if (embedded && embedded->Kind() == TMetafileKind::Enhanced)
            m->FEmbedded = embedded;
        return m;
    }
    if (b.U32(0) == 1 && b.U32(40) == kEmfSignature && b.Has(0, kEmfHeaderSize) &&
        b.U32(4) >= kEmfHeaderSize) {
        const QRectF bounds = rectL(b, 8);
        const QRectF frame = rectL(b, 24); // hundredths of a millimetre
        const QSizeF device(b.I32(72), b.I32(76));
        const QSizeF mm(b.I32(80), b.I32(84));
        m->FPixelsPerMm =
            device.width() > 0 && device.height() > 0 && mm.width() > 0 && mm.height() > 0
                ? QSizeF(device.width() / mm.width(), device.height() / mm.height())
                : QSizeF(ScreenPixelsPerInch / kMmPerInch, ScreenPixelsPerInch / kMmPerInch);
        if (frame.width() > 0 && frame.height() > 0) {
            m->FFrame = QRectF(frame.left() / 100 * m->FPixelsPerMm.width(),
                               frame.top() / 100 * m->FPixelsPerMm.height(),
                               frame.width() / 100 * m->FPixelsPerMm.width(),
                               frame.height() / 100 * m->FPixelsPerMm.height());
            m->FSize = designSize(frame.width() / 100 * ScreenPixelsPerInch / kMmPerInch,
                                  frame.height() / 100 * ScreenPixelsPerInch / kMmPerInch);
        } else if (bounds.width() > 0 && bounds.height() > 0) {
            m->FFrame = bounds;
            m->FSize = designSize(bounds.width(), bounds.height());
        } else {
            return nullptr;
        }
        m->FKind = TMetafileKind::Enhanced;
        m->FObjectSlots = b.U16(48);
        return m;
    }
    return nullptr;
}

void TMetafile::Draw(QPainter& painter, const QRectF& target) const {
    if (FEmbedded) {
        FEmbedded->Draw(painter, target);
        return;
    }
    const double sx = target.width() / FFrame.width();
    const double sy = target.height() / FFrame.height();
    const QTransform toTarget(sx, 0, 0, sy, target.x() - FFrame.x() * sx,
                              target.y() - FFrame.y() * sy);
    TMetafilePlayer player(painter, toTarget, FPixelsPerMm, FObjectSlots, target, *FDibs);
    const TLittleEndianBytes bytes(FBytes.constData(), FBytes.size());
    if (FKind == TMetafileKind::Windows) {
        // The window starts as the placeable box; the records may set their own. The
        // viewport is the target itself.
        TMetafileDC& dc = player.DC();
        dc.MapMode = 8; // MM_ANISOTROPIC
        dc.WindowOrg = dc.ViewportOrg = FFrame.topLeft();
        dc.WindowExt = dc.ViewportExt = FFrame.size();
        PlayWmfRecords(bytes, FFirstRecord, player);
    } else {
        PlayEmfRecords(bytes, player);
    }
}
