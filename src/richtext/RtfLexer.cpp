#include "richtext/RtfLexer.h"

#include <algorithm>
#include <array>
#include <limits>

namespace {

constexpr int kMaxWordLetters = 32;

// Byte classes, looked up once per byte of a control word or of text.
enum : unsigned char { kLetter = 1, kDigit = 2, kEndsText = 4 };

constexpr std::array<unsigned char, 256> kClasses = [] {
    std::array<unsigned char, 256> classes{};
    for (int c = 'a'; c <= 'z'; ++c)
        classes[c] = classes[c - 'a' + 'A'] = kLetter;
    for (int c = '0'; c <= '9'; ++c)
        classes[c] = kDigit;
    for (const char c : {'\\', '{', '}', '\r', '\n'})
        classes[static_cast<unsigned char>(c)] = kEndsText;
    return classes;
}();

unsigned char classOf(char c) {
    return kClasses[static_cast<unsigned char>(c)];
}

bool isLetter(char c) {
    return classOf(c) & kLetter;
}

bool isDigit(char c) {
    return classOf(c) & kDigit;
}

int hexValue(char c) {
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

TRtfToken TRtfLexer::Next() {
    while (FPos < FSize && (FData[FPos] == '\r' || FData[FPos] == '\n'))
        ++FPos;
    TRtfToken t;
    if (FPos >= FSize)
        return t;
    const char c = FData[FPos];
    if (c == '{' || c == '}') {
        ++FPos;
        t.Kind = c == '{' ? TRtfTokenKind::GroupOpen : TRtfTokenKind::GroupClose;
        return t;
    }
    if (c == '\\')
        return ReadControl();
    const qsizetype start = FPos;
    while (FPos < FSize && !(classOf(FData[FPos]) & kEndsText))
        ++FPos;
    t.Kind = TRtfTokenKind::Text;
    t.Bytes = QByteArrayView(FData + start, FPos - start);
    return t;
}

TRtfToken TRtfLexer::ReadControl() {
    TRtfToken t;
    ++FPos; // the backslash
    if (FPos >= FSize)
        return t; // a lone backslash at the very end
    const char c = FData[FPos];
    if (!isLetter(c)) {
        ++FPos;
        if (c == '\'') {
            int value = 0, digits = 0;
            while (digits < 2 && FPos < FSize && hexValue(FData[FPos]) >= 0) {
                value = value * 16 + hexValue(FData[FPos++]);
                ++digits;
            }
            t.Kind = TRtfTokenKind::HexByte;
            t.Byte = static_cast<unsigned char>(value);
            return t;
        }
        t.Kind = TRtfTokenKind::ControlSymbol;
        // A backslash before a line break is a paragraph mark.
        t.Symbol = c == '\r' ? '\n' : c;
        return t;
    }
    const qsizetype start = FPos;
    while (FPos < FSize && isLetter(FData[FPos]))
        ++FPos;
    t.Kind = TRtfTokenKind::ControlWord;
    t.Bytes = QByteArrayView(FData + start, qMin<qsizetype>(FPos - start, kMaxWordLetters));
    bool negative = false;
    if (FPos + 1 < FSize && FData[FPos] == '-' && isDigit(FData[FPos + 1])) {
        negative = true;
        ++FPos;
    }
    if (FPos < FSize && isDigit(FData[FPos])) {
        long long value = 0;
        while (FPos < FSize && isDigit(FData[FPos])) {
            if (value <= std::numeric_limits<int>::max())
                value = value * 10 + (FData[FPos] - '0');
            ++FPos;
        }
        value = negative ? -value : value;
        t.HasParam = true;
        t.Param = int(std::clamp<long long>(value, std::numeric_limits<int>::min(),
                                            std::numeric_limits<int>::max()));
    }
    if (FPos < FSize && FData[FPos] == ' ')
        ++FPos; // the delimiting space belongs to the control word
    if (t.Bytes == "bin" && t.HasParam && t.Param > 0) {
        FPos += qMin<qsizetype>(t.Param, FSize - FPos);
        t.Kind = TRtfTokenKind::Binary;
    }
    return t;
}
