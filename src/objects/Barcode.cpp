#include "objects/Barcode.h"

#include "objects/BarcodeGraphic.h"
#include "objects/BarcodeLayout.h"
#include "objects/BarcodeProperties.h"
#include "platform/Interaction.h"
#include "report/ReportCanvas.h"
#include "surface/BusinessCardPanel.h"
#include "widgets/StandardDialogs.h"

#include <QAction>
#include <QPainter>

TGBarcode::TGBarcode() {
    SetBounds(0, 0, 96, 96);
}

const TPropertyList& TGBarcode::ClassProperties() {
    using C = TGBarcode;
    static const TPropertyList list = [] {
        TPropertyList l = TGGraphicControl::ClassProperties();
        l.push_back(Published<C>(
            "Symbology", TPropType::Enumeration, [](const C& o) { return int(o.Symbology()); },
            [](C& o, const QVariant& v) { o.SetSymbology(TBarcodeSymbology(v.toInt())); }, syQRCode,
            {"syQRCode", "syDataMatrix", "syCode128", "syEAN13"}));
        l.push_back(Published<C>(
            "ContentKind", TPropType::Enumeration, [](const C& o) { return int(o.ContentKind()); },
            [](C& o, const QVariant& v) { o.SetContentKind(TBarcodeContentKind(v.toInt())); },
            ckText, {"ckText", "ckWebAddress", "ckPhone", "ckContact"}));
        l.push_back(Published<C>(
            "Content", TPropType::String, [](const C& o) { return o.Content(); },
            [](C& o, const QVariant& v) { o.SetContent(v.toString()); }));
        l.push_back(Published<C>(
            "ErrorCorrection", TPropType::Enumeration,
            [](const C& o) { return int(o.ErrorCorrection()); },
            [](C& o, const QVariant& v) { o.SetErrorCorrection(TErrorCorrection(v.toInt())); }, ecM,
            {"ecL", "ecM", "ecQ", "ecH"}));
        l.push_back(Published<C>(
            "ForeColor", TPropType::Color, [](const C& o) { return o.ForeColor(); },
            [](C& o, const QVariant& v) { o.SetForeColor(v.toInt()); }, clBlack));
        l.push_back(Published<C>(
            "BackColor", TPropType::Color, [](const C& o) { return o.BackColor(); },
            [](C& o, const QVariant& v) { o.SetBackColor(v.toInt()); }, clWhite));
        l.push_back(Published<C>(
            "Transparent", TPropType::Boolean, [](const C& o) { return o.Transparent(); },
            [](C& o, const QVariant& v) { o.SetTransparent(v.toBool()); }, 0));
        // The standard quiet zone depends on the symbology, so it is always written.
        l.push_back(Published<C>(
            "QuietZone", TPropType::Integer, [](const C& o) { return o.QuietZone(); },
            [](C& o, const QVariant& v) { o.SetQuietZone(v.toInt()); }));
        return l;
    }();
    return list;
}

void TGBarcode::SetSymbology(TBarcodeSymbology v) {
    if (v < syQRCode || v > syEAN13)
        return;
    FSymbolStale |= v != FSymbology;
    ChangeShownValue(FSymbology, v);
}

void TGBarcode::SetContentKind(TBarcodeContentKind v) {
    if (v < ckText || v > ckContact)
        return;
    ChangeShownValue(FContentKind, v);
}

void TGBarcode::SetContent(const QString& v) {
    ChangeShownValue(FContent, v);
}

void TGBarcode::SetErrorCorrection(TErrorCorrection v) {
    if (v < ecL || v > ecH)
        return;
    FSymbolStale |= v != FErrorCorrection;
    ChangeShownValue(FErrorCorrection, v);
}

void TGBarcode::SetForeColor(TColor v) {
    ChangeShownValue(FForeColor, v);
}

void TGBarcode::SetBackColor(TColor v) {
    ChangeShownValue(FBackColor, v);
}

void TGBarcode::SetTransparent(bool v) {
    ChangeShownValue(FTransparent, v);
}

void TGBarcode::SetQuietZone(int v) {
    if (v < 0 || v > MaxQuietZone)
        return;
    ChangeShownValue(FQuietZone, v);
}

QString TGBarcode::EncodedText() const {
    return MergedBarcodeContent(FContentKind, FContent, MergeRecord());
}

const TBarcodeSymbol& TGBarcode::Symbol() const {
    const QString text = EncodedText();
    if (FSymbolStale || text != FSymbolText) {
        FSymbol = EncodeBarcode(FSymbology, text, FErrorCorrection);
        FSymbolText = text;
        FSymbolStale = false;
    }
    return FSymbol;
}

void TGBarcode::AssignProperties(const TGBarcode& source) {
    const TPropertyList& own = ClassProperties();
    for (std::size_t i = TGGraphicControl::ClassProperties().size(); i < own.size(); ++i)
        own[i].Set(*this, own[i].Get(source));
}

void TGBarcode::BuildContextMenu() {
    TGGraphicControl::BuildContextMenu();
    AddMenuSeparator();
    AddMenuItem(QStringLiteral("Properties"), [this] { EditProperties(); });
    AddMenuSeparator();
    AddMenuItem(QStringLiteral("Code Color"), [this] { ChooseColor(false); });
    AddMenuItem(QStringLiteral("Background Color"), [this] { ChooseColor(true); });
    FTransparentItem =
        AddMenuItem(QStringLiteral("Transparent"), [this] { SetTransparent(!FTransparent); });
    FTransparentItem->setCheckable(true);
}

void TGBarcode::PopupOpening() {
    if (FTransparentItem)
        FTransparentItem->setChecked(FTransparent);
}

void TGBarcode::ChooseColor(bool background) {
    const auto color = ::ChooseColor(background ? FBackColor : FForeColor, Panel());
    if (!color)
        return;
    if (!background) {
        SetForeColor(*color);
        return;
    }
    // Choosing a background colour means wanting one, as with text.
    SetBackColor(*color);
    SetTransparent(false);
}

void TGBarcode::EditProperties() {
    const auto* cardPanel = dynamic_cast<const TGBusinessCardPanel32*>(Panel());
    TBarcodeProperties dialog(Panel() ? Panel()->window() : nullptr,
                              cardPanel ? cardPanel->PersonalInfo() : TContact{});
    dialog.Preview().AssignProperties(*this);
    dialog.FormActivate();
    if (TInteraction::Current().Exec(dialog) != QDialog::Accepted)
        return;
    AssignProperties(dialog.Preview());
}

void TGBarcode::Paint(QPainter& canvas) {
    const TBarcodeSymbol& symbol = Symbol();
    const QRect box(0, 0, Width(), Height());
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, false);
    if (!symbol.IsValid()) {
        // The box crossed out tells that this content gives no code; the dialog says why.
        canvas.setPen(QPen(QColor(0xc0, 0x20, 0x20), 0));
        canvas.setBrush(Qt::NoBrush);
        const QRect r = box.adjusted(0, 0, -1, -1);
        canvas.drawRect(r);
        canvas.drawLine(r.topLeft(), r.bottomRight());
        canvas.drawLine(r.bottomLeft(), r.topRight());
        canvas.restore();
        return;
    }
    const TBarcodeLayout layout = LayOutBarcode(symbol, FQuietZone, box);
    if (!FTransparent)
        canvas.fillRect(layout.Area, ToQColor(FBackColor));
    const QColor ink = ToQColor(FForeColor);
    for (const TModuleRun& run : symbol.Runs)
        canvas.fillRect(layout.RunRect(run), ink);
    canvas.restore();
}

void TGBarcode::PrintTo(TReportCanvas& report, double x, double y) {
    const TBarcodeSymbol& symbol = Symbol();
    if (!symbol.IsValid())
        return;
    const double p = ScreenPixelsPerInch;
    // The box in the printer's own pixels: modules of whole device pixels print sharp.
    const QRect box = report.DeviceRect(
        {x + Left() / p, y + Top() / p, x + (Left() + Width()) / p, y + (Top() + Height()) / p});
    report.StretchGraphic(
        box, std::make_shared<TBarcodeGraphic>(
                 symbol, FQuietZone, ToQColor(FForeColor),
                 FTransparent ? std::nullopt : std::optional<QColor>(ToQColor(FBackColor))));
}
