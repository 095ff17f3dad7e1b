#include "richtext/RtfTextDocument.h"

#include "richtext/CharFormatFont.h"
#include "richtext/RtfLimits.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfUnits.h"
#include "richtext/RtfWriter.h"

#include <QColor>
#include <QHash>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <cmath>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

namespace {

// The block format of the paragraph before, kept: paragraphs mostly follow others like them,
// and making a format costs several allocations.
class TBlockFormats {
public:
    const QTextBlockFormat& Of(const TRtfParagraph& p);

private:
    using TKey = std::tuple<TRtfAlign, int, int, int, int, int>;
    static TKey Key(const TRtfParagraph& p) {
        return {p.Align, p.Left, p.Right, p.First, p.Before, p.After};
    }

    std::optional<TKey> FKey;
    QTextBlockFormat FFormat;
};

const QTextBlockFormat& TBlockFormats::Of(const TRtfParagraph& p) {
    if (FKey == Key(p))
        return FFormat;
    static constexpr Qt::Alignment aligns[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter,
                                               Qt::AlignJustify};
    FFormat = QTextBlockFormat();
    FFormat.setAlignment(aligns[int(p.Align)]);
    FFormat.setLeftMargin(p.Left / TwipsPerPixel);
    FFormat.setRightMargin(p.Right / TwipsPerPixel);
    FFormat.setTextIndent(p.First / TwipsPerPixel);
    FFormat.setTopMargin(p.Before / TwipsPerPixel);
    FFormat.setBottomMargin(p.After / TwipsPerPixel);
    FKey = Key(p);
    return FFormat;
}

// Formats made for runs, kept for the document: one switches between a few, and making a
// format costs several allocations.
class TCharFormats {
public:
    const QTextCharFormat& Of(const TRtfCharFormat& rtf);

private:
    static constexpr size_t kKept = 16;
    std::vector<std::pair<TRtfCharFormat, QTextCharFormat>> FMade;
};

const QTextCharFormat& TCharFormats::Of(const TRtfCharFormat& rtf) {
    for (const auto& [made, format] : FMade)
        if (made == rtf)
            return format;
    QTextCharFormat f;
    f.setFontFamilies(QStringList{rtf.Family});
    f.setFontPointSize(rtf.HalfPoints / 2.0);
    if (rtf.Bold)
        f.setFontWeight(QFont::Bold);
    if (rtf.Italic)
        f.setFontItalic(true);
    if (rtf.Underline)
        f.setFontUnderline(true);
    if (rtf.Strike)
        f.setFontStrikeOut(true);
    if (rtf.Fore)
        f.setForeground(QColor(*rtf.Fore));
    if (rtf.Back)
        f.setBackground(QColor(*rtf.Back));
    if (rtf.Vertical)
        f.setVerticalAlignment(rtf.Vertical > 0 ? QTextCharFormat::AlignSuperScript
                                                : QTextCharFormat::AlignSubScript);
    if (FMade.size() >= kKept)
        FMade.clear();
    FMade.emplace_back(rtf, f);
    return FMade.back().second;
}

TRtfAlign alignOf(const QTextBlockFormat& f) {
    const Qt::Alignment a = f.alignment() & Qt::AlignHorizontal_Mask;
    if (a & Qt::AlignJustify)
        return TRtfAlign::Justify;
    if (a & Qt::AlignHCenter)
        return TRtfAlign::Center;
    if (a & Qt::AlignRight)
        return TRtfAlign::Right;
    return TRtfAlign::Left;
}

// A NaN, which no comparison passes, takes the lower bound.
int roundedWithin(double v, int low, int high) {
    return v >= low ? (v <= high ? int(std::lround(v)) : high) : low;
}

int twips(double pixels) {
    return roundedWithin(pixels * TwipsPerPixel, -RtfLimit::MaxTwips, RtfLimit::MaxTwips);
}

std::optional<QRgb> brushColor(const QTextCharFormat& f, QTextFormat::Property brush) {
    if (!f.hasProperty(brush))
        return std::nullopt;
    return f.brushProperty(brush).color().rgb() & 0xFFFFFF;
}

TRtfCharFormat charFormatOf(const QTextCharFormat& f, const QFont& documentFont) {
    TRtfCharFormat rtf;
    rtf.Family = FormatFamily(f, documentFont);
    rtf.HalfPoints = roundedWithin(FormatPoints(f, documentFont) * 2, RtfLimit::MinHalfPoints,
                                   RtfLimit::MaxHalfPoints);
    rtf.Bold = f.fontWeight() >= QFont::DemiBold;
    rtf.Italic = f.fontItalic();
    rtf.Underline = f.fontUnderline();
    rtf.Strike = f.fontStrikeOut();
    rtf.Fore = brushColor(f, QTextFormat::ForegroundBrush);
    rtf.Back = brushColor(f, QTextFormat::BackgroundBrush);
    const auto vertical = f.verticalAlignment();
    rtf.Vertical = vertical == QTextCharFormat::AlignSuperScript ? 1
                   : vertical == QTextCharFormat::AlignSubScript ? -1
                                                                 : 0;
    return rtf;
}

} // namespace

void BuildTextDocument(const TRtfDocument& rtf, QTextDocument& document) {
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    TBlockFormats blocks;
    TCharFormats formats;
    bool first = true;
    for (const TRtfParagraph& p : rtf.Paragraphs) {
        if (first) {
            cursor.setBlockFormat(blocks.Of(p));
            cursor.setBlockCharFormat(formats.Of(p.Mark));
            first = false;
        } else {
            cursor.insertBlock(blocks.Of(p), formats.Of(p.Mark));
        }
        for (const TRtfRun& run : p.Runs)
            cursor.insertText(run.Text, formats.Of(run.Format));
    }
    cursor.endEditBlock();
    document.setUndoRedoEnabled(undo);
}

TRtfDocument RtfDocumentOf(const QTextDocument& document) {
    const QFont documentFont = document.defaultFont();
    // Fragments share a few formats, each made once.
    QHash<int, TRtfCharFormat> formats;
    auto formatOf = [&](int index, const QTextCharFormat& f) -> const TRtfCharFormat& {
        auto it = formats.constFind(index);
        if (it == formats.constEnd())
            it = formats.insert(index, charFormatOf(f, documentFont));
        return *it;
    };
    TRtfDocument rtf;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
        const QTextBlockFormat bf = b.blockFormat();
        TRtfParagraph& p = rtf.Paragraphs.emplace_back();
        p.Align = alignOf(bf);
        p.Left = twips(bf.leftMargin());
        p.Right = twips(bf.rightMargin());
        p.First = twips(bf.textIndent());
        p.Before = twips(bf.topMargin());
        p.After = twips(bf.bottomMargin());
        p.Mark = formatOf(b.charFormatIndex(), b.charFormat());
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const TRtfCharFormat& f = formatOf(fragment.charFormatIndex(), fragment.charFormat());
            if (!p.Runs.empty() && p.Runs.back().Format == f)
                p.Runs.back().Text += fragment.text();
            else
                p.Runs.push_back({f, fragment.text()});
        }
    }
    return rtf;
}

TRtfReadResult ReadRtf(QByteArrayView rtf, QTextDocument& document) {
    TRtfDocument read;
    const TRtfReadResult result = ReadRtf(rtf, read);
    BuildTextDocument(read, document);
    return result;
}

QByteArray WriteRtf(const QTextDocument& document) {
    return WriteRtf(RtfDocumentOf(document));
}
