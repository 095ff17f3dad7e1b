#include "report/PdfPlacedPages.h"

#include "report/PdfFile.h"

#include <QRegularExpression>

#include <map>

namespace {

QByteArray number(double v) {
    return QByteArray::number(v, 'f', 4);
}

// The four numbers of a page's /MediaBox; an empty list when it has none.
QList<double> mediaBox(const QByteArray& page) {
    static const QRegularExpression box(
        QStringLiteral("/MediaBox\\s*\\[\\s*([-\\d.]+)\\s+([-\\d.]+)\\s+([-\\d.]+)\\s+([-\\d.]+)"));
    const QRegularExpressionMatch m = box.match(QString::fromLatin1(page));
    if (!m.hasMatch())
        return {};
    return {m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
            m.captured(4).toDouble()};
}

// An object of another file renumbered into this one: every reference "n g R" in its
// dictionary (or in the whole object when it is not a stream) moves by `shift`.
QByteArray renumbered(const QByteArray& object, int shift) {
    static const QRegularExpression reference(QStringLiteral("(\\d+)\\s+(\\d+)\\s+R\\b"));
    const qsizetype stream = object.indexOf("stream");
    const qsizetype split = stream >= 0 && object.trimmed().startsWith("<<")
                                ? PdfDictionaryEnd(object, object.indexOf("<<"))
                                : object.size();
    QString head = QString::fromLatin1(object.left(split));
    QString out;
    qsizetype at = 0;
    auto it = reference.globalMatch(head);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        out += head.mid(at, m.capturedStart() - at);
        out += QString::number(m.captured(1).toInt() + shift) + QStringLiteral(" 0 R");
        at = m.capturedEnd();
    }
    out += head.mid(at);
    return out.toLatin1() + object.mid(split);
}

// Where the value of a dictionary's /Resources entry lies in it: a reference "n g R" or a
// dictionary "<< ... >>"; an empty range when there is neither.
struct TRange {
    qsizetype Start = 0, End = 0;
    bool IsEmpty() const { return End <= Start; }
};
TRange resourcesValue(const QByteArray& dictionary) {
    static const QRegularExpression value(QStringLiteral("/Resources\\s*(<<|\\d+\\s+\\d+\\s+R)"));
    const QRegularExpressionMatch m = value.match(QString::fromLatin1(dictionary));
    if (!m.hasMatch())
        return {};
    const qsizetype start = m.capturedStart(1);
    const qsizetype end = m.captured(1) == QLatin1String("<<") ? PdfDictionaryEnd(dictionary, start)
                                                               : m.capturedEnd(1);
    return end < 0 ? TRange() : TRange{start, end};
}

// A drawing as it joins the file: its XObject's number and its page's height in points.
struct TDrawing {
    int XObject = 0;
    double Height = 0;
};

// Copies the drawing's objects into the update (all but its catalog, page tree, page and
// document information) and adds its page's content as a form XObject.
bool addDrawing(const TPdfFile& drawing, TPdfUpdate& update, TDrawing& added) {
    const QList<int> pages = drawing.Pages();
    if (!drawing.IsValid() || pages.size() != 1)
        return false;
    const int page = pages[0];
    const QByteArray pageDictionary = PdfDictionary(drawing.Object(page));
    const QList<double> box = mediaBox(pageDictionary);
    const int contents = PdfReference(pageDictionary, "Contents");
    const TRange resources = resourcesValue(pageDictionary);
    const QByteArray bytes = drawing.StreamData(contents);
    if (box.size() != 4 || contents == 0 || resources.IsEmpty() || bytes.isNull())
        return false;
    // Numbers from the update's next on: object n of the drawing becomes n + shift.
    const int first = update.NewObject();
    const int shift = first - 1;
    const QList<int> numbers = drawing.Objects();
    for (int n = 2; n <= numbers.last(); ++n)
        update.NewObject();
    const QList<int> left = {drawing.Root(), drawing.Info(), page, contents,
                             PdfReference(PdfDictionary(drawing.Object(drawing.Root())), "Pages")};
    for (int n : numbers)
        if (!left.contains(n))
            update.Set(n + shift, renumbered(drawing.Object(n), shift));

    // The content stream's own data, just as the page had it, with its filter.
    const bool deflated = PdfDictionary(drawing.Object(contents)).contains("/FlateDecode");
    added.XObject = update.NewObject();
    added.Height = box[3] - box[1];
    update.Set(added.XObject,
               "<< /Type /XObject /Subtype /Form /BBox [" + number(box[0]) + ' ' + number(box[1]) +
                   ' ' + number(box[2]) + ' ' + number(box[3]) + "] /Resources " +
                   renumbered(pageDictionary.mid(resources.Start, resources.End - resources.Start),
                              shift) +
                   (deflated ? " /Filter /FlateDecode" : "") + " /Length " +
                   QByteArray::number(bytes.size()) + " >>\nstream\n" + bytes + "\nendstream");
    return true;
}

QByteArray stream(const QByteArray& data) {
    return "<< /Length " + QByteArray::number(data.size()) + " >>\nstream\n" + data + "\nendstream";
}

// The text of a resource dictionary with the drawings' names added to its XObjects.
QByteArray withDrawings(const QByteArray& resources, const QByteArray& names) {
    QByteArray out = resources;
    const qsizetype xobjects = out.indexOf("/XObject");
    const qsizetype open = xobjects < 0 ? -1 : out.indexOf("<<", xobjects);
    if (open >= 0 && out.mid(xobjects + 8, open - xobjects - 8).trimmed().isEmpty())
        return out.insert(open + 2, '\n' + names);
    return out + "\n/XObject <<\n" + names + ">>\n";
}

} // namespace

QByteArray PlacePdfPages(const QByteArray& pdf, const QList<QByteArray>& drawings,
                         const std::vector<TPdfPlacement>& placements) {
    const TPdfFile file(pdf);
    const QList<int> pages = file.IsValid() ? file.Pages() : QList<int>();
    if (pages.isEmpty())
        return {};
    TPdfUpdate update(file);
    std::vector<TDrawing> added(std::size_t(drawings.size()));
    QByteArray names;
    for (qsizetype i = 0; i < drawings.size(); ++i) {
        const TPdfFile drawing(drawings[i]);
        if (!addDrawing(drawing, update, added[std::size_t(i)]))
            return {};
        names += "/Placed" + QByteArray::number(i) + ' ' +
                 QByteArray::number(added[std::size_t(i)].XObject) + " 0 R\n";
    }
    std::map<int, std::vector<const TPdfPlacement*>> byPage;
    for (const TPdfPlacement& p : placements)
        if (p.Page >= 0 && p.Page < pages.size() && p.Drawing >= 0 && p.Drawing < drawings.size())
            byPage[p.Page].push_back(&p);
    // What a page held before ends in whatever state it left: the placements start from the
    // page's own state, saved before that content and restored after it.
    const int save = update.NewObject();
    update.Set(save, stream("q\n"));
    std::map<int, bool> resourcesDone;
    static const QRegularExpression single(QStringLiteral("/Contents\\s+\\d+\\s+\\d+\\s+R"));
    for (const auto& [index, onPage] : byPage) {
        const int page = pages[index];
        QByteArray dictionary = PdfDictionary(file.Object(page));
        const QList<double> box = mediaBox(dictionary);
        const int contents = PdfReference(dictionary, "Contents");
        const TRange resources = resourcesValue(dictionary);
        if (box.size() != 4 || contents == 0 || resources.IsEmpty() ||
            !QString::fromLatin1(dictionary).contains(single))
            return {};
        QByteArray draw = "Q\n";
        for (const TPdfPlacement* p : onPage) {
            // PDF's origin is the page's bottom-left corner, in points.
            const double x = box[0] + p->TopLeft.x() * 72;
            const double y = box[3] - p->TopLeft.y() * 72 - added[std::size_t(p->Drawing)].Height;
            draw += "q 1 0 0 1 " + number(x) + ' ' + number(y) + " cm /Placed" +
                    QByteArray::number(p->Drawing) + " Do Q\n";
        }
        const int placed = update.NewObject();
        update.Set(placed, stream(draw));
        // The drawings' names join the page's resources, in the page or in their own object.
        const QByteArray value = dictionary.mid(resources.Start, resources.End - resources.Start);
        const int shared = PdfReference("/Resources " + value, "Resources");
        if (shared == 0) {
            dictionary.replace(resources.Start, value.size(),
                               "<<" + withDrawings(PdfDictionary(value), names) + ">>");
        } else if (!resourcesDone[shared]) {
            update.Set(shared,
                       "<<" + withDrawings(PdfDictionary(file.Object(shared)), names) + ">>");
            resourcesDone[shared] = true;
        }
        QString text = QString::fromLatin1(dictionary);
        text.replace(
            single,
            QStringLiteral("/Contents [%1 0 R %2 0 R %3 0 R]").arg(save).arg(contents).arg(placed));
        update.Set(page, "<<" + text.toLatin1() + ">>");
    }
    return update.Finish();
}
