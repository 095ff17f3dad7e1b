#pragma once

#include <QByteArray>
#include <QString>

// Text in design files is single-byte Windows-1252. The five bytes that code page leaves
// undefined (81, 8D, 8F, 90, 9D) map to the control characters of the same number, so
// every byte sequence decodes and encodes back unchanged.
struct TWindows1252Text {
    QByteArray Bytes;
    bool Fits = true; // false when some character had no Windows-1252 byte ('?' stands in)
};

TWindows1252Text ToWindows1252(const QString& text);
// The byte of one character, or -1 when Windows-1252 has none for it.
int Windows1252Byte(QChar c);
QString FromWindows1252(const char* data, qsizetype size);
// Decodes the bytes onto the end of text.
void AppendWindows1252(QString& text, const char* data, qsizetype size);
inline QString FromWindows1252(const QByteArray& bytes) {
    return FromWindows1252(bytes.constData(), bytes.size());
}
