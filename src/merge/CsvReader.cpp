#include "merge/CsvReader.h"

#include "merge/TextBytes.h"

namespace {

// Far more columns than a card can use; a line with more fields is no list of addresses,
// and holding its millions of empty fields would cost far more than the file.
constexpr qsizetype kMostFields = 1024;

QChar detectSeparator(const QString& text) {
    int commas = 0, semicolons = 0, tabs = 0;
    bool quoted = false;
    for (const QChar c : text) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == '\n' || c == '\r'))
            break;
        else if (!quoted && c == ',')
            ++commas;
        else if (!quoted && c == ';')
            ++semicolons;
        else if (!quoted && c == '\t')
            ++tabs;
    }
    if (semicolons > commas && semicolons >= tabs)
        return ';';
    if (tabs > commas && tabs > semicolons)
        return '\t';
    return ',';
}

class TCsvParser {
public:
    TCsvParser(const QString& text, QChar separator) : FText(text), FSeparator(separator) {}

    bool AtEnd() const { return FPos >= FText.size(); }
    int Line() const { return FLine; }

    // The fields of the next row; FPos ends after its line break.
    QStringList NextRow() {
        QStringList fields;
        for (;;) {
            if (fields.size() == kMostFields)
                throw EMergeListError(
                    QStringLiteral("Line %1 has more than %2 fields").arg(FLine).arg(kMostFields));
            fields.append(AtQuote() ? QuotedField() : PlainField());
            if (AtEnd())
                return fields;
            const QChar c = FText.at(FPos++);
            if (c == FSeparator)
                continue;
            if (c == '\r' && !AtEnd() && FText.at(FPos) == '\n')
                ++FPos;
            ++FLine;
            return fields;
        }
    }

private:
    bool AtQuote() const { return !AtEnd() && FText.at(FPos) == '"'; }
    bool AtFieldEnd() const {
        if (AtEnd())
            return true;
        const QChar c = FText.at(FPos);
        return c == FSeparator || c == '\n' || c == '\r';
    }

    QString PlainField() {
        const qsizetype start = FPos;
        while (!AtFieldEnd())
            ++FPos;
        return FText.mid(start, FPos - start);
    }

    QString QuotedField() {
        const int startLine = FLine;
        QString field;
        ++FPos;
        for (;;) {
            if (AtEnd())
                throw EMergeListError(
                    QStringLiteral("Line %1: a quoted field is not closed").arg(startLine));
            const QChar c = FText.at(FPos++);
            if (c == '"') {
                if (AtQuote()) {
                    field += '"';
                    ++FPos;
                    continue;
                }
                if (!AtFieldEnd())
                    throw EMergeListError(
                        QStringLiteral("Line %1: text follows the closing quote of a field")
                            .arg(FLine));
                return field;
            }
            if (c == '\n' || (c == '\r' && (AtEnd() || FText.at(FPos) != '\n')))
                ++FLine;
            field += c;
        }
    }

    const QString& FText;
    const QChar FSeparator;
    qsizetype FPos = 0;
    int FLine = 1;
};

bool isBlank(const QStringList& row) {
    return row.size() == 1 && row.first().isEmpty();
}

} // namespace

TMergeList ReadCsvList(const QByteArray& bytes) {
    const QString text = DecodeTextBytes(bytes);
    TCsvParser parser(text, detectSeparator(text));
    TMergeList list;
    bool haveHeader = false;
    while (!parser.AtEnd()) {
        const int line = parser.Line();
        QStringList row = parser.NextRow();
        if (isBlank(row))
            continue;
        if (!haveHeader) {
            for (int i = 0; i < row.size(); ++i) {
                const QString name = row.at(i).trimmed();
                list.Columns.append(name.isEmpty() ? QStringLiteral("Column %1").arg(i + 1) : name);
            }
            haveHeader = true;
            continue;
        }
        // Trailing empty fields beyond the header are what many programs write; anything
        // else there would be silently lost, so it is refused.
        while (row.size() > list.Columns.size() && row.last().isEmpty())
            row.removeLast();
        if (row.size() > list.Columns.size())
            throw EMergeListError(
                QStringLiteral("Line %1 has %2 fields, but the first line names %3 columns")
                    .arg(line)
                    .arg(row.size())
                    .arg(list.Columns.size()));
        list.Records.append(std::move(row));
    }
    if (!haveHeader)
        throw EMergeListError(QStringLiteral("The list is empty: its first line must name the "
                                             "columns"));
    return list;
}
