#include "printing/LabelPrintRun.h"

#include "platform/GraphicsValues.h"
#include "platform/PictureFile.h"
#include "printing/AlignmentMarks.h"
#include "report/PictureGraphic.h"
#include "report/ReportJob.h"
#include "surface/BasePanel.h"

#include <QFileInfo>

#include <algorithm>
#include <optional>

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

namespace {

// Bitmaps by ".BMP" (when the file exists), metafiles by ".WMF", PNG, WebP and SVG by their
// extension; a file that does not load, or any other name, prints no art.
TPicture LoadArt(const QString& file) {
    const QString name = file.toUpper();
    const bool bitmap = name.contains(QLatin1String(".BMP")) && QFileInfo(file).isFile();
    const TPictureKind kind = PictureKindOf(file);
    const bool ofToday =
        kind == TPictureKind::Png || kind == TPictureKind::Webp || kind == TPictureKind::Svg;
    if (!bitmap && !ofToday && !name.contains(QLatin1String(".WMF")))
        return {};
    try {
        const TPicture art = TPicture::LoadFromFile(file, false);
        if (ofToday || art.Kind() == (bitmap ? TPicture::TKind::Bitmap : TPicture::TKind::Metafile))
            return art;
    } catch (const EPictureError&) {
    }
    return {};
}

} // namespace

void TLabelPrintRun::LoadBackGround() {
    FBackground = LoadArt(FSettings.BackgroundFile);
    FBackBackground = FSettings.Sides.Sides == TPrintSides::Front
                          ? TPicture()
                          : LoadArt(FSettings.BackBackgroundFile);
}

void TLabelPrintRun::BeforePrintLabels(TReportJob& report) {
    // A merge run's copies are whole runs, and two-sided copies are sheet pairs, so the
    // driver must not repeat single pages then.
    if (FSettings.Printing && FCopies > 1 && FSettings.DriverMaxCopies > 1 &&
        !FSettings.MergeList && FSettings.Sides.Sides != TPrintSides::Both) {
        // The driver multiplies the one sheet the loop produces.
        report.SetCopies(FCopies);
        FCopies = 1;
    }
    report.StatusFormat = FSettings.Printing ? QStringLiteral("Printing Page %p\r%0\r%1")
                                             : QStringLiteral("Preparing Preview Page %p\r%0\r%1");
    report.StatusText << QString() << QString();
}

void TLabelPrintRun::PrintBackGround(TReportCanvas& report, double x, double y,
                                     const TPicture& art) {
    PrintPicture(report, {x, y, x + 3.5, y + 2.0}, art);
}

TPanelPrinting::TPanelPrinting(TGBasePanel& panel) : FPanel(panel), FShown(panel.MergeRecord()) {
    FPanel.SetPrinting(true);
}

TPanelPrinting::~TPanelPrinting() {
    FPanel.SetMergeRecord(FShown);
    FPanel.SetPrinting(false);
}

void TLabelPrintRun::PrintCardFace(TReportCanvas& report, double x, double y, bool back) {
    PrintBackGround(report, x, y, back ? FBackBackground : FBackground);
    PrintDesign(report, x, y, back);
}

void TLabelPrintRun::PrintDesign(TReportCanvas& report, double x, double y, bool back) {
    if (TGBasePanel* design = back ? FSettings.BackPanel : &FPanel)
        design->PrintObjects(report, x, y);
}

void TLabelPrintRun::PrintLabels(TReportJob& report) {
    // Each panel shows the record of the card it prints and tells nothing of the changes.
    const TPanelPrinting front(FPanel);
    std::optional<TPanelPrinting> back;
    if (FSettings.BackPanel)
        back.emplace(*FSettings.BackPanel);

    std::vector<TSheetPlan> sheets = PlanSheets();
    if (FSettings.LastSheetFirst)
        std::reverse(sheets.begin(), sheets.end());
    const TPrintSides sides = FSettings.OutlineOnly ? TPrintSides::Front : FSettings.Sides.Sides;
    bool firstPage = true;
    auto nextPage = [&] {
        if (!firstPage)
            report.NewPage();
        firstPage = false;
    };
    for (const TSheetPlan& sheet : sheets) {
        if (Stopped)
            break;
        if (sides != TPrintSides::Back) {
            nextPage();
            PrintSheetSide(report, sheet, false);
        }
        if (sides != TPrintSides::Front && !Stopped) {
            nextPage();
            PrintSheetSide(report, sheet, true);
        }
    }
}

std::vector<TSheetPlan> TLabelPrintRun::PlanSheets() const {
    const TCardLayout& l = FSettings.Layout;
    QList<int> positions;
    for (int p = 0; p < l.PositionCount(); ++p)
        if (FSettings.Selection[p] || FSettings.AlignmentSheet)
            positions.append(p);
    std::vector<TSheetPlan> sheets;
    if (FSettings.MergeList) {
        PlanMergedSheets(positions, sheets);
        return sheets;
    }
    // Every copy is one sheet with the same positions.
    TSheetPlan sheet;
    for (int p : positions)
        sheet.push_back({p, -1});
    sheets.assign(FSettings.AlignmentSheet ? 1 : size_t(std::max(FCopies, 1)), sheet);
    return sheets;
}

void TLabelPrintRun::PlanMergedSheets(const QList<int>& positions,
                                      std::vector<TSheetPlan>& sheets) const {
    // One card per record on the chosen positions, sheet after sheet; each copy is the whole
    // run again, from a new sheet.
    const QList<int>& records = FSettings.MergeRecords;
    if (positions.isEmpty() || records.isEmpty())
        return;
    for (int copy = 0; copy < FCopies; ++copy) {
        for (qsizetype n = 0; n < records.size(); ++n) {
            if (n == 0 || sheets.back().size() == size_t(positions.size()))
                sheets.emplace_back();
            sheets.back().push_back({positions[sheets.back().size()], int(n)});
        }
    }
}

TInchRect TLabelPrintRun::FrontBox(int position) const {
    const TCardLayout& l = FSettings.Layout;
    const int col = position % l.Across, row = position / l.Across;
    const double x = col * HorizontalPitch() + LeftMargin();
    const double y = row * VerticalPitch() + TopMargin();
    return {x, y, x + l.Width, y + l.Height};
}

TInchRect TLabelPrintRun::BackBox(int position, QSizeF sheet) const {
    const TPrinterNudges& n = FSettings.Nudges;
    return BackOfCard(FrontBox(position), sheet, FSettings.Sides.Flip, n.BackLeftNudge,
                      n.BackTopNudge);
}

void TLabelPrintRun::PrintSheetSide(TReportJob& report, const TSheetPlan& sheet, bool back) {
    const qsizetype records = FSettings.MergeRecords.size();
    for (const TCardSlot& slot : sheet) {
        if (Stopped)
            return;
        TGBasePanel* design = back ? FSettings.BackPanel : &FPanel;
        if (slot.Record >= 0 && design)
            design->SetMergeRecord({FSettings.MergeList, FSettings.MergeRecords[slot.Record]});
        if (CardShown) {
            QString card = slot.Record >= 0
                               ? QStringLiteral("Record %1 of %2").arg(slot.Record + 1).arg(records)
                               : QStringLiteral("Card %1").arg(slot.Position + 1);
            CardShown(back ? card + QStringLiteral(", back") : card);
        }
        const TInchRect card =
            back ? BackBox(slot.Position, report.Metrics().PaperInches) : FrontBox(slot.Position);
        if (FSettings.AlignmentSheet)
            PrintAlignmentMarks(report, card, slot.Position, back);
        else
            PrintCard(report, card, back, slot.Record < 0);
    }
}

void TLabelPrintRun::PrintAlignmentMarks(TReportJob& report, const TInchRect& card, int position,
                                         bool back) {
    Pump();
    if (back)
        PrintAlignmentBack(report.Canvas(), card, position);
    else
        PrintAlignmentFront(report.Canvas(), card, position, FSettings.Nudges.BackLeftNudge,
                            FSettings.Nudges.BackTopNudge, FSettings.Sides.Flip);
    Pump();
}

void TLabelPrintRun::PrintCard(TReportJob& report, const TInchRect& card, bool back,
                               bool repeated) {
    Pump();
    if (FSettings.OutlineOnly) {
        report.Canvas().Rectangle(card);
        Pump();
        return;
    }
    const double width = card.Right - card.Left, height = card.Bottom - card.Top;
    auto draw = [&](TReportCanvas& canvas, double x, double y) {
        PrintBackGround(canvas, x, y, back ? FBackBackground : FBackground);
        // The preview's outline lies under the design, as its objects cover the card's edge.
        if (!FSettings.Printing) {
            canvas.SetBrush(clBlack, bsClear);
            canvas.SetPen(RGBColor(192, 192, 192), psSolid, -1, pmCopy);
            canvas.Rectangle({x, y, x + width, y + height});
        }
        PrintDesign(canvas, x, y, back);
    };
    // A card that is the same on every position is drawn once into a file and placed.
    if (repeated)
        report.PlaceRepeated(back ? 1 : 0, card, draw);
    else
        draw(report.Canvas(), card.Left, card.Top);
    Pump();
}
