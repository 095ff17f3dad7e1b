// RTF bytes in: reading never fails, and what the writer makes of the document reads back
// to the same document, so written bytes are a fixed point.
#include "FuzzApplication.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <QTextDocument>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    StartFuzzApplication("fuzz_rtf");
    // A document of the input's own, gone when it ends: what one input allocates it frees,
    // so the fuzzer's leak check has nothing to look into again.
    QTextDocument doc;
    ReadRtf(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)), doc);
    const QByteArray written = WriteRtf(doc);
    ReadRtf(written, doc);
    if (WriteRtf(doc) != written)
        std::abort();
    return 0;
}
