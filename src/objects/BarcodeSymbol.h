#pragma once

#include <QString>

#include <vector>

// The kinds of code a barcode object draws.
enum TBarcodeSymbology { syQRCode = 0, syDataMatrix, syCode128, syEAN13 };
// How much of a QR code may be lost and still read: about 7, 15, 25 and 30 %.
enum TErrorCorrection { ecL = 0, ecM, ecQ, ecH };

// A run of dark modules side by side in one row.
struct TModuleRun {
    int Row = 0;
    int Column = 0;
    int Length = 0;
    bool operator==(const TModuleRun&) const = default;
};

// An encoded code: its size in modules, without the quiet zone, and its dark modules as runs
// along the rows. A linear code has one row whose runs are its bars. When the content cannot
// be encoded, Error says why in the user's words and the symbol is empty.
struct TBarcodeSymbol {
    int Columns = 0;
    int Rows = 0;
    std::vector<TModuleRun> Runs;
    QString Error;

    bool IsValid() const { return Error.isEmpty() && Columns > 0; }
    bool IsLinear() const { return Rows == 1; }
};

// Encodes the text. Never throws: content the symbology cannot hold gives a symbol with Error.
TBarcodeSymbol EncodeBarcode(TBarcodeSymbology symbology, const QString& text,
                             TErrorCorrection level);

// Code 128 and EAN-13 are rows of bars; QR and Data Matrix are squares of modules.
inline bool IsLinearSymbology(TBarcodeSymbology symbology) {
    return symbology == syCode128 || symbology == syEAN13;
}

// The light margin readers need around a code, in modules.
int StandardQuietZone(TBarcodeSymbology symbology);
// "QR Code", "Data Matrix", "Code 128", "EAN-13".
QString SymbologyName(TBarcodeSymbology symbology);
