#include "objects/BarcodeSymbol.h"

#include "objects/QrModules.h"

#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>

#include <exception>

namespace {

// More than any symbology holds (a QR code takes at most 7,089 digits): longer content is
// refused before the encoder spends time on it.
constexpr qsizetype MaxContent = 8000;
constexpr qsizetype MaxCode128 = 80;

ZXing::BarcodeFormat formatOf(TBarcodeSymbology symbology) {
    switch (symbology) {
    case syDataMatrix:
        return ZXing::BarcodeFormat::DataMatrix;
    case syCode128:
        return ZXing::BarcodeFormat::Code128;
    case syEAN13:
        return ZXing::BarcodeFormat::EAN13;
    case syQRCode:
        break;
    }
    return ZXing::BarcodeFormat::QRCode;
}

bool isAscii(const QString& text) {
    for (QChar c : text)
        if (c.unicode() > 0x7F)
            return false;
    return true;
}

TBarcodeSymbol failed(const QString& why) {
    TBarcodeSymbol symbol;
    symbol.Error = why;
    return symbol;
}

// EAN-13's checks in the user's words; the encoder's own messages are terse.
QString ean13Problem(const QString& text) {
    for (QChar c : text)
        if (!c.isDigit() || c.unicode() > '9')
            return QStringLiteral("An EAN-13 code holds digits only.");
    if (text.size() != 12 && text.size() != 13)
        return QStringLiteral("An EAN-13 code holds 12 digits, or 13 with the check digit; "
                              "this content has %1.")
            .arg(text.size());
    if (text.size() == 13) {
        int sum = 0;
        for (int i = 0; i < 12; ++i)
            sum += (text[i].unicode() - '0') * (i % 2 ? 3 : 1);
        const int check = (10 - sum % 10) % 10;
        if (text[12].unicode() - '0' != check)
            return QStringLiteral("The last digit is not the check digit of the first twelve "
                                  "(that would be %1).")
                .arg(check);
    }
    return {};
}

QString code128Problem(const QString& text) {
    for (QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() > 0x7E)
            return QStringLiteral("A Code 128 code holds only plain letters, digits, spaces and "
                                  "signs: no accents, other scripts or line breaks.");
    if (text.size() > MaxCode128)
        return QStringLiteral("A Code 128 code holds at most %1 characters; this content has %2.")
            .arg(MaxCode128)
            .arg(text.size());
    return {};
}

QString tooLong(TBarcodeSymbology symbology, TErrorCorrection level) {
    if (symbology == syQRCode)
        return QStringLiteral("The content is too long for a QR Code at error correction level "
                              "%1; a lower level holds more.")
            .arg(QLatin1Char("LMQH"[level]));
    return QStringLiteral("The content is too long for a %1 code.").arg(SymbologyName(symbology));
}

std::vector<TModuleRun> darkRuns(const TModuleGrid& grid, int rows) {
    std::vector<TModuleRun> runs;
    for (int y = 0; y < rows; ++y) {
        int x = 0;
        while (x < grid.Width) {
            if (!grid.IsDark(x, y)) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < grid.Width && grid.IsDark(x, y))
                ++x;
            runs.push_back({y, start, x - start});
        }
    }
    return runs;
}

TModuleGrid gridOf(const ZXing::BitMatrix& matrix) {
    TModuleGrid grid;
    grid.Width = matrix.width();
    grid.Height = matrix.height();
    grid.Dark.resize(std::size_t(grid.Width) * grid.Height);
    for (int y = 0; y < grid.Height; ++y)
        for (int x = 0; x < grid.Width; ++x)
            grid.Dark[std::size_t(y) * grid.Width + x] = matrix.get(x, y);
    return grid;
}

// Data Matrix and the linear codes, from the library that also reads them.
std::optional<TModuleGrid> encodeOther(TBarcodeSymbology symbology, const QString& text) {
    ZXing::MultiFormatWriter writer(formatOf(symbology));
    writer.setMargin(0);
    // Plain ASCII needs no character set; anything else travels as UTF-8, announced so.
    if (!isAscii(text))
        writer.setEncoding(ZXing::CharacterSet::UTF8);
    return gridOf(writer.encode(text.toStdWString(), 0, 0));
}

} // namespace

int StandardQuietZone(TBarcodeSymbology symbology) {
    switch (symbology) {
    case syQRCode:
        return 4;
    case syDataMatrix:
        return 2;
    case syCode128:
    case syEAN13:
        break;
    }
    return 10;
}

QString SymbologyName(TBarcodeSymbology symbology) {
    switch (symbology) {
    case syDataMatrix:
        return QStringLiteral("Data Matrix");
    case syCode128:
        return QStringLiteral("Code 128");
    case syEAN13:
        return QStringLiteral("EAN-13");
    case syQRCode:
        break;
    }
    return QStringLiteral("QR Code");
}

TBarcodeSymbol EncodeBarcode(TBarcodeSymbology symbology, const QString& text,
                             TErrorCorrection level) {
    if (text.isEmpty())
        return failed(QStringLiteral("There is nothing to encode."));
    if (text.size() > MaxContent)
        return failed(tooLong(symbology, level));
    const QString problem = symbology == syEAN13     ? ean13Problem(text)
                            : symbology == syCode128 ? code128Problem(text)
                                                     : QString();
    if (!problem.isEmpty())
        return failed(problem);
    try {
        const std::optional<TModuleGrid> grid = symbology == syQRCode
                                                    ? EncodeQrModules(text.toUtf8(), level)
                                                    : encodeOther(symbology, text);
        if (!grid)
            return failed(tooLong(symbology, level));
        TBarcodeSymbol symbol;
        symbol.Columns = grid->Width;
        // A linear code comes as rows of equal bars; one row says it all.
        symbol.Rows = IsLinearSymbology(symbology) ? 1 : grid->Height;
        symbol.Runs = darkRuns(*grid, symbol.Rows);
        return symbol;
    } catch (const std::exception& e) {
        // Data Matrix refuses characters outside Latin-1; every other refusal is the size.
        if (symbology == syDataMatrix && QString::fromUtf8(e.what()).contains("charcode"))
            return failed(QStringLiteral("A Data Matrix code holds only Latin letters "
                                         "(Western European characters)."));
        return failed(tooLong(symbology, level));
    }
}
