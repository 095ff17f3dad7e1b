#include "richtext/RtfReader.h"

#include "richtext/RtfCodePages.h"
#include "richtext/RtfLexer.h"
#include "richtext/RtfLimits.h"
#include "richtext/RtfUnits.h"

#include <QColor>
#include <QSet>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <map>
#include <vector>

namespace {

struct TCharState {
    int Font = -1; // -1: the document's default font
    int HalfPoints = 24;
    bool Bold = false, Italic = false, Underline = false, Strike = false;
    int Color = 0, Highlight = 0; // colour table indices; 0 = automatic
    int Vertical = 0;             // 1 superscript, -1 subscript
};

struct TParaState {
    Qt::Alignment Align = Qt::AlignLeft;
    int Left = 0, Right = 0, First = 0, Before = 0, After = 0; // twips
};

enum class TDest { Text, Skip, FontTable, ColorTable };

struct TGroup {
    TCharState Char;
    TParaState Para;
    TDest Dest = TDest::Text;
    int Uc = 1; // bytes that stand in for each \u character
};

struct TFontEntry {
    QString Name;
    int CodePage = 0; // 0: the document's
};

// Destinations whose content is not part of the visible text.
const QSet<QByteArray>& skippedDestinations() {
    static const QSet<QByteArray> names = {
        "aftncn",
        "aftnsep",
        "aftnsepc",
        "annotation",
        "atnauthor",
        "atnid",
        "author",
        "bkmkend",
        "bkmkstart",
        "buptim",
        "category",
        "colorschememapping",
        "comment",
        "company",
        "creatim",
        "datastore",
        "doccomm",
        "filetbl",
        "fldinst",
        "footer",
        "footerf",
        "footerl",
        "footerr",
        "footnote",
        "ftncn",
        "ftnsep",
        "ftnsepc",
        "generator",
        "header",
        "headerf",
        "headerl",
        "headerr",
        "hlinkbase",
        "info",
        "keywords",
        "latentstyles",
        "listoverridetable",
        "listtable",
        "manager",
        "nonshppict",
        "object",
        "objdata",
        "operator",
        "pgdsctbl",
        "pict",
        "printim",
        "revtbl",
        "revtim",
        "rsidtbl",
        "rxe",
        "stylesheet",
        "subject",
        "tc",
        "template",
        "themedata",
        "title",
        "txe",
        "userprops",
        "xe",
        "xmlnstbl",
    };
    return names;
}

QChar namedCharacter(QByteArrayView word) {
    static const std::map<QByteArray, char16_t> chars = {
        {"bullet", 0x2022},    {"emdash", 0x2014},    {"endash", 0x2013}, {"emspace", 0x2003},
        {"enspace", 0x2002},   {"qmspace", 0x2005},   {"lquote", 0x2018}, {"rquote", 0x2019},
        {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"tab", u'\t'},     {"line", 0x2028},
        {"cell", u'\t'},
    };
    const auto it = chars.find(word.toByteArray());
    return it == chars.end() ? QChar() : QChar(it->second);
}

// Characters that would break the document's structure or mean nothing on a card.
bool isUnwanted(char16_t c) {
    return (c < 0x20 && c != u'\t') || c == 0x2029 || c == 0xFDD0 || c == 0xFDD1 || c == 0xFFFC ||
           c == 0xFEFF;
}

int clampTwips(int v) {
    return qBound(-RtfLimit::MaxTwips, v, RtfLimit::MaxTwips);
}

class TRtfReader {
public:
    TRtfReader(QByteArrayView rtf, QTextDocument& document)
        : FLexer(rtf.data(), qMin(rtf.size(), RtfLimit::MaxBytes)), FCursor(&document) {
        FResult.Complete = rtf.size() <= RtfLimit::MaxBytes;
    }

    TRtfReadResult Read();

private:
    TGroup& State() { return FGroups.back(); }
    void OpenGroup();
    void CloseGroup();
    void ControlWord(const TRtfToken& t);
    void ControlSymbol(char symbol);
    void TextBytes(QByteArrayView bytes);
    void Character(QChar c);
    void FontTableWord(QByteArrayView word, bool hasParam, int param);
    void FontNameBytes();
    int FontCodePage() const;
    void FontTableText(QByteArrayView bytes);
    void ColorTableWord(QByteArrayView word, int param);
    void ColorTableText(QByteArrayView bytes);
    bool CharacterWord(QByteArrayView word, bool hasParam, int param);
    bool ParagraphWord(QByteArrayView word, int param);
    void EndParagraph();
    void StartText();
    void FlushBytes();
    void FlushText();
    int CurrentCodePage() const;
    QTextCharFormat CharFormat(const TCharState& s) const;
    QTextBlockFormat BlockFormat(const TParaState& s) const;
    QColor TableColor(int index) const;

    TRtfLexer FLexer;
    QTextCursor FCursor;
    TRtfReadResult FResult;
    std::vector<TGroup> FGroups;
    int FOverflow = 0;       // groups opened beyond the depth limit, skipped whole
    int FSkipBytes = 0;      // stand-in bytes still to drop after a \u character
    bool FIgnorable = false; // \* seen: the group's destination is skipped
    int FDocCodePage = 1252;
    int FDefaultFont = 0;
    std::map<int, TFontEntry> FFonts;
    int FTableFont = 0;
    QByteArray FFontName;  // bytes of the entry's name not yet decoded
    QString FFontNameText; // the name decoded so far
    int FFontCharset = -1;
    std::vector<QColor> FColors; // invalid = automatic
    int FRed = -1, FGreen = -1, FBlue = -1;
    QByteArray FBytes;          // text bytes not yet decoded
    QString FText;              // decoded text not yet inserted, in the current character format
    bool FPendingBlock = false; // a \par ended the last block; the next text starts one
    TRtfCodePages FCodePages;
};

TRtfReadResult TRtfReader::Read() {
    FGroups.emplace_back();
    FCursor.beginEditBlock();
    for (TRtfToken t = FLexer.Next(); t.Kind != TRtfTokenKind::End; t = FLexer.Next()) {
        if (t.Kind == TRtfTokenKind::GroupOpen) {
            OpenGroup();
            continue;
        }
        if (t.Kind == TRtfTokenKind::GroupClose) {
            // The document's own group ends the document; what follows is not RTF. Its
            // state stays for the last paragraph.
            if (FGroups.size() == 2 && FOverflow == 0)
                break;
            CloseGroup();
            continue;
        }
        if (FOverflow > 0 || State().Dest == TDest::Skip)
            continue;
        if (FSkipBytes > 0 && t.Kind != TRtfTokenKind::Text) {
            --FSkipBytes;
            continue;
        }
        switch (t.Kind) {
        case TRtfTokenKind::ControlWord:
            ControlWord(t);
            break;
        case TRtfTokenKind::ControlSymbol:
            ControlSymbol(t.Symbol);
            break;
        case TRtfTokenKind::HexByte:
            TextBytes(QByteArrayView(&t.Byte, 1));
            break;
        case TRtfTokenKind::Text:
            TextBytes(t.Text);
            break;
        default:
            break;
        }
    }
    FlushBytes();
    FlushText();
    if (!FPendingBlock) {
        FCursor.setBlockFormat(BlockFormat(State().Para));
        FCursor.setBlockCharFormat(CharFormat(State().Char));
    }
    FCursor.endEditBlock();
    return FResult;
}

void TRtfReader::OpenGroup() {
    FlushBytes();
    FlushText();
    FSkipBytes = 0;
    FIgnorable = false;
    if (FOverflow > 0 || int(FGroups.size()) > RtfLimit::MaxGroupDepth) {
        ++FOverflow;
        FResult.Complete = false;
        return;
    }
    FGroups.push_back(FGroups.back());
}

void TRtfReader::CloseGroup() {
    FSkipBytes = 0;
    FIgnorable = false;
    if (FOverflow > 0) {
        --FOverflow;
        return;
    }
    if (FGroups.size() <= 1)
        return;
    FlushBytes();
    const TDest dest = State().Dest;
    if (dest == TDest::FontTable && !(FFontName.isEmpty() && FFontNameText.isEmpty()))
        FontTableText(";"); // an entry whose semicolon is missing
    if (dest == TDest::Text)
        FlushText();
    FGroups.pop_back();
}

void TRtfReader::ControlWord(const TRtfToken& t) {
    const QByteArrayView w = t.Word;
    TGroup& g = State();
    if (FIgnorable || skippedDestinations().contains(w.toByteArray())) {
        FlushBytes();
        FlushText();
        g.Dest = TDest::Skip;
        return;
    }
    if (w == "fonttbl" || w == "colortbl") {
        FlushBytes();
        FlushText();
        g.Dest = w == "fonttbl" ? TDest::FontTable : TDest::ColorTable;
        return;
    }
    if (g.Dest == TDest::FontTable) {
        FontTableWord(w, t.HasParam, t.Param);
        return;
    }
    if (g.Dest == TDest::ColorTable) {
        ColorTableWord(w, t.Param);
        return;
    }
    if (w == "u" && t.HasParam) {
        FlushBytes();
        Character(QChar(char16_t(t.Param < 0 ? t.Param + 65536 : t.Param)));
        FSkipBytes = g.Uc;
        return;
    }
    if (w == "uc") {
        g.Uc = qBound(0, t.Param, 10);
        return;
    }
    if (w == "ansicpg") {
        FDocCodePage = t.Param;
        return;
    }
    if (w == "deff") {
        FDefaultFont = t.Param;
        return;
    }
    const QChar named = namedCharacter(w);
    if (!named.isNull()) {
        FlushBytes();
        Character(named);
        return;
    }
    FlushBytes();
    if (w == "par" || w == "row" || w == "page" || w == "sect") {
        EndParagraph();
        return;
    }
    // Everything below changes the format of the text that follows.
    FlushText();
    if (!CharacterWord(w, t.HasParam, t.Param))
        ParagraphWord(w, t.Param);
}

bool TRtfReader::CharacterWord(QByteArrayView w, bool hasParam, int param) {
    TCharState& c = State().Char;
    const bool on = !hasParam || param != 0;
    if (w == "plain")
        c = TCharState();
    else if (w == "b")
        c.Bold = on;
    else if (w == "i")
        c.Italic = on;
    else if (w == "ul" || w == "uld" || w == "uldb" || w == "ulw" || w == "ulth" || w == "uldash")
        c.Underline = on;
    else if (w == "ulnone")
        c.Underline = false;
    else if (w == "strike")
        c.Strike = on;
    else if (w == "fs")
        c.HalfPoints =
            qBound(RtfLimit::MinHalfPoints, hasParam ? param : 24, RtfLimit::MaxHalfPoints);
    else if (w == "f")
        c.Font = param;
    else if (w == "cf")
        c.Color = param;
    else if (w == "highlight" || w == "cb")
        c.Highlight = param;
    else if (w == "super")
        c.Vertical = 1;
    else if (w == "sub")
        c.Vertical = -1;
    else if (w == "nosupersub")
        c.Vertical = 0;
    else
        return false;
    return true;
}

bool TRtfReader::ParagraphWord(QByteArrayView w, int param) {
    TParaState& p = State().Para;
    if (w == "pard")
        p = TParaState();
    else if (w == "ql")
        p.Align = Qt::AlignLeft;
    else if (w == "qr")
        p.Align = Qt::AlignRight;
    else if (w == "qc")
        p.Align = Qt::AlignHCenter;
    else if (w == "qj")
        p.Align = Qt::AlignJustify;
    else if (w == "li")
        p.Left = clampTwips(param);
    else if (w == "ri")
        p.Right = clampTwips(param);
    else if (w == "fi")
        p.First = clampTwips(param);
    else if (w == "sb")
        p.Before = clampTwips(param);
    else if (w == "sa")
        p.After = clampTwips(param);
    else
        return false;
    return true;
}

void TRtfReader::ControlSymbol(char symbol) {
    switch (symbol) {
    case '*':
        FIgnorable = true;
        return;
    case '\\':
    case '{':
    case '}':
        TextBytes(QByteArrayView(&symbol, 1));
        return;
    case '~':
        FlushBytes();
        Character(QChar(0x00A0));
        return;
    case '-':
        FlushBytes();
        Character(QChar(0x00AD));
        return;
    case '_':
        FlushBytes();
        Character(QChar(0x2011));
        return;
    case '\n':
        FlushBytes();
        EndParagraph();
        return;
    default:
        return;
    }
}

void TRtfReader::TextBytes(QByteArrayView bytes) {
    if (FSkipBytes > 0) {
        const qsizetype drop = qMin<qsizetype>(FSkipBytes, bytes.size());
        FSkipBytes -= int(drop);
        bytes = bytes.sliced(drop);
    }
    if (bytes.isEmpty())
        return;
    switch (State().Dest) {
    case TDest::Text:
        FBytes.append(bytes);
        break;
    case TDest::FontTable:
        FontTableText(bytes);
        break;
    case TDest::ColorTable:
        ColorTableText(bytes);
        break;
    case TDest::Skip:
        break;
    }
}

void TRtfReader::Character(QChar c) {
    if (State().Dest == TDest::Text)
        FText.append(c);
}

void TRtfReader::FontTableWord(QByteArrayView w, bool hasParam, int param) {
    if (w == "f") {
        FTableFont = param;
        FFontName.clear();
        FFontNameText.clear();
        FFontCharset = -1;
    } else if (w == "fcharset") {
        FFontCharset = param;
    } else if (w == "u" && hasParam) {
        FontNameBytes();
        if (FFontNameText.size() < RtfLimit::MaxFontNameChars)
            FFontNameText += QChar(char16_t(param < 0 ? param + 65536 : param));
        FSkipBytes = State().Uc;
    }
}

int TRtfReader::FontCodePage() const {
    return FFontCharset >= 0 ? TRtfCodePages::OfCharset(FFontCharset) : 0;
}

void TRtfReader::FontNameBytes() {
    const int codePage = FontCodePage();
    FFontNameText += FCodePages.Decode(codePage ? codePage : FDocCodePage, FFontName);
    FFontName.clear();
}

void TRtfReader::FontTableText(QByteArrayView bytes) {
    for (const char b : bytes) {
        if (b != ';') {
            if (FFontName.size() + FFontNameText.size() < RtfLimit::MaxFontNameChars)
                FFontName.append(b);
            continue;
        }
        FontNameBytes();
        if (int(FFonts.size()) < RtfLimit::MaxTableEntries || FFonts.count(FTableFont)) {
            TFontEntry& e = FFonts[FTableFont];
            e.CodePage = FontCodePage();
            e.Name = FFontNameText.trimmed();
        }
        FFontNameText.clear();
    }
}

void TRtfReader::ColorTableWord(QByteArrayView w, int param) {
    const int v = qBound(0, param, 255);
    if (w == "red")
        FRed = v;
    else if (w == "green")
        FGreen = v;
    else if (w == "blue")
        FBlue = v;
}

void TRtfReader::ColorTableText(QByteArrayView bytes) {
    for (const char b : bytes) {
        if (b != ';' || int(FColors.size()) >= RtfLimit::MaxTableEntries)
            continue;
        const bool automatic = FRed < 0 && FGreen < 0 && FBlue < 0;
        FColors.push_back(automatic ? QColor()
                                    : QColor(qMax(FRed, 0), qMax(FGreen, 0), qMax(FBlue, 0)));
        FRed = FGreen = FBlue = -1;
    }
}

int TRtfReader::CurrentCodePage() const {
    const int font = FGroups.back().Char.Font;
    const auto it = FFonts.find(font < 0 ? FDefaultFont : font);
    return it != FFonts.end() && it->second.CodePage ? it->second.CodePage : FDocCodePage;
}

void TRtfReader::FlushBytes() {
    if (FBytes.isEmpty())
        return;
    FText += FCodePages.Decode(CurrentCodePage(), FBytes);
    FBytes.clear();
}

void TRtfReader::StartText() {
    if (FPendingBlock) {
        FCursor.insertBlock();
        FPendingBlock = false;
    }
}

void TRtfReader::FlushText() {
    if (FText.isEmpty())
        return;
    QString text;
    text.reserve(FText.size());
    for (qsizetype i = 0; i < FText.size(); ++i) {
        const QChar c = FText.at(i);
        if (c.isHighSurrogate() && i + 1 < FText.size() && FText.at(i + 1).isLowSurrogate()) {
            text.append(c).append(FText.at(++i));
        } else if (c.isSurrogate()) {
            text.append(QChar::ReplacementCharacter);
        } else if (!isUnwanted(c.unicode())) {
            text.append(c);
        }
    }
    FText.clear();
    if (text.isEmpty())
        return;
    StartText();
    FCursor.insertText(text, CharFormat(State().Char));
}

void TRtfReader::EndParagraph() {
    FlushText();
    StartText();
    FCursor.setBlockFormat(BlockFormat(State().Para));
    FCursor.setBlockCharFormat(CharFormat(State().Char));
    FPendingBlock = true;
}

QColor TRtfReader::TableColor(int index) const {
    return index > 0 && index < int(FColors.size()) ? FColors[size_t(index)] : QColor();
}

QTextCharFormat TRtfReader::CharFormat(const TCharState& s) const {
    QTextCharFormat f;
    const auto font = FFonts.find(s.Font < 0 ? FDefaultFont : s.Font);
    const QString name = font != FFonts.end() && !font->second.Name.isEmpty()
                             ? font->second.Name
                             : QString::fromLatin1(RtfDefaultFontName);
    f.setFontFamilies(QStringList{name});
    f.setFontPointSize(s.HalfPoints / 2.0);
    if (s.Bold)
        f.setFontWeight(QFont::Bold);
    if (s.Italic)
        f.setFontItalic(true);
    if (s.Underline)
        f.setFontUnderline(true);
    if (s.Strike)
        f.setFontStrikeOut(true);
    if (const QColor c = TableColor(s.Color); c.isValid())
        f.setForeground(c);
    if (const QColor c = TableColor(s.Highlight); c.isValid())
        f.setBackground(c);
    if (s.Vertical)
        f.setVerticalAlignment(s.Vertical > 0 ? QTextCharFormat::AlignSuperScript
                                              : QTextCharFormat::AlignSubScript);
    return f;
}

QTextBlockFormat TRtfReader::BlockFormat(const TParaState& s) const {
    QTextBlockFormat f;
    f.setAlignment(s.Align);
    f.setLeftMargin(s.Left / TwipsPerPixel);
    f.setRightMargin(s.Right / TwipsPerPixel);
    f.setTextIndent(s.First / TwipsPerPixel);
    f.setTopMargin(s.Before / TwipsPerPixel);
    f.setBottomMargin(s.After / TwipsPerPixel);
    return f;
}

} // namespace

TRtfReadResult ReadRtf(QByteArrayView rtf, QTextDocument& document) {
    document.clear();
    return TRtfReader(rtf, document).Read();
}
