#include "support/PrintTestSupport.h"
#include "support/TestSupport.h"

#include "app/CommandAction.h"
#include "app/MainScreen.h"
#include "app/MainSettings.h"
#include "app/Preferences.h"
#include "app/PrintCommands.h"
#include "platform/IniFile.h"
#include "printing/EditCardLayout.h"
#include "printing/LabelPrinter.h"
#include "printing/PreviewForm.h"
#include "printing/PrintFineTune.h"
#include "printing/PrintShopDialog.h"
#include "report/PagePreview.h"
#include "report/ReportPrinter.h"
#include "surface/BusinessCardPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QSpinBox>
#include <QtTest>

namespace {

// The main window shown over its own program folder, with scripted answers.
struct TShownMainScreen {
    TTestProgramFolder Folder;
    TScriptedInteraction Ui;
    TMainScreen Window;
    TShownMainScreen() { Window.show(); }
};

// The first page's size as pdfinfo reports it, in points.
QSizeF PdfPageSize(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {pdf});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    for (const QByteArray& line : p.readAllStandardOutput().split('\n'))
        if (line.startsWith("Page size:")) {
            const QList<QByteArray> words = line.mid(10).simplified().split(' ');
            return QSizeF(words.value(0).toDouble(), words.value(2).toDouble());
        }
    return {};
}

// Picks "Print to File (PDF)" in a shown printer dialog, names the file and confirms.
int ChoosePdfPrinter(QDialog& d, const QString& file) {
    d.show();
    auto* printers = d.findChild<QComboBox*>(QStringLiteral("printers"));
    const int pdf = printers ? printers->findText(QStringLiteral("Print to File (PDF)")) : -1;
    if (pdf < 0)
        return QDialog::Rejected;
    printers->setCurrentIndex(pdf);
    d.findChild<QLineEdit*>(QStringLiteral("filename"))->setText(file);
    d.accept();
    return d.result();
}

} // namespace

class TestPrintCommands : public QObject {
    Q_OBJECT
private slots:
    void layoutChangeIsSavedAndSizesTheCard();
    void fineTuningIsSaved();
    void previewUsesTheWindowsSelection();
    void exportPdfWritesTheChosenFile();
    void shopAndPictureExportsAtAnyZoom();
    void outlinePageOnTheLayoutsPaperInPortrait();
    void pdfPrinterOfferedInPrinterDialogs();
};

void TestPrintCommands::layoutChangeIsSavedAndSizesTheCard() {
    TShownMainScreen shown;
    auto& [folder, ui, w] = shown;
    QTRY_VERIFY(w.PrintCommands); // made by the first activation
    ui.OnExec = [](QDialog& d) {
        auto& e = static_cast<TEditCardLayout&>(d);
        e.PredefinedLayouts->setCurrentIndex(12); // A4, 3.543 x 2.126 in
        e.enbrdown->setValue(6);
        e.OkButtonClick();
        return d.result();
    };
    w.ChangeLayoutItem->trigger();
    QCOMPARE(w.BusinessCardPanel->size(), QSize(340, 204));
    QCOMPARE(w.CardSelection.Size(), 12);
    const TPreferences stored = ReadPreferences(SettingsFileName());
    QCOMPARE(stored.Layout.Width, 3.543f);
    QCOMPARE(stored.Layout.Down, 6);
    QCOMPARE(stored.Layout.PredefLayout, 12);
    QCOMPARE(w.Settings->Prefs.Layout, stored.Layout);
}

void TestPrintCommands::fineTuningIsSaved() {
    TShownMainScreen shown;
    auto& [folder, ui, w] = shown;
    QTRY_VERIFY(w.PrintCommands); // made by the first activation
    ui.OnExec = [](QDialog& d) {
        auto& f = static_cast<TPrintFineTune&>(d);
        f.StepDown(TPrintFineTune::LeftMargin);
        f.StepUp(TPrintFineTune::HorizontalSpacing);
        return int(QDialog::Accepted);
    };
    w.FineTuningItem->trigger();
    const TPreferences stored = ReadPreferences(SettingsFileName());
    QCOMPARE(stored.Nudges.LeftMarginNudge, 1);
    QCOMPARE(stored.Nudges.HorizontalSpacing, -1);
}

void TestPrintCommands::previewUsesTheWindowsSelection() {
    TShownMainScreen shown;
    auto& [folder, ui, w] = shown;
    QTRY_VERIFY(w.PrintCommands); // made by the first activation
    w.BusinessCardPanel->AddObject(std::make_unique<TCardMarker>())->SetBounds(5, 5, 20, 20);
    for (int i = 0; i < 10; ++i)
        w.CardSelection.Set(i, i == 3);
    std::vector<QPointF> origins;
    ui.OnExec = [&](QDialog& d) {
        if (auto* s = qobject_cast<TLabelPrinter*>(&d))
            s->Run();
        if (auto* p = qobject_cast<TPreviewForm*>(&d)) {
            p->FormActivate();
            origins = CardOrigins(p->FilePreview1->Stream()->Pages[0]);
        }
        return int(QDialog::Accepted);
    };
    w.PreviewItem->trigger();
    QCOMPARE(origins.size(), size_t(1));
    QCOMPARE(origins[0], QPointF(4.25, 2.5)); // position 3: second column, second row
}

void TestPrintCommands::exportPdfWritesTheChosenFile() {
    TShownMainScreen shown;
    auto& [folder, ui, w] = shown;
    QTRY_VERIFY(w.PrintCommands); // made by the first activation
    const QString file = folder.Path() + "cards.pdf";
    ui.FileNames.push_back(file);
    w.ExportPdfItem->trigger();
    QCOMPARE(ui.FileTitles, QStringList{"Export PDF"});
    QVERIFY(QFileInfo(file).size() > 0);
    QVERIFY(ui.Messages.isEmpty());
}

void TestPrintCommands::shopAndPictureExportsAtAnyZoom() {
    TShownMainScreen shown;
    auto& [folder, ui, w] = shown;
    QTRY_VERIFY(w.PrintCommands);
    w.BusinessCardPanel->SetZoom(1.5f);
    const QString pdf = folder.Path() + "shop.pdf", png = folder.Path() + "card.png";
    ui.OnExec = [](QDialog& d) {
        auto* shop = qobject_cast<TPrintShopDialog*>(&d);
        if (!shop || shop->BleedEdit->value() != 0.125 || !shop->CropMarksCheck->isChecked())
            return int(QDialog::Rejected);
        shop->BleedEdit->setValue(0.25);
        shop->CropMarksCheck->setChecked(false);
        return int(QDialog::Accepted);
    };
    ui.FileNames = {pdf, png};
    w.ExportPrintShopItem->trigger();
    w.ExportPictureItem->trigger();
    QCOMPARE(ui.FileTitles, QStringList({"Export for Print Shop", "Export Picture"}));
    QVERIFY(ui.Messages.isEmpty());
    // The card with a quarter inch all round, no room for marks; the picture at 300 dpi
    // whatever the zoom, which stays as it was.
    QCOMPARE(PdfPageSize(pdf), QSizeF(288, 180));
    QCOMPARE(QImage(png).size(), QSize(1050, 600));
    QCOMPARE(w.BusinessCardPanel->Zoom(), 1.5f);

    // Cancelled at the dialog: no file is asked for.
    ui.OnExec = [](QDialog&) { return int(QDialog::Rejected); };
    w.ExportPrintShopItem->trigger();
    QCOMPARE(ui.FileTitles.size(), 2);
}

void TestPrintCommands::outlinePageOnTheLayoutsPaperInPortrait() {
    TScriptedInteraction ui;
    QTemporaryDir dir;
    TGBasePanel panel;
    TReportPrinter printer;
    printer.SetPrinterName(TReportPrinter::PdfPrinterName());
    printer.Printer().setPageOrientation(QPageLayout::Landscape);
    TPrintStateStore state;
    state.Layout.Papersize = 9; // an A4 card stock
    TCardPrinting printing(panel, printer, state.State(), nullptr);
    const QString pdf = dir.filePath("outline.pdf");
    ui.FileNames.push_back(pdf);
    ui.OnExec = [](QDialog& d) {
        if (auto* status = qobject_cast<TLabelPrinter*>(&d))
            status->Run();
        return int(QDialog::Accepted);
    };
    QVERIFY(printing.PrintOutlineTestPage());
    const QSizeF page = PdfPageSize(pdf);
    QVERIFY2(qAbs(page.width() - 595.28) < 1 && qAbs(page.height() - 841.89) < 1,
             qPrintable(QString("%1 x %2").arg(page.width()).arg(page.height())));
}

void TestPrintCommands::pdfPrinterOfferedInPrinterDialogs() {
    TScriptedInteraction ui;
    QTemporaryDir dir;
    const QString setupFile = dir.filePath("setup.pdf"), printFile = dir.filePath("print.pdf");
    TReportPrinter printer;
    ui.OnExec = [&](QDialog& d) { return ChoosePdfPrinter(d, setupFile); };
    QVERIFY(printer.ShowPrinterSetup(nullptr));
    QCOMPARE(printer.PrinterName(), TReportPrinter::PdfPrinterName());
    QCOMPARE(printer.OutputFileName(), setupFile);
    ui.OnExec = [&](QDialog& d) { return ChoosePdfPrinter(d, printFile); };
    QVERIFY(printer.ShowPrintDialog(nullptr));
    QCOMPARE(printer.OutputFileName(), printFile);
    // The file named in the dialog is used as it stands: nobody is asked again.
    QVERIFY(printer.PrepareOutput(nullptr));
    QVERIFY(ui.FileTitles.isEmpty());
}

QTEST_MAIN(TestPrintCommands)
#include "test_print_commands.moc"
