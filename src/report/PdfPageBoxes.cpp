#include "report/PdfPageBoxes.h"

#include "report/PdfFile.h"

namespace {

QByteArray Box(const char* name, const QRectF& r) {
    return QByteArray("/") + name + " [" + QByteArray::number(r.left(), 'f', 4) + ' ' +
           QByteArray::number(r.top(), 'f', 4) + ' ' + QByteArray::number(r.right(), 'f', 4) + ' ' +
           QByteArray::number(r.bottom(), 'f', 4) + "]\n";
}

} // namespace

QByteArray AddPageBoxes(const QByteArray& pdf, const QRectF& trimBox, const QRectF& bleedBox) {
    const TPdfFile file(pdf);
    const QList<int> pages = file.IsValid() ? file.Pages() : QList<int>();
    if (pages.isEmpty())
        return {};
    TPdfUpdate update(file);
    for (int page : pages)
        update.Set(page, "<<" + PdfDictionary(file.Object(page)) + '\n' + Box("TrimBox", trimBox) +
                             Box("BleedBox", bleedBox) + ">>");
    return update.Finish();
}
