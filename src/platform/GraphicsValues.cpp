#include "platform/GraphicsValues.h"

#include <cmath>

int TFont::Size() const {
    return int(std::lround(-double(Height) * 72.0 / ScreenPixelsPerInch));
}

void TFont::SetSize(int points) {
    Height = -int(std::lround(double(points) * ScreenPixelsPerInch / 72.0));
}

static QFont baseFont(const TFont& f) {
    QFont q(f.Name);
    q.setBold(f.Has(fsBold));
    q.setItalic(f.Has(fsItalic));
    q.setUnderline(f.Has(fsUnderline));
    q.setStrikeOut(f.Has(fsStrikeOut));
    q.setStyleStrategy(QFont::PreferAntialias);
    return q;
}

QFont TFont::ToQFont(double zoom) const {
    QFont q = baseFont(*this);
    q.setPixelSize(std::max(1, int(std::lround(std::abs(Height) * zoom))));
    return q;
}

QFont TFont::ToDeviceFont(double dpi) const {
    QFont q = baseFont(*this);
    q.setPixelSize(std::max(1, int(std::lround(Size() * dpi / 72.0))));
    return q;
}

Qt::PenStyle ToQtPenStyle(int style) {
    switch (style) {
    case psDash: return Qt::DashLine;
    case psDot: return Qt::DotLine;
    case psDashDot: return Qt::DashDotLine;
    case psDashDotDot: return Qt::DashDotDotLine;
    case psClear: return Qt::NoPen;
    default: return Qt::SolidLine;
    }
}

Qt::BrushStyle ToQtBrushStyle(int style) {
    switch (style) {
    case bsClear: return Qt::NoBrush;
    case bsHorizontal: return Qt::HorPattern;
    case bsVertical: return Qt::VerPattern;
    case bsFDiagonal: return Qt::BDiagPattern; // Qt names the diagonals the other way round
    case bsBDiagonal: return Qt::FDiagPattern;
    case bsCross: return Qt::CrossPattern;
    case bsDiagCross: return Qt::DiagCrossPattern;
    default: return Qt::SolidPattern;
    }
}
