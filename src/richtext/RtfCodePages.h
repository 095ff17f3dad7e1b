#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

#include <map>
#include <memory>

// Turns the \'hh bytes of an RTF document into text in the code page that applies to them:
// the document's \ansicpg or the font's \fcharset. Windows-1252 is decoded by the program's
// own table; other code pages through the system's converters, and a code page the system
// does not know reads as Windows-1252.
class TRtfCodePages {
public:
    // Decodes the bytes onto the end of text.
    void Append(int codePage, QByteArrayView bytes, QString& text);

    // The code page of a font charset number; 0 for charsets that name none (DEFAULT,
    // SYMBOL), which follow the document's code page.
    static int OfCharset(int charset);

private:
    QStringDecoder* DecoderFor(int codePage);

    std::map<int, std::unique_ptr<QStringDecoder>> FDecoders; // null = unknown code page
};
