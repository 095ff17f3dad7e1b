#include "merge/MergeFields.h"

#include "merge/MergeList.h"

bool HasMergeFields(const QString& text) {
    const qsizetype open = text.indexOf(QLatin1String("${"));
    return open >= 0 && text.indexOf('}', open + 2) >= 0;
}

QString SubstituteMergeFields(const QString& text, const TMergeRecord& record,
                              const std::function<QString(const QString&)>& quote) {
    if (record.IsEmpty() || !HasMergeFields(text))
        return text;
    QString out;
    qsizetype pos = 0;
    for (;;) {
        const qsizetype open = text.indexOf(QLatin1String("${"), pos);
        const qsizetype close = open < 0 ? -1 : text.indexOf('}', open + 2);
        if (close < 0) {
            out += QStringView(text).sliced(pos);
            return out;
        }
        out += QStringView(text).sliced(pos, open - pos);
        const QString column = text.mid(open + 2, close - open - 2).trimmed();
        const QString value = record.List->Value(record.Index, record.List->ColumnIndex(column));
        out += quote ? quote(value) : value;
        pos = close + 1;
    }
}
