#include "printing/PrintShopExport.h"

#include "platform/GraphicsValues.h"
#include "printing/CardPicture.h"
#include "printing/LabelPrintRun.h"
#include "report/PdfFileJob.h"
#include "report/PdfPageBoxes.h"
#include "surface/BasePanel.h"

#include <QFile>
#include <QPageSize>
#include <QPrinter>
#include <QSaveFile>

#include <exception>
#include <optional>
#include <vector>

namespace {

// The edge pictures are drawn at this resolution: fine enough for the bleed's few millimetres.
constexpr double EdgeDpi = 300;

// One page's geometry, inches from the page's corner.
struct TPageGeometry {
    double Card = 0;   // where the card's corner lies, across and down
    double Width = 0;  // of the card
    double Height = 0; // of the card
    double Bleed = 0;
    double Room = 0; // beyond the bleed

    double PageWidth() const { return Width + 2 * (Bleed + Room); }
    double PageHeight() const { return Height + 2 * (Bleed + Room); }
    // A box of the page in points, PDF's coordinates: the card grown by `grow` inches.
    QRectF Points(double grow) const {
        const double left = (Card - grow) * 72;
        return QRectF(left, left, (Width + 2 * grow) * 72, (Height + 2 * grow) * 72);
    }
};

// The card's outermost rows and columns of pixels stretched outwards over the bleed, corner
// pixels over the corners. They reach a little under the card so that no hairline shows.
void PrintBleed(TReportCanvas& report, const QImage& card, const TPageGeometry& g) {
    if (g.Bleed <= 0)
        return;
    const int w = card.width(), h = card.height();
    const double x0 = g.Card, y0 = g.Card, x1 = g.Card + g.Width, y1 = g.Card + g.Height;
    const double b = g.Bleed, in = 2 / EdgeDpi;
    report.StretchBitmap({x0, y0 - b, x1, y0 + in}, card.copy(0, 0, w, 1));
    report.StretchBitmap({x0, y1 - in, x1, y1 + b}, card.copy(0, h - 1, w, 1));
    report.StretchBitmap({x0 - b, y0, x0 + in, y1}, card.copy(0, 0, 1, h));
    report.StretchBitmap({x1 - in, y0, x1 + b, y1}, card.copy(w - 1, 0, 1, h));
    report.StretchBitmap({x0 - b, y0 - b, x0 + in, y0 + in}, card.copy(0, 0, 1, 1));
    report.StretchBitmap({x1 - in, y0 - b, x1 + b, y0 + in}, card.copy(w - 1, 0, 1, 1));
    report.StretchBitmap({x0 - b, y1 - in, x0 + in, y1 + b}, card.copy(0, h - 1, 1, 1));
    report.StretchBitmap({x1 - in, y1 - in, x1 + b, y1 + b}, card.copy(w - 1, h - 1, 1, 1));
}

// Hairlines on the lines of the trim, from a little inside the page's edge to a little
// before the bleed, two at each corner.
void PrintCropMarks(TReportCanvas& report, const TPageGeometry& g) {
    const double gap = g.Room / 6;
    const double near = gap, far = g.Room - gap;
    const double right = g.PageWidth(), bottom = g.PageHeight();
    // A quarter point wide, in device pixels.
    report.SetPen(clBlack, psSolid, qMax(1, qRound(report.XDPI() / 288)), pmCopy);
    auto line = [&report](double xa, double ya, double xb, double yb) {
        report.MoveTo(xa, ya);
        report.LineTo(xb, yb);
    };
    for (const double x : {g.Card, g.Card + g.Width}) {
        line(x, near, x, far);
        line(x, bottom - far, x, bottom - near);
    }
    for (const double y : {g.Card, g.Card + g.Height}) {
        line(near, y, far, y);
        line(right - far, y, right - near, y);
    }
}

// Prints the pages into the file as Qt writes a PDF, without the boxes.
bool PrintPages(TGBasePanel& panel, const TPrintRunSettings& settings, TPrintSides sides,
                const TPageGeometry& g, const QString& file) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setFullPage(true);
    printer.setPageSize(QPageSize(QSizeF(g.PageWidth(), g.PageHeight()), QPageSize::Inch, QString(),
                                  QPageSize::ExactMatch));
    printer.setPageMargins(QMarginsF(0, 0, 0, 0));
    TPageMetrics metrics;
    metrics.XDPI = metrics.YDPI = printer.resolution();
    metrics.PaperInches = QSizeF(g.PageWidth(), g.PageHeight());
    TPdfFileJob job(printer, metrics);
    TLabelPrintRun run(panel, settings);
    run.LoadBackGround();
    // Each card's front, its back, or the front and then the back on the next page.
    std::vector<bool> faces;
    if (sides != TPrintSides::Back)
        faces.push_back(false);
    if (sides != TPrintSides::Front)
        faces.push_back(true);
    job.OnPrint = [&](TReportJob& report) {
        const TPanelPrinting printing(panel);
        std::optional<TPanelPrinting> back;
        if (settings.BackPanel)
            back.emplace(*settings.BackPanel);
        const bool merged = settings.MergeList != nullptr;
        const qsizetype cards = merged ? settings.MergeRecords.size() : 1;
        bool first = true;
        for (qsizetype n = 0; n < cards && !report.Aborted(); ++n) {
            for (TGBasePanel* design : {&panel, settings.BackPanel})
                if (merged && design)
                    design->SetMergeRecord({settings.MergeList, settings.MergeRecords[n]});
            for (const bool face : faces) {
                if (!first)
                    report.NewPage();
                first = false;
                TReportCanvas& canvas = report.Canvas();
                PrintBleed(canvas, DrawCardPicture(run, QSizeF(g.Width, g.Height), EdgeDpi, face),
                           g);
                run.PrintCardFace(canvas, g.Card, g.Card, face);
                if (g.Room > 0)
                    PrintCropMarks(canvas, g);
            }
        }
    };
    return job.Execute();
}

} // namespace

bool ExportForPrintShop(TGBasePanel& panel, const TPrintRunSettings& settings,
                        const TPrintShopOptions& options, const QString& file, QString* error) {
    auto fail = [&](const QString& message) {
        if (error)
            *error = message;
        return false;
    };
    const QString cannotWrite = QStringLiteral("The PDF file \"%1\" cannot be written.").arg(file);
    TPageGeometry g;
    g.Width = settings.Layout.Width;
    g.Height = settings.Layout.Height;
    g.Bleed = options.Bleed;
    g.Room = options.CropMarks ? CropMarkRoom : 0;
    g.Card = g.Bleed + g.Room;
    try {
        if (!PrintPages(panel, settings, options.Sides, g, file))
            return fail(cannotWrite);
    } catch (const std::exception& e) {
        return fail(QString::fromUtf8(e.what()));
    }
    QFile written(file);
    if (!written.open(QIODevice::ReadOnly))
        return fail(cannotWrite);
    const QByteArray boxed = AddPageBoxes(written.readAll(), g.Points(0), g.Points(g.Bleed));
    written.close();
    QSaveFile out(file);
    if (boxed.isEmpty() || !out.open(QIODevice::WriteOnly) || out.write(boxed) != boxed.size() ||
        !out.commit())
        return fail(cannotWrite);
    return true;
}
