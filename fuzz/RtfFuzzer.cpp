// RTF bytes in: reading never fails, and what the writer makes of what was read reads back
// to the same, so written bytes are a fixed point.
#include "CheckedDocuments.h"
#include "FuzzApplication.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <cstdint>
#include <cstdlib>

namespace {

TCheckedDocuments checked;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    StartFuzzApplication("fuzz_rtf");
    TRtfDocument read;
    ReadRtf(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)), read);
    if (checked.Contains(read))
        return 0;
    TRtfDocument again;
    ReadRtf(WriteRtf(read), again);
    if (!(again == read))
        std::abort();
    checked.Add(read);
    return 0;
}
