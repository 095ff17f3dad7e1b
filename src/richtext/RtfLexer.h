#pragma once

#include <QByteArrayView>

// The pieces RTF text is made of.
enum class TRtfTokenKind : unsigned char {
    End,           // no more input
    GroupOpen,     // {
    GroupClose,    // }
    ControlWord,   // \word or \wordN; Bytes (the word), HasParam, Param
    ControlSymbol, // \ followed by one non-letter; Symbol
    HexByte,       // \'hh; Byte
    Text,          // a run of plain bytes without line breaks; Bytes
    Binary,        // the payload of \binN, already skipped
};

// Small, as the reader takes one per few bytes.
struct TRtfToken {
    TRtfTokenKind Kind = TRtfTokenKind::End;
    bool HasParam = false;
    char Symbol = 0;
    unsigned char Byte = 0;
    int Param = 0;
    QByteArrayView Bytes;
};

// Splits RTF bytes into tokens without copying them. Carriage returns and line feeds
// between tokens carry no meaning and are dropped; a parameter beyond the 32-bit range is
// clamped, an over-long control word is cut at 32 letters, and \binN skips at most the
// bytes that remain, so every input ends after at most one token per byte.
class TRtfLexer {
public:
    TRtfLexer(const char* data, qsizetype size) : FData(data), FSize(size) {}

    TRtfToken Next();
    qsizetype Position() const { return FPos; }

private:
    TRtfToken ReadControl();

    const char* FData;
    qsizetype FSize;
    qsizetype FPos = 0;
};
