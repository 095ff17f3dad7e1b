#pragma once

#include <QRgb>
#include <QString>

#include <optional>
#include <vector>

// Rich text as RTF carries it, with the font and colour tables already looked up: what the
// reader makes of RTF bytes, what the writer writes, and what a QTextDocument holds, so that
// reading and writing need no document and each is checked against the other.

enum class TRtfAlign { Left, Right, Center, Justify };

struct TRtfCharFormat {
    QString Family; // never empty
    int HalfPoints = 24;
    bool Bold = false, Italic = false, Underline = false, Strike = false;
    std::optional<QRgb> Fore, Back; // 0xRRGGBB; none: automatic
    int Vertical = 0;               // 1 superscript, -1 subscript

    bool operator==(const TRtfCharFormat&) const = default;
};

struct TRtfRun {
    TRtfCharFormat Format;
    QString Text; // never empty; neighbouring runs differ in format

    bool operator==(const TRtfRun&) const = default;
};

struct TRtfParagraph {
    TRtfAlign Align = TRtfAlign::Left;
    int Left = 0, Right = 0, First = 0, Before = 0, After = 0; // twips
    TRtfCharFormat Mark; // the paragraph mark's format: an empty line's height
    std::vector<TRtfRun> Runs;

    bool operator==(const TRtfParagraph&) const = default;
};

struct TRtfDocument {
    std::vector<TRtfParagraph> Paragraphs; // at least one

    bool operator==(const TRtfDocument&) const = default;
};
