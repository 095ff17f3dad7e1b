#pragma once

#include <QByteArrayView>

// What the RTF reader does with a control word.
enum class TRtfWord : unsigned char {
    Unknown,
    SkippedDestination, // a destination whose content is not shown
    FontTable,
    ColorTable,
    Unicode,     // \uN
    UnicodeSkip, // \ucN
    CodePage,    // \ansicpgN
    DefaultFont, // \deffN
    Charset,     // \fcharsetN
    Red,
    Green,
    Blue,
    Character, // a named character (\tab, \emdash, ...)
    Paragraph, // \par and the breaks read as one
    Plain,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Strike,
    FontSize,
    Font,
    ForeColor,
    BackColor,
    Super,
    Sub,
    NoSuperSub,
    ParagraphDefaults, // \pard
    AlignLeft,
    AlignRight,
    AlignCenter,
    AlignJustify,
    LeftIndent,
    RightIndent,
    FirstIndent,
    SpaceBefore,
    SpaceAfter,
};

struct TRtfWordInfo {
    TRtfWord Kind = TRtfWord::Unknown;
    char16_t Character = 0; // for TRtfWord::Character
};

// One look-up per control word, without allocating.
TRtfWordInfo LookUpRtfWord(QByteArrayView word);
