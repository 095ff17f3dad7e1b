#pragma once

#include "objects/BarcodeContent.h"
#include "objects/BarcodeSymbol.h"
#include "surface/GraphicControl.h"

// A QR code, Data Matrix, Code 128 or EAN-13 barcode on the card. The content may hold
// ${Column} fields, filled per card when a record is shown or printed. The code keeps square
// modules of whole pixels and sits centred in its box; a content the symbology cannot hold
// shows as a crossed-out box on screen and prints nothing.
class TGBarcode : public TGGraphicControl {
public:
    TGBarcode();

    QString ClassName() const override { return QStringLiteral("TGBarcode"); }
    const TPropertyList& Properties() const override { return ClassProperties(); }
    static const TPropertyList& ClassProperties();

    void Paint(QPainter& canvas) override;
    void PopupOpening() override;
    void PrintTo(TReportCanvas& report, double x, double y) override;

    TBarcodeSymbology Symbology() const { return FSymbology; }
    void SetSymbology(TBarcodeSymbology v);
    TBarcodeContentKind ContentKind() const { return FContentKind; }
    void SetContentKind(TBarcodeContentKind v);
    QString Content() const { return FContent; }
    void SetContent(const QString& v);
    TErrorCorrection ErrorCorrection() const { return FErrorCorrection; }
    void SetErrorCorrection(TErrorCorrection v);
    TColor ForeColor() const { return FForeColor; }
    void SetForeColor(TColor v);
    TColor BackColor() const { return FBackColor; }
    void SetBackColor(TColor v);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    // Light modules around the code; 0 to MaxQuietZone, other values are ignored.
    int QuietZone() const { return FQuietZone; }
    void SetQuietZone(int v);
    static constexpr int MaxQuietZone = 40;

    // The text encoded now: the content with the shown or printed record's values.
    QString EncodedText() const;
    // The code of that text, encoded once and kept until the text or the settings change.
    const TBarcodeSymbol& Symbol() const;

    // Copies every property of the kind (not the base's geometry) from another barcode.
    void AssignProperties(const TGBarcode& source);
    // The properties dialog; on Ok the object takes what it shows.
    void EditProperties();

protected:
    void BuildContextMenu() override;

private:
    void ChooseColor(bool background);

    TBarcodeSymbology FSymbology = syQRCode;
    TBarcodeContentKind FContentKind = ckText;
    QString FContent;
    TErrorCorrection FErrorCorrection = ecM;
    TColor FForeColor = clBlack;
    TColor FBackColor = clWhite;
    bool FTransparent = false;
    int FQuietZone = 4;
    QAction* FTransparentItem = nullptr;

    // The last encoding and what it was made from.
    mutable TBarcodeSymbol FSymbol;
    mutable QString FSymbolText;
    mutable bool FSymbolStale = true;
};
