// RTF bytes in: reading never fails, and what the writer makes of the document reads back
// to the same document, so written bytes are a fixed point.
#include "FuzzApplication.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <QHash>
#include <QTextDocument>

#include <array>
#include <cstdint>
#include <cstdlib>

namespace {

// Written texts already shown to be fixed points, by a 64-bit hash. Two in five inputs
// differ from an earlier one only where the reader skips, and write the same text again;
// reading that text back would show nothing new. The table is fixed in size, so that
// remembering allocates nothing and libFuzzer's leak check sees no growth; it starts
// afresh when half full.
class TFixedPoints {
public:
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

private:
    static constexpr std::size_t kSlots = std::size_t(1) << 20;
    static constexpr std::size_t kMask = kSlots - 1;
    std::array<std::size_t, kSlots> FSlots{};
    std::size_t FCount = 0;
};

TFixedPoints fixedPoints;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    StartFuzzApplication("fuzz_rtf");
    // A document of the input's own, gone when it ends: what one input allocates it frees,
    // so the fuzzer's leak check has nothing to look into again.
    QTextDocument doc;
    ReadRtf(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)), doc);
    const QByteArray written = WriteRtf(doc);
    const std::size_t hash = qHash(written);
    if (fixedPoints.Contains(hash))
        return 0;
    ReadRtf(written, doc);
    if (WriteRtf(doc) != written)
        std::abort();
    fixedPoints.Add(hash);
    return 0;
}
