#pragma once

#include "report/ReportCanvas.h"

#include <QFont>
#include <QFontMetricsF>
#include <QStringList>

#include <cmath>

// A page canvas that records the drawing calls as text, with a chosen resolution. Text is
// measured with the named font at the page's resolution.
class TFakeReport : public TReportCanvas {
public:
    explicit TFakeReport(double dpi = 600) : FDpi(dpi) {}

    QStringList Calls;
    struct TText {
        QRect Clip;
        double X, Y;
        QString Text;
    };
    QList<TText> Texts;

    double XDPI() const override { return FDpi; }
    double YDPI() const override { return FDpi; }
    double LeftOffset() const override { return 0; }
    double TopOffset() const override { return 0; }

    void SetPen(TColor color, int style, int width, int mode) override {
        Calls << QStringLiteral("pen %1 %2 %3 %4").arg(color).arg(style).arg(width).arg(mode);
    }
    void SetBrush(TColor color, int style) override {
        Calls << QStringLiteral("brush %1 %2").arg(color).arg(style);
    }
    void SetBrushBitmap(const QImage&) override {}
    void SetFont(const QString& name, double points) override {
        FFont = QFont(name);
        FPoints = points;
        FFont.setPixelSize(int(std::lround(points * FDpi / 72)));
        Calls << QStringLiteral("font %1 %2").arg(name).arg(points);
    }
    void SetFontStyle(bool bold, bool italic, bool underline) override {
        FFont.setBold(bold);
        FFont.setItalic(italic);
        Calls << QStringLiteral("style %1 %2 %3").arg(bold).arg(italic).arg(underline);
    }
    void SetFontColor(TColor color) override { Calls << QStringLiteral("color %1").arg(color); }
    void SetFontRotation(int degrees) override {
        Calls << QStringLiteral("rotation %1").arg(degrees);
    }
    void SetTextTransparent(bool) override {}
    double LineHeight() const override { return 1.2 * FPoints / 72.0; }
    double TextWidth(const QString& text) const override {
        return QFontMetricsF(FFont).horizontalAdvance(text) / FDpi;
    }

    void Rectangle(const TInchRect& r) override { Calls << "rectangle " + rect(r); }
    void RoundRect(const TInchRect& r, double cw, double ch) override {
        Calls << QStringLiteral("roundrect %1 %2 %3").arg(rect(r)).arg(cw).arg(ch);
    }
    void Ellipse(const TInchRect& r) override { Calls << "ellipse " + rect(r); }
    void MoveTo(double x, double y) override {
        Calls << QStringLiteral("moveto %1 %2").arg(x).arg(y);
    }
    void LineTo(double x, double y) override {
        Calls << QStringLiteral("lineto %1 %2").arg(x).arg(y);
    }
    void Polygon(const QPolygon&) override {}
    void FillDeviceRect(const QRect&) override {}

    QRect DeviceRect(const TInchRect& r) const override {
        const auto d = [this](double v) { return int(std::lround(v * FDpi)); };
        return QRect(QPoint(d(r.Left), d(r.Top)), QPoint(d(r.Right) - 1, d(r.Bottom) - 1));
    }
    double DeviceRowToInches(int row) const override { return row / FDpi; }

    void TextRect(const QRect& clip, double x, double y, const QString& text) override {
        Texts.append({clip, x, y, text});
    }
    void TextOut(double, double, const QString&) override {}

    void PushClipRect(const TInchRect&) override {}
    void PushClipEllipse(const TInchRect&) override {}
    void PushClipRoundRect(const TInchRect&, double, double) override {}
    void PushClipPolygon(const QPolygon&) override {}
    void SelectClip() override {}
    void ClearClip() override {}
    void PopClip() override {}
    void BeginPath() override {}
    void EndPath() override {}
    void ClipToPath() override {}
    void StrokePath() override {}
    void StretchBitmap(const TInchRect&, const QImage&) override {}
    void StretchDeviceBitmap(const QRect&, const QImage&) override {}

private:
    static QString rect(const TInchRect& r) {
        return QStringLiteral("%1 %2 %3 %4").arg(r.Left).arg(r.Top).arg(r.Right).arg(r.Bottom);
    }
    double FDpi;
    double FPoints = 10;
    QFont FFont;
};
