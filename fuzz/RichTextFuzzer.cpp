// RTF bytes in: what the reader makes of them goes into the editor's document and comes
// back out the same, as the editor loads and saves rich text.
#include "CheckedDocuments.h"
#include "FuzzApplication.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfTextDocument.h"

#include <QTextDocument>

#include <cstdint>
#include <cstdlib>

namespace {

TCheckedDocuments checked;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    StartFuzzApplication("fuzz_rich_text");
    TRtfDocument read;
    ReadRtf(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)), read);
    if (checked.Contains(read))
        return 0;
    {
        // The input's own document, gone when the input ends: what one input allocates it
        // frees, so the fuzzer's leak check has nothing to look into again.
        QTextDocument doc;
        BuildTextDocument(read, doc);
        if (!(RtfDocumentOf(doc) == read))
            std::abort();
    }
    checked.Add(read);
    return 0;
}
