#include "report/PdfFile.h"

#include <QRegularExpression>

qsizetype PdfDictionaryEnd(const QByteArray& text, qsizetype from) {
    int depth = 0;
    for (qsizetype i = from; i + 1 < text.size(); ++i) {
        if (text[i] == '<' && text[i + 1] == '<') {
            ++depth;
            ++i;
        } else if (text[i] == '>' && text[i + 1] == '>') {
            ++i;
            if (--depth == 0)
                return i + 1;
        }
    }
    return -1;
}

QByteArray PdfDictionary(const QByteArray& object) {
    const qsizetype start = object.indexOf("<<");
    if (start < 0 || !object.left(start).trimmed().isEmpty())
        return {};
    const qsizetype end = PdfDictionaryEnd(object, start);
    return end < 0 ? QByteArray() : object.mid(start + 2, end - start - 4);
}

int PdfReference(const QByteArray& dictionary, const char* key) {
    const QRegularExpression entry(
        QStringLiteral("/%1\\s+(\\d+)\\s+\\d+\\s+R").arg(QLatin1String(key)));
    const QRegularExpressionMatch m = entry.match(QString::fromLatin1(dictionary));
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

TPdfFile::TPdfFile(QByteArray bytes) : FBytes(std::move(bytes)) {
    if (!FBytes.startsWith("%PDF-"))
        return;
    const qsizetype startxref = FBytes.lastIndexOf("startxref");
    const qsizetype trailer = FBytes.lastIndexOf("trailer");
    if (startxref < 0 || trailer < 0 || trailer > startxref)
        return;
    bool ok = false;
    FTable = FBytes.mid(startxref + 9).trimmed().split('\n').value(0).trimmed().toLongLong(&ok);
    const qsizetype trailerStart = FBytes.indexOf("<<", trailer);
    const qsizetype trailerEnd = trailerStart < 0 ? -1 : PdfDictionaryEnd(FBytes, trailerStart);
    // A file whose table is a cross-reference stream has no "xref" keyword at that offset.
    if (!ok || trailerEnd < 0 || FTable <= 0 || FTable >= FBytes.size() ||
        !FBytes.mid(FTable, 4).startsWith("xref"))
        return;
    FTrailer = FBytes.mid(trailerStart + 2, trailerEnd - trailerStart - 4);
    static const QRegularExpression size(QStringLiteral("/Size\\s+(\\d+)"));
    FSize = size.match(QString::fromLatin1(FTrailer)).captured(1).toInt();
    // Subsections of "first count", then 20-byte entries "offset generation n|f".
    const QList<QByteArray> lines = FBytes.mid(FTable, trailer - FTable).split('\n');
    int number = 0, left = 0;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QList<QByteArray> fields = lines[i].simplified().split(' ');
        if (left == 0 && fields.size() == 2) {
            number = fields[0].toInt();
            left = fields[1].toInt();
        } else if (left > 0 && fields.size() == 3) {
            if (fields[2] == "n")
                FEntries[number] = {fields[0].toLongLong(), fields[1].toInt()};
            ++number;
            --left;
        }
    }
    FValid = FSize > 0 && !FEntries.empty();
}

int TPdfFile::Root() const {
    return PdfReference(FTrailer, "Root");
}

int TPdfFile::Info() const {
    return PdfReference(FTrailer, "Info");
}

QList<int> TPdfFile::Objects() const {
    QList<int> numbers;
    for (const auto& [number, entry] : FEntries)
        numbers.append(number);
    return numbers;
}

qsizetype TPdfFile::BodyStart(int number) const {
    const auto it = FEntries.find(number);
    if (it == FEntries.end())
        return -1;
    const QByteArray head =
        QByteArray::number(number) + ' ' + QByteArray::number(it->second.Generation) + " obj";
    if (FBytes.mid(it->second.Offset, head.size()) != head)
        return -1;
    return it->second.Offset + head.size();
}

std::pair<qsizetype, qint64> TPdfFile::StreamAt(int number) const {
    const qsizetype start = BodyStart(number);
    const qsizetype stream = start < 0 ? -1 : FBytes.indexOf("stream", start);
    const qsizetype end = start < 0 ? -1 : FBytes.indexOf("endobj", start);
    if (stream < 0 || (end >= 0 && end < stream))
        return {-1, 0};
    const QByteArray dictionary = PdfDictionary(FBytes.mid(start, stream - start));
    // "/Length n", or "/Length n g R" and object n holds the number (and is no stream).
    static const QRegularExpression direct(QStringLiteral("/Length\\s+(\\d+)"));
    qint64 length = direct.match(QString::fromLatin1(dictionary)).captured(1).toLongLong();
    if (const int indirect = PdfReference(dictionary, "Length")) {
        const qsizetype at = BodyStart(indirect);
        const qsizetype close = at < 0 ? -1 : FBytes.indexOf("endobj", at);
        length = close < 0 ? -1 : FBytes.mid(at, close - at).trimmed().toLongLong();
    }
    // The keyword ends its line with CR LF or LF alone.
    qsizetype data = stream + 6;
    if (FBytes.mid(data, 2) == "\r\n")
        data += 2;
    else if (data < FBytes.size() && FBytes[data] == '\n')
        ++data;
    if (length < 0 || data + length > FBytes.size())
        return {-1, 0};
    return {data, length};
}

QByteArray TPdfFile::Object(int number) const {
    const qsizetype start = BodyStart(number);
    if (start < 0)
        return {};
    // A stream may hold the word "endobj": its end is found past its data.
    const auto [data, length] = StreamAt(number);
    const qsizetype end = FBytes.indexOf("endobj", data < 0 ? start : data + length);
    return end < 0 ? QByteArray() : FBytes.mid(start, end - start);
}

QByteArray TPdfFile::StreamData(int number) const {
    const auto [data, length] = StreamAt(number);
    return data < 0 ? QByteArray() : FBytes.mid(data, length);
}

int TPdfFile::Generation(int number) const {
    const auto it = FEntries.find(number);
    return it == FEntries.end() ? 0 : it->second.Generation;
}

QList<int> TPdfFile::Pages() const {
    QList<int> pages;
    static const QRegularExpression reference(QStringLiteral("(\\d+)\\s+\\d+\\s+R"));
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![A-Za-z])"));
    // Walks the page tree from the catalog's /Pages, depth first, as the pages are ordered.
    std::vector<int> open{PdfReference(PdfDictionary(Object(Root())), "Pages")};
    int budget = int(FEntries.size());
    while (!open.empty() && budget-- > 0) {
        const int node = open.back();
        open.pop_back();
        const QByteArray dictionary = PdfDictionary(Object(node));
        if (page.match(QString::fromLatin1(dictionary)).hasMatch()) {
            pages.append(node);
            continue;
        }
        const qsizetype kids = dictionary.indexOf("/Kids");
        const qsizetype close = dictionary.indexOf(']', kids);
        if (kids < 0 || close < 0)
            continue;
        std::vector<int> children;
        auto it = reference.globalMatch(QString::fromLatin1(dictionary.mid(kids, close - kids)));
        while (it.hasNext())
            children.push_back(it.next().captured(1).toInt());
        open.insert(open.end(), children.rbegin(), children.rend());
    }
    return pages;
}

QByteArray TPdfUpdate::Finish() const {
    QByteArray out = FFile.Bytes();
    if (!out.endsWith('\n'))
        out += '\n';
    QByteArray table = "xref\n";
    for (const auto& [number, body] : FBodies) {
        const QByteArray generation = QByteArray::number(FFile.Generation(number));
        table += QByteArray::number(number) + " 1\n" +
                 QByteArray::number(out.size()).rightJustified(10, '0') + ' ' +
                 generation.rightJustified(5, '0') + " n \n";
        out += QByteArray::number(number) + ' ' + generation + " obj\n" + body + "\nendobj\n";
    }
    // The old trailer's entries stay, with the new size and the chain to the old table.
    static const QRegularExpression chained(QStringLiteral("/(Prev|Size)\\s+\\d+"));
    QString dictionary = QString::fromLatin1(FFile.Trailer());
    dictionary.remove(chained);
    const qsizetype tableOffset = out.size();
    out += table + "trailer\n<<" + dictionary.toLatin1() + "/Size " + QByteArray::number(FSize) +
           " /Prev " + QByteArray::number(FFile.Table()) + "\n>>\nstartxref\n" +
           QByteArray::number(tableOffset) + "\n%%EOF\n";
    return out;
}
