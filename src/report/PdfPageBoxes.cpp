#include "report/PdfPageBoxes.h"

#include <QRegularExpression>

#include <vector>

namespace {

// A page object found in the file: its number and generation, and its dictionary's text
// between "<<" and the matching ">>".
struct TPageObject {
    int Number = 0, Generation = 0;
    QByteArray Dictionary;
};

// The end of the dictionary that starts at `from` ("<<"), just past its ">>"; -1 when it does
// not close. Nested dictionaries count; strings in page dictionaries hold no brackets here.
qsizetype DictionaryEnd(const QByteArray& pdf, qsizetype from) {
    int depth = 0;
    for (qsizetype i = from; i + 1 < pdf.size(); ++i) {
        if (pdf[i] == '<' && pdf[i + 1] == '<') {
            ++depth;
            ++i;
        } else if (pdf[i] == '>' && pdf[i + 1] == '>') {
            ++i;
            if (--depth == 0)
                return i + 1;
        }
    }
    return -1;
}

std::vector<TPageObject> PageObjects(const QByteArray& pdf) {
    static const QRegularExpression object(QStringLiteral("(\\d+) (\\d+) obj\\s*<<"));
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![A-Za-z])"));
    std::vector<TPageObject> pages;
    const QString text = QString::fromLatin1(pdf);
    auto it = object.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const qsizetype start = m.capturedEnd() - 2;
        const qsizetype end = DictionaryEnd(pdf, start);
        if (end < 0)
            continue;
        const QByteArray dictionary = pdf.mid(start + 2, end - start - 4);
        // Only the page's own keys: a nested dictionary never holds its type.
        if (!page.match(QString::fromLatin1(dictionary)).hasMatch())
            continue;
        pages.push_back({m.captured(1).toInt(), m.captured(2).toInt(), dictionary});
    }
    return pages;
}

QByteArray Box(const char* name, const QRectF& r) {
    return QByteArray("/") + name + " [" + QByteArray::number(r.left(), 'f', 4) + ' ' +
           QByteArray::number(r.top(), 'f', 4) + ' ' + QByteArray::number(r.right(), 'f', 4) + ' ' +
           QByteArray::number(r.bottom(), 'f', 4) + "]\n";
}

} // namespace

QByteArray AddPageBoxes(const QByteArray& pdf, const QRectF& trimBox, const QRectF& bleedBox) {
    if (!pdf.startsWith("%PDF-"))
        return {};
    const qsizetype startxref = pdf.lastIndexOf("startxref");
    const qsizetype trailer = pdf.lastIndexOf("trailer");
    if (startxref < 0 || trailer < 0 || trailer > startxref)
        return {};
    bool ok = false;
    const qint64 previous =
        pdf.mid(startxref + 9).trimmed().split('\n').value(0).trimmed().toLongLong(&ok);
    const qsizetype trailerStart = pdf.indexOf("<<", trailer);
    const qsizetype trailerEnd = trailerStart < 0 ? -1 : DictionaryEnd(pdf, trailerStart);
    // A file whose table is a cross-reference stream has no "xref" keyword at that offset.
    if (!ok || trailerEnd < 0 || previous <= 0 || previous >= pdf.size() ||
        !pdf.mid(previous, 4).startsWith("xref"))
        return {};
    const std::vector<TPageObject> pages = PageObjects(pdf);
    if (pages.empty())
        return {};

    QByteArray out = pdf;
    if (!out.endsWith('\n'))
        out += '\n';
    QByteArray table = "xref\n";
    for (const TPageObject& p : pages) {
        table += QByteArray::number(p.Number) + " 1\n" +
                 QByteArray::number(out.size()).rightJustified(10, '0') + ' ' +
                 QByteArray::number(p.Generation).rightJustified(5, '0') + " n \n";
        out += QByteArray::number(p.Number) + ' ' + QByteArray::number(p.Generation) + " obj\n<<" +
               p.Dictionary + '\n' + Box("TrimBox", trimBox) + Box("BleedBox", bleedBox) +
               ">>\nendobj\n";
    }
    static const QRegularExpression prev(QStringLiteral("/Prev\\s+\\d+"));
    QString dictionary =
        QString::fromLatin1(pdf.mid(trailerStart + 2, trailerEnd - trailerStart - 4));
    dictionary.remove(prev);
    const qsizetype tableOffset = out.size();
    out += table + "trailer\n<<" + dictionary.toLatin1() + "/Prev " + QByteArray::number(previous) +
           "\n>>\nstartxref\n" + QByteArray::number(tableOffset) + "\n%%EOF\n";
    return out;
}
