#include "surface/PropertyInfo.h"

#include <array>

bool TPropertyInfo::IsStored(const TGGraphicControl& object) const {
    const QVariant v = Get(object);
    switch (Type) {
    case TPropType::Float:
        return v.toDouble() != 0.0;
    case TPropType::String:
    case TPropType::Char:
        return WriteEmpty || !v.toString().isEmpty();
    case TPropType::StringList:
        return !v.toStringList().isEmpty();
    case TPropType::Binary:
        return WriteEmpty || !v.toByteArray().isEmpty();
    case TPropType::Boolean:
        return !Default || qint64(v.toBool()) != *Default;
    case TPropType::Set:
        return !Default || qint64(v.toUInt()) != *Default;
    default:
        return !Default || v.toLongLong() != *Default;
    }
}

const QStringList& FontStyleNames() {
    static const QStringList names{"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
    return names;
}

const QStringList& FontPitchNames() {
    static const QStringList names{"fpDefault", "fpVariable", "fpFixed"};
    return names;
}

const QStringList& PenStyleNames() {
    static const QStringList names{"psSolid",      "psDash",  "psDot",        "psDashDot",
                                   "psDashDotDot", "psClear", "psInsideFrame"};
    return names;
}

const QStringList& PenModeNames() {
    static const QStringList names{"pmBlack",       "pmWhite",      "pmNop",         "pmNot",
                                   "pmCopy",        "pmNotCopy",    "pmMergePenNot", "pmMaskPenNot",
                                   "pmMergeNotPen", "pmMaskNotPen", "pmMerge",       "pmNotMerge",
                                   "pmMask",        "pmNotMask",    "pmXor",         "pmNotXor"};
    return names;
}

const QStringList& BrushStyleNames() {
    static const QStringList names{"bsSolid",     "bsClear",     "bsHorizontal", "bsVertical",
                                   "bsFDiagonal", "bsBDiagonal", "bsCross",      "bsDiagCross"};
    return names;
}

namespace {
struct NamedCharset {
    int value;
    const char* name;
};
constexpr std::array<NamedCharset, 18> kCharsets{{
    {0, "ANSI_CHARSET"},
    {1, "DEFAULT_CHARSET"},
    {2, "SYMBOL_CHARSET"},
    {77, "MAC_CHARSET"},
    {128, "SHIFTJIS_CHARSET"},
    {129, "HANGEUL_CHARSET"},
    {130, "JOHAB_CHARSET"},
    {134, "GB2312_CHARSET"},
    {136, "CHINESEBIG5_CHARSET"},
    {161, "GREEK_CHARSET"},
    {162, "TURKISH_CHARSET"},
    {163, "VIETNAMESE_CHARSET"},
    {177, "HEBREW_CHARSET"},
    {178, "ARABIC_CHARSET"},
    {186, "BALTIC_CHARSET"},
    {204, "RUSSIAN_CHARSET"},
    {222, "THAI_CHARSET"},
    {238, "EASTEUROPE_CHARSET"},
}};
} // namespace

QString CharsetName(int charset) {
    for (const auto& c : kCharsets)
        if (c.value == charset)
            return QString::fromLatin1(c.name);
    if (charset == 255)
        return QStringLiteral("OEM_CHARSET");
    return {};
}

std::optional<int> CharsetFromName(const QString& name) {
    for (const auto& c : kCharsets)
        if (name.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
            return c.value;
    if (name.compare(QLatin1String("OEM_CHARSET"), Qt::CaseInsensitive) == 0)
        return 255;
    return std::nullopt;
}
