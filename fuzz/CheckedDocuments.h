#pragma once

// Rich text documents a fuzz target has already checked, remembered by a 64-bit hash of
// everything they hold. Two in five inputs differ from an earlier one only where the
// reader skips, and read as the same document again; checking it once more would show
// nothing new.
#include "richtext/RtfDocument.h"
#include "richtext/RtfReader.h"

#include <QHash>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

// Beside the format, for Qt's hashing to find.
inline std::size_t qHash(const TRtfCharFormat& f, std::size_t seed = 0) noexcept {
    return qHashMulti(seed, f.Family, f.HalfPoints, f.Bold, f.Italic, f.Underline, f.Strike,
                      f.Fore.value_or(0x1000000), f.Back.value_or(0x1000000), f.Vertical);
}

inline std::size_t HashOf(const TRtfDocument& d) {
    std::size_t h = 0;
    for (const TRtfParagraph& p : d.Paragraphs) {
        h = qHashMulti(h, int(p.Align), p.Left, p.Right, p.First, p.Before, p.After, p.Mark,
                       p.Runs.size());
        for (const TRtfRun& run : p.Runs)
            h = qHashMulti(h, run.Format, run.Text);
    }
    return h;
}

// The table is fixed in size, so that remembering allocates nothing and libFuzzer's leak
// check sees no growth; it starts afresh when half full.
class TCheckedDocuments {
public:
    bool Contains(const TRtfDocument& d) const { return Contains(HashOf(d)); }
    void Add(const TRtfDocument& d) { Add(HashOf(d)); }

private:
    bool Contains(std::size_t hash) const {
        for (std::size_t i = hash & kMask; FSlots[i]; i = (i + 1) & kMask)
            if (FSlots[i] == hash)
                return true;
        return false;
    }
    void Add(std::size_t hash) {
        if (hash == 0 || Contains(hash))
            return;
        if (++FCount > kSlots / 2) {
            FSlots.fill(0);
            FCount = 1;
        }
        std::size_t i = hash & kMask;
        while (FSlots[i])
            i = (i + 1) & kMask;
        FSlots[i] = hash;
    }

    static constexpr std::size_t kSlots = std::size_t(1) << 20;
    static constexpr std::size_t kMask = kSlots - 1;
    std::array<std::size_t, kSlots> FSlots{};
    std::size_t FCount = 0;
};

// What each RTF target does with its input: reads it and, unless a document the same was
// checked already, aborts when the property does not hold for what was read.
template <class Property>
void CheckReadDocument(const std::uint8_t* data, std::size_t size, Property holds) {
    static TCheckedDocuments checked; // 8 MB: kept out of the stack
    TRtfDocument read;
    ReadRtf(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)), read);
    if (checked.Contains(read))
        return;
    if (!holds(read))
        std::abort();
    checked.Add(read);
}
