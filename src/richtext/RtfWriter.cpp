#include "richtext/RtfWriter.h"

#include "platform/Windows1252.h"
#include "richtext/CharFormatFont.h"
#include "richtext/RtfUnits.h"

#include <QColor>
#include <QTextBlock>
#include <QTextDocument>

#include <charconv>
#include <cmath>
#include <vector>

namespace {

class TRtfWriter {
public:
    explicit TRtfWriter(const QTextDocument& document) : FDocument(document) {}
    QByteArray Write();

private:
    void CollectTables();
    void Paragraph(const QTextBlock& block);
    void CharacterFormat(const QTextCharFormat& f);
    // A font name takes neither the text's special control words nor a semicolon.
    void Text(const QString& text, bool fontName = false);
    // DEL and what lies above it: \'hh in Windows-1252, else \uN with a stand-in.
    void Character(QChar c);
    int FontIndex(const QTextCharFormat& f);
    int ColorIndex(const QColor& c);
    void Number(const char* word, long long value);

    const QTextDocument& FDocument;
    QStringList FFonts;
    std::vector<QRgb> FColors; // entries after the automatic one
    QByteArray FOut;
};

int TRtfWriter::FontIndex(const QTextCharFormat& f) {
    const QString name = FormatFamily(f, FDocument.defaultFont());
    qsizetype i = FFonts.indexOf(name);
    if (i < 0) {
        FFonts << name;
        i = FFonts.size() - 1;
    }
    return int(i);
}

int TRtfWriter::ColorIndex(const QColor& c) {
    const QRgb rgb = c.rgb() & 0xFFFFFF;
    for (size_t i = 0; i < FColors.size(); ++i)
        if (FColors[i] == rgb)
            return int(i) + 1;
    FColors.push_back(rgb);
    return int(FColors.size());
}

void TRtfWriter::CollectTables() {
    // Tables list fonts and colours in order of first use, so equal documents give equal
    // bytes.
    auto collect = [this](const QTextCharFormat& f) {
        FontIndex(f);
        if (f.hasProperty(QTextFormat::ForegroundBrush))
            ColorIndex(f.foreground().color());
        if (f.hasProperty(QTextFormat::BackgroundBrush))
            ColorIndex(f.background().color());
    };
    for (QTextBlock b = FDocument.begin(); b.isValid(); b = b.next()) {
        collect(b.charFormat());
        for (auto it = b.begin(); !it.atEnd(); ++it)
            collect(it.fragment().charFormat());
    }
}

void TRtfWriter::Number(const char* word, long long value) {
    FOut += '\\';
    FOut += word;
    char digits[24];
    FOut.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr - digits);
}

void TRtfWriter::CharacterFormat(const QTextCharFormat& f) {
    Number("f", FontIndex(f));
    Number("fs", std::lround(FormatPoints(f, FDocument.defaultFont()) * 2));
    if (f.fontWeight() >= QFont::DemiBold)
        FOut += "\\b";
    if (f.fontItalic())
        FOut += "\\i";
    if (f.fontUnderline())
        FOut += "\\ul";
    if (f.fontStrikeOut())
        FOut += "\\strike";
    if (f.hasProperty(QTextFormat::ForegroundBrush))
        Number("cf", ColorIndex(f.foreground().color()));
    if (f.hasProperty(QTextFormat::BackgroundBrush))
        Number("highlight", ColorIndex(f.background().color()));
    if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        FOut += "\\super";
    else if (f.verticalAlignment() == QTextCharFormat::AlignSubScript)
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

void TRtfWriter::Paragraph(const QTextBlock& block) {
    const QTextBlockFormat bf = block.blockFormat();
    FOut += "\\pard";
    const Qt::Alignment a = bf.alignment() & Qt::AlignHorizontal_Mask;
    if (a & Qt::AlignJustify)
        FOut += "\\qj";
    else if (a & Qt::AlignHCenter)
        FOut += "\\qc";
    else if (a & Qt::AlignRight)
        FOut += "\\qr";
    auto twips = [this](const char* word, double pixels) {
        const long long t = std::llround(pixels * TwipsPerPixel);
        if (t != 0)
            Number(word, t);
    };
    twips("li", bf.leftMargin());
    twips("ri", bf.rightMargin());
    twips("fi", bf.textIndent());
    twips("sb", bf.topMargin());
    twips("sa", bf.bottomMargin());
    // The paragraph mark carries the block's own character format: an empty line keeps
    // its height.
    FOut += "\\plain";
    CharacterFormat(block.charFormat());
    FOut += ' ';
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        // Each run states its whole format: it inherits nothing from the paragraph mark.
        FOut += "{\\plain";
        CharacterFormat(fragment.charFormat());
        FOut += ' ';
        Text(fragment.text());
        FOut += '}';
    }
    FOut += "\\par\r\n";
}

QByteArray TRtfWriter::Write() {
    CollectTables();
    QByteArray body;
    std::swap(body, FOut);
    for (QTextBlock b = FDocument.begin(); b.isValid(); b = b.next())
        Paragraph(b);
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

QByteArray WriteRtf(const QTextDocument& document) {
    return TRtfWriter(document).Write();
}
