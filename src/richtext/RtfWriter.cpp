#include "richtext/RtfWriter.h"

#include "platform/Windows1252.h"

#include <QStringList>

#include <charconv>
#include <vector>

namespace {

class TRtfWriter {
public:
    explicit TRtfWriter(const TRtfDocument& document) : FDocument(document) {}
    QByteArray Write();

private:
    void CollectTables();
    void Paragraph(const TRtfParagraph& p);
    void CharacterFormat(const TRtfCharFormat& f);
    // A font name takes neither the text's special control words nor a semicolon.
    void Text(const QString& text, bool fontName = false);
    // DEL and what lies above it: \'hh in Windows-1252, else \uN with a stand-in.
    void Character(QChar c);
    int FontIndex(const QString& name);
    int ColorIndex(QRgb rgb);
    void Number(const char* word, long long value);

    const TRtfDocument& FDocument;
    QStringList FFonts;
    std::vector<QRgb> FColors; // entries after the automatic one
    QByteArray FOut;
};

int TRtfWriter::FontIndex(const QString& name) {
    qsizetype i = FFonts.indexOf(name);
    if (i < 0) {
        FFonts << name;
        i = FFonts.size() - 1;
    }
    return int(i);
}

int TRtfWriter::ColorIndex(QRgb rgb) {
    for (size_t i = 0; i < FColors.size(); ++i)
        if (FColors[i] == rgb)
            return int(i) + 1;
    FColors.push_back(rgb);
    return int(FColors.size());
}

void TRtfWriter::CollectTables() {
    // Tables list fonts and colours in order of first use, so equal documents give equal
    // bytes.
    auto collect = [this](const TRtfCharFormat& f) {
        FontIndex(f.Family);
        if (f.Fore)
            ColorIndex(*f.Fore);
        if (f.Back)
            ColorIndex(*f.Back);
    };
    for (const TRtfParagraph& p : FDocument.Paragraphs) {
        collect(p.Mark);
        for (const TRtfRun& run : p.Runs)
            collect(run.Format);
    }
}

void TRtfWriter::Number(const char* word, long long value) {
    FOut += '\\';
    FOut += word;
    char digits[24];
    FOut.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr - digits);
}

void TRtfWriter::CharacterFormat(const TRtfCharFormat& f) {
    Number("f", FontIndex(f.Family));
    Number("fs", f.HalfPoints);
    if (f.Bold)
        FOut += "\\b";
    if (f.Italic)
        FOut += "\\i";
    if (f.Underline)
        FOut += "\\ul";
    if (f.Strike)
        FOut += "\\strike";
    if (f.Fore)
        Number("cf", ColorIndex(*f.Fore));
    if (f.Back)
        Number("highlight", ColorIndex(*f.Back));
    if (f.Vertical > 0)
        FOut += "\\super";
    else if (f.Vertical < 0)
        FOut += "\\sub";
}

void TRtfWriter::Text(const QString& text, bool fontName) {
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        if (c == '\\' || c == '{' || c == '}') {
            FOut += '\\';
            FOut += char(c);
        } else if (fontName && (c == ';' || c < 0x20)) {
            continue;
        } else if (c >= 0x20 && c < 0x7F) {
            FOut += char(c);
        } else if (fontName) {
            Character(qc);
        } else if (c == '\t') {
            FOut += "\\tab ";
        } else if (c == 0x2028) {
            FOut += "\\line ";
        } else if (c == 0x00A0) {
            FOut += "\\~";
        } else if (c == 0x00AD) {
            FOut += "\\-";
        } else if (c == 0x2011) {
            FOut += "\\_";
        } else if (c >= 0x7F) {
            Character(qc);
        }
    }
}

void TRtfWriter::Character(QChar c) {
    if (const int b = Windows1252Byte(c); b >= 0x80) {
        static constexpr char hex[] = "0123456789abcdef";
        const char escaped[] = {'\\', '\'', hex[b >> 4], hex[b & 15]};
        FOut.append(escaped, sizeof escaped);
    } else {
        Number("u", qint16(c.unicode()));
        FOut += '?';
    }
}

void TRtfWriter::Paragraph(const TRtfParagraph& p) {
    FOut += "\\pard";
    if (p.Align == TRtfAlign::Justify)
        FOut += "\\qj";
    else if (p.Align == TRtfAlign::Center)
        FOut += "\\qc";
    else if (p.Align == TRtfAlign::Right)
        FOut += "\\qr";
    auto twips = [this](const char* word, int t) {
        if (t != 0)
            Number(word, t);
    };
    twips("li", p.Left);
    twips("ri", p.Right);
    twips("fi", p.First);
    twips("sb", p.Before);
    twips("sa", p.After);
    // The paragraph mark carries the block's own character format: an empty line keeps
    // its height.
    FOut += "\\plain";
    CharacterFormat(p.Mark);
    FOut += ' ';
    for (const TRtfRun& run : p.Runs) {
        // Each run states its whole format: it inherits nothing from the paragraph mark.
        FOut += "{\\plain";
        CharacterFormat(run.Format);
        FOut += ' ';
        Text(run.Text);
        FOut += '}';
    }
    FOut += "\\par\r\n";
}

QByteArray TRtfWriter::Write() {
    CollectTables();
    QByteArray body;
    std::swap(body, FOut);
    for (const TRtfParagraph& p : FDocument.Paragraphs)
        Paragraph(p);
    std::swap(body, FOut);

    FOut += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl";
    for (int i = 0; i < FFonts.size(); ++i) {
        FOut += "{";
        Number("f", i);
        FOut += "\\fnil\\fcharset0 ";
        Text(FFonts[i], true);
        FOut += ";}";
    }
    FOut += "}\r\n{\\colortbl ;";
    for (const QRgb c : FColors) {
        Number("red", qRed(c));
        Number("green", qGreen(c));
        Number("blue", qBlue(c));
        FOut += ';';
    }
    FOut += "}\r\n{\\*\\generator Pentavo;}\\viewkind4\\uc1\r\n";
    FOut += body;
    FOut += "}\r\n";
    return FOut;
}

} // namespace

QByteArray WriteRtf(const TRtfDocument& document) {
    return TRtfWriter(document).Write();
}
