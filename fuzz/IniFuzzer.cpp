// Settings file bytes in: reading must never fail and writing one key must keep the rest.
#include "support/IniRoundTrip.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (!IniRoundTripHolds(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size))))
        std::abort();
    return 0;
}
