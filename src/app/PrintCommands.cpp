#include "app/PrintCommands.h"

#include "app/CommandAction.h"
#include "app/MainScreen.h"
#include "app/Preferences.h"
#include "platform/IniFile.h"
#include "platform/Interaction.h"
#include "surface/BusinessCardPanel.h"
#include "widgets/WindowPlacement.h"

#include <QMenu>

TPrintCommands::TPrintCommands(TMainScreen& w)
    : QObject(&w),
      FPrinting(*w.BusinessCardPanel, FPrinter,
                {w.Preferences.Layout, w.Preferences.Nudges, w.CardSelection, w.BackgroundFileName},
                &w) {
    FPrinting.LoadPreferences = [&w] { w.Preferences = ReadPreferences(SettingsFileName()); };
    FPrinting.SavePreferences = [&w] {
        if (!WritePreferences(SettingsFileName(), w.Preferences))
            TInteraction::Current().Information(
                &w,
                QStringLiteral("The settings file %1 cannot be written.").arg(SettingsFileName()));
    };
    FPrinting.SetCardSizeFromInches = [&w](double width, double height) {
        w.SetCardSizeFromInches(width, height);
    };
    FPrinting.RestorePreviewPlacement = [](QWidget& p) {
        RestoreWindowPlacement(p, SettingsFileName());
    };
    FPrinting.SavePreviewPlacement = [](QWidget& p) { SaveWindowPlacement(p, SettingsFileName()); };

    TCardPrinting& p = FPrinting;
    w.PrintItem->Wire(this, [&p] { p.Print(); });
    w.PreviewItem->Wire(this, [&p] { p.Preview(); });
    w.OutlineTestPageItem->Wire(this, [&p] { p.PrintOutlineTestPage(); });
    w.PrinterSetupItem->Wire(this, [&p] { p.PrinterSetup(); });
    w.FineTuningItem->Wire(this, [&p] { p.PrinterFineTuning(); });
    w.ChangeLayoutItem->Wire(this, [&p] { p.ChangeBusinessCardLayout(); });

    // Beside Print and Preview in the File menu.
    ExportPdfItem = new QAction(QStringLiteral("Export PDF\u2026"), this);
    ExportPdfItem->setStatusTip(
        QStringLiteral("Writes the sheet of cards, as it would print, into a PDF file."));
    const QList<QAction*> items = w.FileMenu->actions();
    w.FileMenu->insertAction(items.value(items.indexOf(w.PreviewItem) + 1), ExportPdfItem);
    connect(ExportPdfItem, &QAction::triggered, this, [&p] { p.ExportPdf(); });
}
