#include "printing/CardPrinting.h"

#include "platform/Interaction.h"
#include "printing/CardPicture.h"
#include "printing/EditCardLayout.h"
#include "printing/LabelPrinter.h"
#include "printing/PreviewForm.h"
#include "printing/PrintFineTune.h"
#include "printing/PrintShopDialog.h"
#include "printing/SelectSpecificLabels.h"
#include "printing/WarnBottomMargin.h"
#include "report/PrinterJob.h"
#include "report/ReportPrinter.h"
#include "report/StreamJob.h"
#include "surface/BasePanel.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QPrinter>

#include <exception>

TCardPrinting::TCardPrinting(TGBasePanel& panel, TReportPrinter& printer, const TPrintState& state,
                             QWidget* parent)
    : FPanel(panel), FPrinter(printer), FState(state), FParent(parent) {}

void TCardPrinting::Save() const {
    if (SavePreferences)
        SavePreferences();
}

TPrintRunSettings TCardPrinting::RunSettings() const {
    TPrintRunSettings s;
    s.Layout = FState.Layout;
    s.Nudges = FState.Nudges;
    s.Selection = FState.CardSelection;
    s.Selection.FitTo(s.Layout);
    s.BackgroundFile = FState.BackgroundFileName;
    s.Sides = FState.Sides ? *FState.Sides : FSides;
    if (AddMerge)
        AddMerge(s);
    return s;
}

TGBasePanel& TCardPrinting::SidesFor(TPrintRunSettings& settings) {
    TGBasePanel* front = AddSides ? AddSides(settings) : nullptr;
    return front ? *front : FPanel;
}

bool TCardPrinting::DoPageSetup() {
    TSelectSpecificLabels dialog(FState.Layout, FState.CardSelection, FPrinter, FParent);
    dialog.SetSides(Sides());
    if (TInteraction::Current().Exec(dialog) != QDialog::Accepted)
        return false;
    FState.CardSelection = dialog.Selection();
    if (dialog.Sides() != Sides()) {
        Sides() = dialog.Sides();
        Save();
    }
    return true;
}

bool TCardPrinting::Print() {
    FPrinter.SelectPaper(FState.Layout.Papersize);
    if (!DoPageSetup())
        return false;
    FPrinter.ReloadPrinterMetrics();
    QCoreApplication::processEvents();
    const double strip = FPrinter.BottomUnprintableInches();
    const TCardSelection& sel = FState.CardSelection;
    if (BottomMarginWarningNeeded(strip, sel[8], sel[9], FState.Nudges.ShowBottomMarginWarning)) {
        TWarnBottomMargin warning(strip, FParent);
        const int result = TInteraction::Current().Exec(warning);
        if (warning.DontShowCheck->isChecked()) {
            FState.Nudges.ShowBottomMarginWarning = false;
            Save();
        }
        if (result != QDialog::Accepted)
            return false;
    }
    return DoPrint(true, false);
}

void TCardPrinting::Preview() {
    FPrinter.SelectPaper(FState.Layout.Papersize);
    DoPrint(false, false);
}

bool TCardPrinting::PrintOutlineTestPage() {
    // The test page goes out on the sheet the cards will: the layout's paper.
    FPrinter.SelectPaper(FState.Layout.Papersize);
    if (!FPrinter.ShowPrintDialog(FParent))
        return false;
    return DoPrint(true, true);
}

bool TCardPrinting::PrintAlignmentSheet() {
    FPrinter.SelectPaper(FState.Layout.Papersize);
    if (!FPrinter.ShowPrintDialog(FParent))
        return false;
    return DoPrint(true, TRunKind::AlignmentSheet);
}

void TCardPrinting::PrinterSetup() {
    FPrinter.ShowPrinterSetup(FParent);
}

bool TCardPrinting::PrinterFineTuning() {
    TPrintFineTune dialog(FState.Nudges, FParent);
    if (TInteraction::Current().Exec(dialog) != QDialog::Accepted)
        return false;
    FState.Nudges = dialog.Nudges();
    Save();
    return true;
}

bool TCardPrinting::ChangeBusinessCardLayout() {
    if (LoadPreferences)
        LoadPreferences();
    TEditCardLayout dialog(FState.Layout, FParent);
    if (TInteraction::Current().Exec(dialog) != QDialog::Accepted)
        return false;
    FState.Layout = dialog.Layout();
    FState.CardSelection.FitTo(FState.Layout);
    Save();
    if (SetCardSizeFromInches)
        SetCardSizeFromInches(FState.Layout.Width, FState.Layout.Height);
    return true;
}

bool TCardPrinting::DoPrint(bool printMode, bool outlineTestPage) {
    return DoPrint(printMode, outlineTestPage ? TRunKind::OutlineTestPage : TRunKind::Cards);
}

bool TCardPrinting::DoPrint(bool printMode, TRunKind kind) {
    const float zoom = FPanel.Zoom();
    FPanel.SetZoom(1.0f);
    QCoreApplication::processEvents();
    struct TRestoreZoom {
        TGBasePanel& Panel;
        float Zoom;
        ~TRestoreZoom() { Panel.SetZoom(Zoom); }
    } restore{FPanel, zoom};

    TPrintRunSettings settings = RunSettings();
    settings.Copies = FPrinter.Copies();
    FPrinter.SetCopies(1);
    FPrinter.SetPortrait();
    settings.OutlineOnly = kind == TRunKind::OutlineTestPage;
    settings.AlignmentSheet = kind == TRunKind::AlignmentSheet;
    if (kind != TRunKind::Cards) {
        settings.MergeList = nullptr;
        settings.Sides.Sides = settings.AlignmentSheet ? TPrintSides::Both : TPrintSides::Front;
    }
    settings.Printing = printMode;
    settings.DriverMaxCopies = FPrinter.DriverMaxCopies();
    TGBasePanel& front = SidesFor(settings);
    if (printMode && !FPrinter.PrepareOutput(FParent))
        return false;

    const bool both = settings.Sides.Sides == TPrintSides::Both;
    // A PDF file holds both sides in duplex order whatever the choice: it has no stack to turn.
    const bool manual = printMode && both && settings.Sides.ManualDuplex && !FPrinter.IsPdf();
    if (printMode)
        FPrinter.Printer().setDuplex(!both || manual ? QPrinter::DuplexNone
                                     : settings.Sides.Flip == TFlipEdge::Long
                                         ? QPrinter::DuplexLongSide
                                         : QPrinter::DuplexShortSide);
    TPageStream stream;
    if (manual) {
        TPrintRunSettings fronts = settings;
        fronts.Sides.Sides = TPrintSides::Front;
        if (!RunJob(front, fronts, stream) || !AskToTurnStack(settings.Sides.Flip))
            return false;
        TPrintRunSettings backs = settings;
        backs.Sides.Sides = TPrintSides::Back;
        backs.LastSheetFirst = true;
        return RunJob(front, backs, stream);
    }
    if (!RunJob(front, settings, stream))
        return false;
    // The preview runs again for each side the user picks in it.
    while (!printMode) {
        TPreviewForm preview(stream, FParent);
        preview.setWindowTitle(QStringLiteral("Preview Business Cards"));
        preview.RestorePlacement = RestorePreviewPlacement;
        preview.SavePlacement = SavePreviewPlacement;
        if (kind == TRunKind::Cards)
            preview.OfferSides(settings.Sides.Sides);
        TInteraction::Current().Exec(preview);
        if (preview.ChosenSides() == settings.Sides.Sides || kind != TRunKind::Cards)
            break;
        settings.Sides.Sides = Sides().Sides = preview.ChosenSides();
        Save();
        stream = TPageStream();
        if (!RunJob(front, settings, stream))
            return false;
    }
    return true;
}

bool TCardPrinting::RunJob(TGBasePanel& front, const TPrintRunSettings& settings,
                           TPageStream& stream) {
    std::unique_ptr<TReportJob> job;
    if (settings.Printing) {
        job = FPrinter.CreateJob();
    } else {
        stream.Metrics = FPrinter.Metrics();
        job = std::make_unique<TStreamJob>(stream);
    }
    TLabelPrinter status(front, settings, *job, FParent);
    if (settings.Printing && FPrinter.IsPdf())
        status.OpenFailedMessage =
            QStringLiteral("The PDF file \"%1\" cannot be written.").arg(FPrinter.OutputFileName());
    TInteraction::Current().Exec(status);
    return !status.Aborted();
}

bool TCardPrinting::AskToTurnStack(TFlipEdge flip) const {
    const QString edge = flip == TFlipEdge::Long ? QStringLiteral("long") : QStringLiteral("short");
    return TInteraction::Current().Question(
        FParent,
        QStringLiteral("The fronts are printed. Take the printed sheets, turn the stack over on "
                       "its %1 edge without changing their order, and put it back into the "
                       "paper tray.\n\nPrint the backs now?")
            .arg(edge),
        QStringLiteral("Manual Duplex"));
}

bool TCardPrinting::AtFullSize(const std::function<bool(QString&)>& write) {
    const float zoom = FPanel.Zoom();
    FPanel.SetZoom(1.0f);
    QString error;
    const bool ok = write(error);
    FPanel.SetZoom(zoom);
    if (!ok)
        TInteraction::Current().Information(FParent, error);
    return ok;
}

bool TCardPrinting::ExportPdf() {
    const QString file = TInteraction::Current().SaveFileName(
        FParent, QStringLiteral("Export PDF"), QString(), QStringLiteral("PDF files (*.pdf)"));
    if (file.isEmpty())
        return false;
    return AtFullSize([&](QString& error) {
        TPrintRunSettings settings = RunSettings();
        TGBasePanel& front = SidesFor(settings);
        return PrintToPdf(front, settings, file, &error);
    });
}

bool TCardPrinting::ExportForPrintShop() {
    TPrintShopDialog dialog(TPrintShopOptions{0.125, true, Sides().Sides}, FParent);
    if (TInteraction::Current().Exec(dialog) != QDialog::Accepted)
        return false;
    const QString file =
        TInteraction::Current().SaveFileName(FParent, QStringLiteral("Export for Print Shop"),
                                             QString(), QStringLiteral("PDF files (*.pdf)"));
    if (file.isEmpty())
        return false;
    return AtFullSize([&](QString& error) {
        TPrintRunSettings settings = RunSettings();
        TGBasePanel& front = SidesFor(settings);
        return ::ExportForPrintShop(front, settings, dialog.Options(), file, &error);
    });
}

bool TCardPrinting::ExportPicture() {
    const QString file =
        TInteraction::Current().SaveFileName(FParent, QStringLiteral("Export Picture"), QString(),
                                             QStringLiteral("PNG pictures (*.png)"));
    if (file.isEmpty())
        return false;
    return AtFullSize([&](QString& error) {
        TPrintRunSettings settings = RunSettings();
        if (RenderCardPicture(SidesFor(settings), settings, 300).save(file, "PNG"))
            return true;
        error = QStringLiteral("The picture \"%1\" cannot be written.").arg(file);
        return false;
    });
}

bool PrintToPdf(TGBasePanel& panel, const TPrintRunSettings& settings, const QString& file,
                QString* error) {
    TReportPrinter printer;
    printer.SetPrinterName(TReportPrinter::PdfPrinterName());
    printer.SetOutputFileName(file);
    printer.SelectPaper(settings.Layout.Papersize);
    std::unique_ptr<TReportJob> job = printer.CreateJob();
    TLabelPrintRun run(panel, settings);
    run.LoadBackGround();
    job->OnBeforePrint = [&run](TReportJob& r) { run.BeforePrintLabels(r); };
    job->OnPrint = [&run](TReportJob& r) { run.PrintLabels(r); };
    try {
        if (job->Execute())
            return true;
        if (error)
            *error = QStringLiteral("The PDF file \"%1\" cannot be written.").arg(file);
    } catch (const std::exception& e) {
        if (error)
            *error = QString::fromUtf8(e.what());
    }
    return false;
}
