// Mail-merge list bytes in: the CSV and vCard readers must end in a list or their own message
// naming what is wrong, whatever the bytes are, and every value of a list read is reachable.
#include "merge/CsvReader.h"
#include "merge/MergeFields.h"
#include "merge/VCardReader.h"

#include <cstdint>
#include <cstdlib>

namespace {

void check(TMergeList (*read)(const QByteArray&), const QByteArray& bytes) {
    try {
        const TMergeList list = read(bytes);
        for (int r = 0; r < list.Count(); ++r)
            for (int c = -1; c <= list.Columns.size(); ++c)
                list.Value(r, c);
        if (!list.Columns.isEmpty() && list.Count() > 0)
            SubstituteMergeFields("${" + list.Columns.first() + "}", {&list, list.Count() - 1});
    } catch (const EMergeListError& e) {
        if (e.Message().isEmpty())
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    check(ReadCsvList, bytes);
    check(ReadVCardList, bytes);
    return 0;
}
