// RTF bytes in: reading never fails, and what the writer makes of what was read reads back
// to the same, so written bytes are a fixed point.
#include "CheckedDocuments.h"
#include "FuzzApplication.h"
#include "richtext/RtfWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    StartFuzzApplication("fuzz_rtf");
    CheckReadDocument(data, size, [](const TRtfDocument& read) {
        TRtfDocument again;
        ReadRtf(WriteRtf(read), again);
        return again == read;
    });
    return 0;
}
