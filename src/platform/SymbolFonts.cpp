#include "platform/SymbolFonts.h"

#include "platform/Windows1252.h"

#include <QFile>
#include <QFontDatabase>
#include <QHash>

static void initSymbolFontResources() {
    Q_INIT_RESOURCE(SymbolFonts);
}

namespace {

// Code -> Unicode from the table "code<TAB>unicode<TAB>name" (hex; '-' = none).
QHash<int, char32_t> loadWingdingsTable() {
    initSymbolFontResources();
    QHash<int, char32_t> table;
    QFile file(QStringLiteral(":/symbolfonts/wingdings-unicode.tsv"));
    if (!file.open(QIODevice::ReadOnly))
        return table;
    while (!file.atEnd()) {
        const QList<QByteArray> fields = file.readLine().trimmed().split('\t');
        if (fields.size() < 2 || fields[0].startsWith('#'))
            continue;
        bool codeOk = false, unicodeOk = false;
        const int code = fields[0].toInt(&codeOk, 16);
        const uint unicode = fields[1].toUInt(&unicodeOk, 16);
        if (codeOk && unicodeOk && code >= 32 && code <= 255 && unicode > 0 && unicode <= 0x10FFFF)
            table.insert(code, char32_t(unicode));
    }
    return table;
}

const QHash<int, char32_t>& wingdingsTable() {
    static const QHash<int, char32_t> table = loadWingdingsTable();
    return table;
}

bool wingdingsInstalled() {
    static const bool installed =
        QFontDatabase::families().contains(QStringLiteral("Wingdings"), Qt::CaseInsensitive);
    return installed;
}

// Fonts whose characters are pictures, addressed by single-byte codes.
// Asked for every text drawn, so the answers are kept by the name as spelled.
bool isInstalledSymbolFont(const QString& fontName) {
    static QHash<QString, bool> known;
    const auto it = known.constFind(fontName);
    if (it != known.constEnd())
        return *it;
    const bool symbol = QFontDatabase::families().contains(fontName, Qt::CaseInsensitive) &&
                        QFontDatabase::writingSystems(fontName).contains(QFontDatabase::Symbol);
    known.insert(fontName, symbol);
    return symbol;
}

} // namespace

std::optional<char32_t> WingdingsUnicode(int code) {
    const auto it = wingdingsTable().constFind(code);
    if (it == wingdingsTable().constEnd())
        return std::nullopt;
    return *it;
}

bool UsesSymbolStandIn(const QString& fontName) {
    return fontName.compare(QStringLiteral("Wingdings"), Qt::CaseInsensitive) == 0 &&
           !wingdingsInstalled();
}

QString SymbolStandInFamily() {
    return QStringLiteral("Symbola");
}

TDrawnText ResolveSymbolText(const QString& fontName, const QString& text) {
    const bool standIn = UsesSymbolStandIn(fontName);
    if (!standIn && !isInstalledSymbolFont(fontName))
        return {fontName, text};
    const QByteArray codes = ToWindows1252(text).Bytes;
    if (!standIn)
        return {fontName, QString::fromLatin1(codes)};
    QString drawn;
    for (const char byte : codes) {
        const int code = uchar(byte);
        // Codes below the table (controls) have no glyph in the font either.
        const char32_t c = WingdingsUnicode(code).value_or(code < 32 ? code : SymbolPlaceholder);
        drawn += QString::fromUcs4(&c, 1);
    }
    return {SymbolStandInFamily(), drawn};
}
