#include "platform/Windows1252.h"

#include <array>

namespace {

// Characters of the bytes 0x80..0x9F; the undefined ones keep their own number.
constexpr std::array<char16_t, 32> kHigh{{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
}};

// The character of every byte, looked up once per byte read.
constexpr std::array<char16_t, 256> kChars = [] {
    std::array<char16_t, 256> chars{};
    for (int b = 0; b < 256; ++b)
        chars[b] = b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : char16_t(b);
    return chars;
}();

int byteFor(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < int(kHigh.size()); ++i)
        if (kHigh[i] == c)
            return 0x80 + i;
    return -1;
}

} // namespace

int Windows1252Byte(QChar c) {
    return byteFor(c.unicode());
}

TWindows1252Text ToWindows1252(const QString& text) {
    TWindows1252Text result;
    result.Bytes.resize(text.size());
    char* out = result.Bytes.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int b = byteFor(text.at(i).unicode());
        if (b < 0)
            result.Fits = false;
        out[i] = char(b < 0 ? '?' : b);
    }
    return result;
}

QString FromWindows1252(const char* data, qsizetype size) {
    QString text;
    AppendWindows1252(text, data, size);
    return text;
}

void AppendWindows1252(QString& text, const char* data, qsizetype size) {
    const qsizetype start = text.size();
    text.resize(start + size);
    QChar* out = text.data() + start;
    for (qsizetype i = 0; i < size; ++i)
        out[i] = QChar(kChars[static_cast<unsigned char>(data[i])]);
}
