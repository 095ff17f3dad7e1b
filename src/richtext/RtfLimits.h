#pragma once

#include <QtGlobal>

// Bounds on what the RTF reader takes from a document, so that a damaged or hostile
// payload can cost neither unbounded memory nor unbounded time. A card's rich text is a
// few kilobytes; what lies beyond these limits is not read (the bytes themselves are kept).
namespace RtfLimit {
constexpr qsizetype MaxBytes = 4 * 1024 * 1024;
constexpr int MaxGroupDepth = 100;
constexpr int MaxTableEntries = 1000; // fonts, colours
constexpr int MaxFontNameChars = 128;
constexpr int MinHalfPoints = 2;    // 1 point
constexpr int MaxHalfPoints = 3276; // 1638 points, the largest size word processors offer
constexpr int MaxTwips = 31680;     // 22 inches, for indents and paragraph spacing
} // namespace RtfLimit
