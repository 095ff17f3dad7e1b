// RTF bytes in: reading never fails, and what the writer makes of the document reads back
// to the same document, so written bytes are a fixed point.
#include "FuzzApplication.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <QTextDocument>

#include <cstdint>
#include <cstdlib>

namespace {

QTextDocument& document() {
    static QTextDocument* doc = [] {
        StartFuzzApplication("fuzz_rtf");
        // No layout: reading and writing never measure text.
        return new QTextDocument;
    }();
    return *doc;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QTextDocument& doc = document();
    ReadRtf(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)), doc);
    const QByteArray written = WriteRtf(doc);
    ReadRtf(written, doc);
    if (WriteRtf(doc) != written)
        std::abort();
    return 0;
}
