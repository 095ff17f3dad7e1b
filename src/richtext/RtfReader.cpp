#include "richtext/RtfReader.h"

#include "richtext/RtfCodePages.h"
#include "richtext/RtfControlWords.h"
#include "richtext/RtfLexer.h"
#include "richtext/RtfLimits.h"
#include "richtext/RtfUnits.h"

#include <QColor>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace {

struct TCharState {
    int Font = -1; // -1: the document's default font
    int HalfPoints = 24;
    bool Bold = false, Italic = false, Underline = false, Strike = false;
    int Color = 0, Highlight = 0; // colour table indices; 0 = automatic
    int Vertical = 0;             // 1 superscript, -1 subscript

    bool operator==(const TCharState&) const = default;
};

struct TParaState {
    Qt::Alignment Align = Qt::AlignLeft;
    int Left = 0, Right = 0, First = 0, Before = 0, After = 0; // twips

    bool operator==(const TParaState&) const = default;
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

// Characters that would break the document's structure or mean nothing on a card.
bool isUnwanted(char16_t c) {
    return (c < 0x20 && c != u'\t') || c == 0x2029 || c == 0xFDD0 || c == 0xFDD1 || c == 0xFFFC ||
           c == 0xFEFF;
}

constexpr size_t kKeptCharFormats = 16;

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
    void FontTableWord(TRtfWord word, bool hasParam, int param);
    void FontNameBytes();
    int FontCodePage() const;
    void FontTableText(QByteArrayView bytes);
    void ColorTableWord(TRtfWord word, int param);
    void ColorTableText(QByteArrayView bytes);
    void FormatWord(TRtfWord word, bool hasParam, int param);
    void EndParagraph();
    void StartText();
    // Gives the current block the formats of the current state, where it has others.
    void SetBlockFormats();
    // The font or colour table or the default font changed: a state's character format is
    // to be made anew.
    void FormatsChanged();
    void FlushBytes();
    // Readies FText for text in the current character format: text pending in another
    // format goes into the document first.
    void TextInCurrentFormat();
    void FlushText();
    int CurrentCodePage() const;
    // The format of text in that state; valid until the next call.
    const QTextCharFormat& CharFormat(const TCharState& s);
    const QTextBlockFormat& BlockFormat(const TParaState& s);
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
    QString FText;              // decoded text not yet inserted
    TCharState FTextState;      // the character state FText is in
    bool FPendingBlock = false; // a \par ended the last block; the next text starts one
    TRtfCodePages FCodePages;
    // Formats made for states, kept until the tables change; a document switches between
    // a few states, and making a format costs several allocations.
    std::vector<std::pair<TCharState, QTextCharFormat>> FCharFormats;
    std::optional<std::pair<TParaState, QTextBlockFormat>> FLastBlockFormat;
    // The states whose formats the current block has; empty when not known.
    std::optional<TParaState> FBlockPara;
    std::optional<TCharState> FBlockChar;
};

TRtfReadResult TRtfReader::Read() {
    FGroups.reserve(RtfLimit::MaxGroupDepth + 2);
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
    if (!FPendingBlock)
        SetBlockFormats();
    FCursor.endEditBlock();
    return FResult;
}

void TRtfReader::OpenGroup() {
    FlushBytes();
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
    FGroups.pop_back();
}

void TRtfReader::ControlWord(const TRtfToken& t) {
    const TRtfWordInfo word = LookUpRtfWord(t.Word);
    TGroup& g = State();
    if (FIgnorable || word.Kind == TRtfWord::SkippedDestination ||
        word.Kind == TRtfWord::FontTable || word.Kind == TRtfWord::ColorTable) {
        FlushBytes();
        FlushText();
        g.Dest = word.Kind == TRtfWord::FontTable    ? TDest::FontTable
                 : word.Kind == TRtfWord::ColorTable ? TDest::ColorTable
                                                     : TDest::Skip;
        return;
    }
    if (g.Dest == TDest::FontTable) {
        FontTableWord(word.Kind, t.HasParam, t.Param);
        return;
    }
    if (g.Dest == TDest::ColorTable) {
        ColorTableWord(word.Kind, t.Param);
        return;
    }
    switch (word.Kind) {
    case TRtfWord::Unknown:
        return;
    case TRtfWord::Unicode:
        if (!t.HasParam)
            return;
        FlushBytes();
        Character(QChar(char16_t(t.Param < 0 ? t.Param + 65536 : t.Param)));
        FSkipBytes = g.Uc;
        return;
    case TRtfWord::UnicodeSkip:
        g.Uc = qBound(0, t.Param, 10);
        return;
    case TRtfWord::CodePage:
        FDocCodePage = t.Param;
        return;
    case TRtfWord::DefaultFont:
        FlushBytes();
        FlushText(); // the default font changes the format of text already read
        FDefaultFont = t.Param;
        FormatsChanged();
        return;
    case TRtfWord::Character:
        FlushBytes();
        Character(QChar(word.Character));
        return;
    case TRtfWord::Paragraph:
        FlushBytes();
        EndParagraph();
        return;
    default:
        // Everything else changes the format of the text that follows.
        FlushBytes();
        FormatWord(word.Kind, t.HasParam, t.Param);
        return;
    }
}

void TRtfReader::FormatWord(TRtfWord word, bool hasParam, int param) {
    TCharState& c = State().Char;
    TParaState& p = State().Para;
    const bool on = !hasParam || param != 0;
    switch (word) {
    case TRtfWord::Plain:
        c = TCharState();
        break;
    case TRtfWord::Bold:
        c.Bold = on;
        break;
    case TRtfWord::Italic:
        c.Italic = on;
        break;
    case TRtfWord::Underline:
        c.Underline = on;
        break;
    case TRtfWord::UnderlineNone:
        c.Underline = false;
        break;
    case TRtfWord::Strike:
        c.Strike = on;
        break;
    case TRtfWord::FontSize:
        c.HalfPoints =
            qBound(RtfLimit::MinHalfPoints, hasParam ? param : 24, RtfLimit::MaxHalfPoints);
        break;
    case TRtfWord::Font:
        c.Font = param;
        break;
    case TRtfWord::ForeColor:
        c.Color = param;
        break;
    case TRtfWord::BackColor:
        c.Highlight = param;
        break;
    case TRtfWord::Super:
        c.Vertical = 1;
        break;
    case TRtfWord::Sub:
        c.Vertical = -1;
        break;
    case TRtfWord::NoSuperSub:
        c.Vertical = 0;
        break;
    case TRtfWord::ParagraphDefaults:
        p = TParaState();
        break;
    case TRtfWord::AlignLeft:
        p.Align = Qt::AlignLeft;
        break;
    case TRtfWord::AlignRight:
        p.Align = Qt::AlignRight;
        break;
    case TRtfWord::AlignCenter:
        p.Align = Qt::AlignHCenter;
        break;
    case TRtfWord::AlignJustify:
        p.Align = Qt::AlignJustify;
        break;
    case TRtfWord::LeftIndent:
        p.Left = clampTwips(param);
        break;
    case TRtfWord::RightIndent:
        p.Right = clampTwips(param);
        break;
    case TRtfWord::FirstIndent:
        p.First = clampTwips(param);
        break;
    case TRtfWord::SpaceBefore:
        p.Before = clampTwips(param);
        break;
    case TRtfWord::SpaceAfter:
        p.After = clampTwips(param);
        break;
    default:
        break;
    }
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
    if (State().Dest == TDest::Text) {
        TextInCurrentFormat();
        FText += c;
    }
}

void TRtfReader::FontTableWord(TRtfWord w, bool hasParam, int param) {
    if (w == TRtfWord::Font) {
        FTableFont = param;
        FFontName.clear();
        FFontNameText.clear();
        FFontCharset = -1;
    } else if (w == TRtfWord::Charset) {
        FFontCharset = param;
    } else if (w == TRtfWord::Unicode && hasParam) {
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
    FCodePages.Append(codePage ? codePage : FDocCodePage, FFontName, FFontNameText);
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
            // A name holds no control characters, nor the semicolon that ends an entry
            // (a \u59 could give one), which no written font table could hold.
            FFontNameText.removeIf([](QChar c) { return c.unicode() < 0x20 || c == u';'; });
            e.Name = FFontNameText.trimmed();
            FormatsChanged();
        }
        FFontNameText.clear();
    }
}

void TRtfReader::ColorTableWord(TRtfWord w, int param) {
    const int v = qBound(0, param, 255);
    if (w == TRtfWord::Red)
        FRed = v;
    else if (w == TRtfWord::Green)
        FGreen = v;
    else if (w == TRtfWord::Blue)
        FBlue = v;
}

void TRtfReader::ColorTableText(QByteArrayView bytes) {
    for (const char b : bytes) {
        if (b != ';' || int(FColors.size()) >= RtfLimit::MaxTableEntries)
            continue;
        const bool automatic = FRed < 0 && FGreen < 0 && FBlue < 0;
        FColors.push_back(automatic ? QColor()
                                    : QColor(qMax(FRed, 0), qMax(FGreen, 0), qMax(FBlue, 0)));
        FormatsChanged();
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
    TextInCurrentFormat();
    FCodePages.Append(CurrentCodePage(), FBytes, FText);
    FBytes.resize(0); // keeps its room for the next run
}

void TRtfReader::TextInCurrentFormat() {
    // Runs in one format go into the document as one insertion, however many groups and
    // format words lie between them.
    if (!FText.isEmpty() && !(FTextState == State().Char))
        FlushText();
    if (FText.isEmpty())
        FTextState = State().Char;
}

void TRtfReader::StartText() {
    if (!FPendingBlock)
        return;
    // The new block starts in the formats in force; its paragraph mark sets them again
    // only where they have changed by then.
    FCursor.insertBlock(BlockFormat(State().Para), CharFormat(State().Char));
    FBlockPara = State().Para;
    FBlockChar = State().Char;
    FPendingBlock = false;
}

void TRtfReader::SetBlockFormats() {
    if (FBlockPara != State().Para) {
        FCursor.setBlockFormat(BlockFormat(State().Para));
        FBlockPara = State().Para;
    }
    if (FBlockChar != State().Char) {
        FCursor.setBlockCharFormat(CharFormat(State().Char));
        FBlockChar = State().Char;
    }
}

void TRtfReader::FormatsChanged() {
    FCharFormats.clear();
    FBlockChar.reset();
}

void TRtfReader::FlushText() {
    if (FText.isEmpty())
        return;
    // Surrogates stay only in pairs and unwanted characters go, filtered in place.
    QChar* t = FText.data();
    const qsizetype size = FText.size();
    qsizetype kept = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = t[i];
        if (c.isHighSurrogate() && i + 1 < size && t[i + 1].isLowSurrogate()) {
            t[kept++] = c;
            t[kept++] = t[++i];
        } else if (c.isSurrogate()) {
            t[kept++] = QChar::ReplacementCharacter;
        } else if (!isUnwanted(c.unicode())) {
            t[kept++] = c;
        }
    }
    FText.resize(kept);
    if (!FText.isEmpty()) {
        StartText();
        FCursor.insertText(FText, CharFormat(FTextState));
    }
    FText.resize(0); // keeps its room for the next run
}

void TRtfReader::EndParagraph() {
    FlushText();
    StartText();
    SetBlockFormats();
    FPendingBlock = true;
}

QColor TRtfReader::TableColor(int index) const {
    return index > 0 && index < int(FColors.size()) ? FColors[size_t(index)] : QColor();
}

const QTextCharFormat& TRtfReader::CharFormat(const TCharState& s) {
    for (const auto& [state, format] : FCharFormats)
        if (state == s)
            return format;
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
    if (FCharFormats.size() >= kKeptCharFormats)
        FCharFormats.clear();
    FCharFormats.emplace_back(s, f);
    return FCharFormats.back().second;
}

const QTextBlockFormat& TRtfReader::BlockFormat(const TParaState& s) {
    if (FLastBlockFormat && FLastBlockFormat->first == s)
        return FLastBlockFormat->second;
    QTextBlockFormat f;
    f.setAlignment(s.Align);
    f.setLeftMargin(s.Left / TwipsPerPixel);
    f.setRightMargin(s.Right / TwipsPerPixel);
    f.setTextIndent(s.First / TwipsPerPixel);
    f.setTopMargin(s.Before / TwipsPerPixel);
    f.setBottomMargin(s.After / TwipsPerPixel);
    FLastBlockFormat.emplace(s, f);
    return FLastBlockFormat->second;
}

} // namespace

TRtfReadResult ReadRtf(QByteArrayView rtf, QTextDocument& document) {
    document.clear();
    return TRtfReader(rtf, document).Read();
}
