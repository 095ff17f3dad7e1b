#include "printing/LabelPrintRun.h"

#include "platform/GraphicsValues.h"
#include "platform/PictureFile.h"
#include "report/PictureGraphic.h"
#include "report/ReportJob.h"
#include "surface/BasePanel.h"

#include <QFileInfo>

TLabelPrintRun::TLabelPrintRun(TGBasePanel& panel, const TPrintRunSettings& settings)
    : FPanel(panel), FSettings(settings), FCopies(settings.Copies) {}

double TLabelPrintRun::TopMargin() const {
    return FSettings.Layout.TopMargin + FSettings.Nudges.TopMarginNudge / 32.0;
}

double TLabelPrintRun::LeftMargin() const {
    return FSettings.Layout.LeftMargin + FSettings.Nudges.LeftMarginNudge / 32.0;
}

double TLabelPrintRun::HorizontalPitch() const {
    return FSettings.Layout.HPitch + FSettings.Nudges.HorizontalSpacing / 32.0;
}

double TLabelPrintRun::VerticalPitch() const {
    return FSettings.Layout.VPitch + FSettings.Nudges.VerticalSpacing / 32.0;
}

void TLabelPrintRun::Pump() const {
    if (ProcessEvents)
        ProcessEvents();
}

void TLabelPrintRun::LoadBackGround() {
    FBackground = TPicture();
    const QString& file = FSettings.BackgroundFile;
    const QString name = file.toUpper();
    // Bitmaps by ".BMP" (when the file exists), metafiles by ".WMF", PNG, WebP and SVG by
    // their extension; a file that does not load, or any other name, prints no art.
    const bool bitmap = name.contains(QLatin1String(".BMP")) && QFileInfo(file).isFile();
    const TPictureKind kind = PictureKindOf(file);
    const bool ofToday =
        kind == TPictureKind::Png || kind == TPictureKind::Webp || kind == TPictureKind::Svg;
    if (!bitmap && !ofToday && !name.contains(QLatin1String(".WMF")))
        return;
    try {
        const TPicture art = TPicture::LoadFromFile(file, false);
        if (ofToday || art.Kind() == (bitmap ? TPicture::TKind::Bitmap : TPicture::TKind::Metafile))
            FBackground = art;
    } catch (const EPictureError&) {
    }
}

void TLabelPrintRun::BeforePrintLabels(TReportJob& report) {
    // A merge run's copies are whole runs, so the driver must not repeat single sheets.
    if (FSettings.Printing && FCopies > 1 && FSettings.DriverMaxCopies > 1 &&
        !FSettings.MergeList) {
        // The driver multiplies the one sheet the loop produces.
        report.SetCopies(FCopies);
        FCopies = 1;
    }
    report.StatusFormat = FSettings.Printing ? QStringLiteral("Printing Page %p\r%0\r%1")
                                             : QStringLiteral("Preparing Preview Page %p\r%0\r%1");
    report.StatusText << QString() << QString();
}

void TLabelPrintRun::PrintBackGround(TReportCanvas& report, double x, double y) {
    PrintPicture(report, {x, y, x + 3.5, y + 2.0}, FBackground);
}

void TLabelPrintRun::PrintLabels(TReportJob& report) {
    struct TPrintingFlag {
        TGBasePanel& Panel;
        TMergeRecord Shown;
        explicit TPrintingFlag(TGBasePanel& p) : Panel(p), Shown(p.MergeRecord()) {
            Panel.SetPrinting(true);
        }
        ~TPrintingFlag() {
            Panel.SetMergeRecord(Shown);
            Panel.SetPrinting(false);
        }
    } printing(FPanel);
    if (FSettings.MergeList)
        PrintMergedCards(report);
    else
        PrintSheets(report);
}

void TLabelPrintRun::PrintSheets(TReportJob& report) {
    const TCardLayout& l = FSettings.Layout;
    int col = -1, row = 0;
    while (!Stopped) {
        ++col;
        if (col + 1 > l.Across) {
            col = 0;
            ++row;
        }
        if (row + 1 > l.Down) {
            row = 0;
            col = 0;
            if (report.CurrentPage() >= FCopies)
                break;
            report.NewPage();
        }
        const int position = row * l.Across + col;
        if (!FSettings.Selection[position])
            continue;
        if (CardShown)
            CardShown(QStringLiteral("Card %1").arg(position + 1));
        PrintCard(report, position);
    }
}

void TLabelPrintRun::PrintMergedCards(TReportJob& report) {
    const TCardLayout& l = FSettings.Layout;
    QList<int> positions;
    for (int p = 0; p < l.PositionCount(); ++p)
        if (FSettings.Selection[p])
            positions.append(p);
    const QList<int>& records = FSettings.MergeRecords;
    if (positions.isEmpty() || records.isEmpty())
        return;
    qsizetype slot = 0;
    for (int copy = 0; copy < FCopies && !Stopped; ++copy) {
        for (qsizetype n = 0; n < records.size() && !Stopped; ++n) {
            if (slot == positions.size() || (n == 0 && copy > 0)) {
                report.NewPage();
                slot = 0;
            }
            FPanel.SetMergeRecord({FSettings.MergeList, records[n]});
            if (CardShown)
                CardShown(QStringLiteral("Record %1 of %2").arg(n + 1).arg(records.size()));
            PrintCard(report, positions[slot++]);
        }
    }
}

void TLabelPrintRun::PrintCard(TReportJob& report, int position) {
    const TCardLayout& l = FSettings.Layout;
    const int col = position % l.Across, row = position / l.Across;
    const double x = col * HorizontalPitch() + LeftMargin();
    const double y = row * VerticalPitch() + TopMargin();
    Pump();
    TReportCanvas& canvas = report.Canvas();
    const TInchRect card{x, y, x + l.Width, y + l.Height};
    if (FSettings.OutlineOnly) {
        canvas.Rectangle(card);
    } else {
        PrintBackGround(canvas, x, y);
        if (!FSettings.Printing) {
            canvas.SetBrush(clBlack, bsClear);
            canvas.SetPen(RGBColor(192, 192, 192), psSolid, -1, pmCopy);
            canvas.Rectangle(card);
        }
        FPanel.PrintObjects(canvas, x, y);
    }
    Pump();
}
