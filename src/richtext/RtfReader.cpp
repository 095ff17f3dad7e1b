#include "richtext/RtfReader.h"

#include "richtext/RtfCodePages.h"
#include "richtext/RtfControlWords.h"
#include "richtext/RtfLexer.h"
#include "richtext/RtfLimits.h"
#include "richtext/RtfUnits.h"

#include <map>
#include <optional>
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
    TRtfAlign Align = TRtfAlign::Left;
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

int clampTwips(int v) {
    return qBound(-RtfLimit::MaxTwips, v, RtfLimit::MaxTwips);
}

class TRtfReader {
public:
    TRtfReader(QByteArrayView rtf, TRtfDocument& document)
        : FLexer(rtf.data(), qMin(rtf.size(), RtfLimit::MaxBytes)), FDocument(document) {
        FResult.Complete = rtf.size() <= RtfLimit::MaxBytes;
        FDocument.Paragraphs.assign(1, TRtfParagraph());
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
    // Gives the current paragraph the formats of the current state.
    void SetParagraphFormats();
    void FlushBytes();
    // Readies FText for text in the current character format: text pending in another
    // format goes into the document first.
    void TextInCurrentFormat();
    void FlushText();
    int CurrentCodePage() const;
    // The format of text in that state, with the tables as they stand.
    TRtfCharFormat CharFormat(const TCharState& s) const;
    std::optional<QRgb> TableColor(int index) const;

    TRtfLexer FLexer;
    TRtfDocument& FDocument;
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
    std::vector<std::optional<QRgb>> FColors; // none: automatic
    int FRed = -1, FGreen = -1, FBlue = -1;
    QByteArray FBytes;              // text bytes not yet decoded
    QString FText;                  // decoded text not yet in a run
    TCharState FTextState;          // the character state FText is in
    bool FPendingParagraph = false; // a \par ended the last one; the next text starts one
    TRtfCodePages FCodePages;
};

TRtfReadResult TRtfReader::Read() {
    FGroups.reserve(16);
    FGroups.emplace_back();
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
            TextBytes(t.Bytes);
            break;
        default:
            break;
        }
    }
    FlushBytes();
    FlushText();
    if (!FPendingParagraph)
        SetParagraphFormats();
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
    const TRtfWordInfo word = LookUpRtfWord(t.Bytes);
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
        p.Align = TRtfAlign::Left;
        break;
    case TRtfWord::AlignRight:
        p.Align = TRtfAlign::Right;
        break;
    case TRtfWord::AlignCenter:
        p.Align = TRtfAlign::Center;
        break;
    case TRtfWord::AlignJustify:
        p.Align = TRtfAlign::Justify;
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
    while (!bytes.isEmpty()) {
        const qsizetype semicolon = bytes.indexOf(';');
        const qsizetype length = semicolon < 0 ? bytes.size() : semicolon;
        const qsizetype room = RtfLimit::MaxFontNameChars - FFontName.size() - FFontNameText.size();
        FFontName.append(bytes.first(qBound<qsizetype>(0, room, length)));
        if (semicolon < 0)
            return;
        bytes = bytes.sliced(semicolon + 1);
        FontNameBytes();
        if (int(FFonts.size()) < RtfLimit::MaxTableEntries || FFonts.count(FTableFont)) {
            TFontEntry& e = FFonts[FTableFont];
            e.CodePage = FontCodePage();
            // A name holds no control characters, nor the semicolon that ends an entry
            // (a \u59 could give one), which no written font table could hold.
            FFontNameText.removeIf([](QChar c) { return c.unicode() < 0x20 || c == u';'; });
            e.Name = FFontNameText.trimmed();
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
        FColors.push_back(
            automatic
                ? std::nullopt
                : std::optional(qRgb(qMax(FRed, 0), qMax(FGreen, 0), qMax(FBlue, 0)) & 0xFFFFFF));
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
    if (!FPendingParagraph)
        return;
    FDocument.Paragraphs.emplace_back();
    FPendingParagraph = false;
}

void TRtfReader::SetParagraphFormats() {
    // A paragraph takes the formats in force at its paragraph mark.
    TRtfParagraph& p = FDocument.Paragraphs.back();
    const TParaState& s = State().Para;
    p.Align = s.Align;
    p.Left = s.Left;
    p.Right = s.Right;
    p.First = s.First;
    p.Before = s.Before;
    p.After = s.After;
    p.Mark = CharFormat(State().Char);
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
        if (char16_t(c.unicode() - 0x20) <= 0x2028 - 0x20) { // most text, wanted as it is
            t[kept++] = c;
        } else if (c.isHighSurrogate() && i + 1 < size && t[i + 1].isLowSurrogate()) {
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
        std::vector<TRtfRun>& runs = FDocument.Paragraphs.back().Runs;
        TRtfCharFormat format = CharFormat(FTextState);
        // States that differ in what the tables make the same format give one run.
        if (!runs.empty() && runs.back().Format == format) {
            runs.back().Text += FText;
        } else {
            // A copy of its own size: FText keeps its room for the next run.
            runs.push_back({std::move(format), QString(FText.constData(), FText.size())});
        }
    }
    FText.resize(0); // keeps its room for the next run
}

void TRtfReader::EndParagraph() {
    FlushText();
    StartText();
    SetParagraphFormats();
    FPendingParagraph = true;
}

std::optional<QRgb> TRtfReader::TableColor(int index) const {
    return index > 0 && index < int(FColors.size()) ? FColors[size_t(index)] : std::nullopt;
}

TRtfCharFormat TRtfReader::CharFormat(const TCharState& s) const {
    TRtfCharFormat f;
    const auto font = FFonts.find(s.Font < 0 ? FDefaultFont : s.Font);
    static const QString defaultFamily = QString::fromLatin1(RtfDefaultFontName);
    f.Family =
        font != FFonts.end() && !font->second.Name.isEmpty() ? font->second.Name : defaultFamily;
    f.HalfPoints = s.HalfPoints;
    f.Bold = s.Bold;
    f.Italic = s.Italic;
    f.Underline = s.Underline;
    f.Strike = s.Strike;
    f.Fore = TableColor(s.Color);
    f.Back = TableColor(s.Highlight);
    f.Vertical = s.Vertical;
    return f;
}

} // namespace

TRtfReadResult ReadRtf(QByteArrayView rtf, TRtfDocument& document) {
    return TRtfReader(rtf, document).Read();
}
