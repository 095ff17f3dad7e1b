#include "platform/MetafilePlayer.h"

QColor ColorFromRef(quint32 colorRef) {
    return QColor(colorRef & 0xFF, (colorRef >> 8) & 0xFF, (colorRef >> 16) & 0xFF);
}

QPen MetafilePen(quint32 style, double width, quint32 colorRef) {
    static const Qt::PenStyle styles[] = {Qt::SolidLine,   Qt::DashLine,       Qt::DotLine,
                                          Qt::DashDotLine, Qt::DashDotDotLine, Qt::NoPen,
                                          Qt::SolidLine};
    const quint32 s = style & 0x0F;
    QPen pen(ColorFromRef(colorRef), width <= 1 ? 0 : width, s < 7 ? styles[s] : Qt::SolidLine);
    static const Qt::PenCapStyle caps[] = {Qt::RoundCap, Qt::SquareCap, Qt::FlatCap};
    static const Qt::PenJoinStyle joins[] = {Qt::RoundJoin, Qt::BevelJoin, Qt::MiterJoin};
    pen.setCapStyle(caps[qMin<quint32>((style >> 8) & 0x0F, 2)]);
    pen.setJoinStyle(joins[qMin<quint32>((style >> 12) & 0x0F, 2)]);
    return pen;
}

QBrush MetafileBrush(quint32 style, quint32 colorRef, quint32 hatch) {
    static const Qt::BrushStyle hatches[] = {Qt::HorPattern,   Qt::VerPattern,
                                             Qt::FDiagPattern, Qt::BDiagPattern,
                                             Qt::CrossPattern, Qt::DiagCrossPattern};
    switch (style) {
    case 1: // BS_NULL
        return Qt::NoBrush;
    case 2: // BS_HATCHED
        return QBrush(ColorFromRef(colorRef), hatch < 6 ? hatches[hatch] : Qt::SolidPattern);
    default:
        return QBrush(ColorFromRef(colorRef));
    }
}
