// RTF bytes in: what the reader makes of them goes into the editor's document and comes
// back out the same, as the editor loads and saves rich text.
#include "CheckedDocuments.h"
#include "FuzzApplication.h"
#include "richtext/RtfTextDocument.h"

#include <QTextDocument>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    StartFuzzApplication("fuzz_rich_text");
    CheckReadDocument(data, size, [](const TRtfDocument& read) {
        // The input's own document, gone when the input ends: what one input allocates it
        // frees, so the fuzzer's leak check has nothing to look into again.
        QTextDocument doc;
        BuildTextDocument(read, doc);
        return RtfDocumentOf(doc) == read;
    });
    return 0;
}
