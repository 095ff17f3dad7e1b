#include "support/PrintTestSupport.h"
#include "support/TestSupport.h"

#include "platform/HelpRequest.h"
#include "printing/CardPrinting.h"
#include "printing/EditCardLayout.h"
#include "printing/PreviewForm.h"
#include "printing/PrintFineTune.h"
#include "printing/SelectSpecificLabels.h"
#include "printing/WarnBottomMargin.h"
#include "report/PagePreview.h"
#include "report/ReportPrinter.h"
#include "surface/BasePanel.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>
#include <QtTest>

class TestPrintDialogs : public QObject {
    Q_OBJECT
private slots:
    void predefinedLayoutsInMillimetres();
    void unitSwitchRoundTrip();
    void validation_data();
    void validation();
    void pitchFollowsCardSize();
    void lengthsStayWithinTheSheet();
    void reopenKeepsStoredStock();
    void layoutCommandSizesPanel();
    void fineTuneCaptions_data();
    void fineTuneCaptions();
    void fineTuneDefaultThenCancel();
    void miniatureRectangles();
    void miniatureClicksAndAllNone();
    void previewZoomSequence();
    void helpButtonsOpenTheirPages();
};

void TestPrintDialogs::predefinedLayoutsInMillimetres() {
    TEditCardLayout d{TCardLayout()};
    QCOMPARE(d.PredefinedLayouts->count(), 14);
    QCOMPARE(d.PredefinedLayouts->itemText(13), QStringLiteral("Avery Business Card L7419 (A4)"));
    QCOMPARE(d.eCardwidth->text(), QStringLiteral("3.5"));
    d.MMButton->setChecked(true);
    QCOMPARE(d.eCardwidth->text(), QStringLiteral("88.9"));
    d.PredefinedLayouts->setCurrentIndex(10); // L7414
    QCOMPARE(d.eCardwidth->text(), QStringLiteral("89.99"));
    QCOMPARE(d.eCardHeight->text(), QStringLiteral("51.99"));
    QCOMPARE(d.epapersize->currentText(), QStringLiteral("A4 (210 x 297mm)"));
    d.OkButtonClick();
    QCOMPARE(d.result(), int(QDialog::Accepted));
    const TCardLayout l = d.Layout();
    QVERIFY(l.UseMM);
    QCOMPARE(l.Papersize, 9);
    QCOMPARE(l.PredefLayout, 10);
    QCOMPARE(l.Width, 3.543f); // 89.99 mm back to inches, three places
    QCOMPARE(l.TopMargin, 0.728f);
}

void TestPrintDialogs::unitSwitchRoundTrip() {
    TEditCardLayout d{TCardLayout()};
    d.MMButton->setChecked(true);
    d.Inchesbutton->setChecked(true);
    // Back in inches the mask keeps at least one decimal.
    QCOMPARE(d.eCardHeight->text(), QStringLiteral("2.0"));
    QCOMPARE(d.eleftmarg->text(), QStringLiteral("0.75"));
}

void TestPrintDialogs::validation_data() {
    QTest::addColumn<bool>("mm");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("hpitch");
    QTest::addColumn<int>("across");
    QTest::addColumn<QString>("message");
    QTest::newRow("7 mm high") << true << "88.9"
                               << "7"
                               << "88.9" << 2 << "Card Height must be at least .3 inches (or 7mm)";
    QTest::newRow("13 mm wide") << true << "13"
                                << "50.8"
                                << "88.9" << 2 << "";
    QTest::newRow("12 mm wide") << true << "12"
                                << "50.8"
                                << "88.9" << 2 << "Card Width must be at least .5 inch (or 13mm)";
    QTest::newRow("pitch below width")
        << false << "3.5"
        << "2"
        << "3" << 2 << "Horizontal Pitch must be at least = Card Width";
    QTest::newRow("one column, pitch 0") << false << "3.5"
                                         << "2"
                                         << "0" << 1 << "";
}

void TestPrintDialogs::validation() {
    QFETCH(bool, mm);
    QFETCH(QString, width);
    QFETCH(QString, height);
    QFETCH(QString, hpitch);
    QFETCH(int, across);
    QFETCH(QString, message);
    TScriptedInteraction ui;
    TEditCardLayout d{TCardLayout()};
    d.MMButton->setChecked(mm);
    for (auto [edit, text] : {std::pair{d.eCardwidth, width}, std::pair{d.eCardHeight, height},
                              std::pair{d.eHorizPitch, hpitch}}) {
        edit->setText(text);
        emit edit->textEdited(text);
    }
    d.enbracross->setValue(across);
    d.OkButtonClick();
    QCOMPARE(ui.Messages, message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(d.result() == QDialog::Accepted, message.isEmpty());
}

void TestPrintDialogs::pitchFollowsCardSize() {
    TEditCardLayout d{TCardLayout()};
    d.eCardwidth->setText("4");
    emit d.eCardwidth->textEdited("4");
    emit d.eCardwidth->editingFinished();
    QCOMPARE(d.eHorizPitch->text(), QStringLiteral("4"));
    d.eCardHeight->setText("1.5");
    emit d.eCardHeight->textEdited("1.5");
    emit d.eCardHeight->editingFinished();
    QCOMPARE(d.eVertPitch->text(), QStringLiteral("2")); // a smaller card keeps the pitch
}

void TestPrintDialogs::lengthsStayWithinTheSheet() {
    TScriptedInteraction ui;
    TEditCardLayout d{TCardLayout()};
    auto type = [](QLineEdit* e, const QString& text) {
        e->setText(text);
        emit e->textEdited(text);
        emit e->editingFinished();
    };
    // Leaving a field shows the nearest length the layout takes; the pitch follows.
    type(d.eCardwidth, "500");
    QCOMPARE(d.eCardwidth->text(), QStringLiteral("12"));
    QCOMPARE(d.eHorizPitch->text(), QStringLiteral("12"));
    type(d.eleftmarg, "-1");
    QCOMPARE(d.eleftmarg->text(), QStringLiteral("0"));
    d.MMButton->setChecked(true);
    type(d.eCardHeight, "9999");
    QCOMPARE(d.eCardHeight->text(), QStringLiteral("304.8"));
    d.OkButtonClick();
    QVERIFY(ui.Messages.isEmpty());
    const TCardLayout l = d.Layout();
    QCOMPARE(l.Width, 12.0f);
    QCOMPARE(l.Height, 12.0f);
    QCOMPARE(l.LeftMargin, 0.0f);
}

void TestPrintDialogs::reopenKeepsStoredStock() {
    TCardLayout l;
    ApplyPredefinedLayout(l, 12);
    l.PredefLayout = 12;
    l.Width = 3.0f; // edited by hand afterwards
    TEditCardLayout d(l);
    QCOMPARE(d.PredefinedLayouts->currentIndex(), 12);
    QCOMPARE(d.eCardwidth->text(), QStringLiteral("3"));
}

void TestPrintDialogs::layoutCommandSizesPanel() {
    TScriptedInteraction ui;
    TGBasePanel panel;
    panel.resize(10, 10);
    TReportPrinter printer;
    TPrintStateStore state;
    TCardPrinting printing(panel, printer, state.State(), nullptr);
    int saves = 0;
    printing.SavePreferences = [&] { ++saves; };
    printing.SetCardSizeFromInches = [&](double w, double h) {
        panel.resize(int(w * 96), int(h * 96));
    };
    ui.OnExec = [](QDialog& d) {
        auto& e = static_cast<TEditCardLayout&>(d);
        e.enbrdown->setValue(8);
        e.OkButtonClick();
        return d.result();
    };
    QVERIFY(printing.ChangeBusinessCardLayout());
    QCOMPARE(panel.size(), QSize(336, 192));
    QCOMPARE(saves, 1);
    QCOMPARE(state.Layout.Down, 8);
    QCOMPARE(state.CardSelection.Size(), 16); // every position of the larger sheet
    QVERIFY(state.CardSelection[15]);
}

void TestPrintDialogs::fineTuneCaptions_data() {
    QTest::addColumn<int>("downPresses");
    QTest::addColumn<int>("upPresses");
    QTest::addColumn<QString>("caption");
    QTest::newRow("ten down stop at 8") << 10 << 0 << "Increase by 8/32\"";
    QTest::newRow("three down") << 3 << 0 << "Increase by 3/32\"";
    QTest::newRow("back to none") << 2 << 2 << "None";
    QTest::newRow("twelve up stop at -8") << 0 << 12 << "Decrease by 8/32\"";
}

void TestPrintDialogs::fineTuneCaptions() {
    QFETCH(int, downPresses);
    QFETCH(int, upPresses);
    QFETCH(QString, caption);
    TPrintFineTune d{TPrinterNudges()};
    for (int i = 0; i < downPresses; ++i)
        d.StepDown(TPrintFineTune::TopMargin);
    for (int i = 0; i < upPresses; ++i)
        d.StepUp(TPrintFineTune::TopMargin);
    QCOMPARE(d.lTopMarginNudge->text(), caption);
    QCOMPARE(d.LLeftMarginNudge->text(), QStringLiteral("None"));
}

void TestPrintDialogs::fineTuneDefaultThenCancel() {
    TScriptedInteraction ui;
    TGBasePanel panel;
    TReportPrinter printer;
    TPrintStateStore state;
    state.Nudges.VerticalSpacing = 3;
    TCardPrinting printing(panel, printer, state.State(), nullptr);
    QString shown;
    ui.OnExec = [&shown](QDialog& d) {
        auto& f = static_cast<TPrintFineTune&>(d);
        shown = f.LVerticalSpacing->text();
        f.DefaultButtonClick();
        return int(QDialog::Rejected);
    };
    QVERIFY(!printing.PrinterFineTuning());
    QCOMPARE(shown, QStringLiteral("Increase by 3/32\""));
    QCOMPARE(state.Nudges.VerticalSpacing, 3);
    // A value beyond the dialog's range, from the settings file, still reads sensibly.
    QCOMPARE(NudgeCaption(12), QStringLiteral("Increase by 12/32\""));
}

void TestPrintDialogs::miniatureRectangles() {
    TCardLayout l;
    const auto rects = TSelectSpecificLabels::DetermineRectangles(l, 96);
    QCOMPARE(rects.size(), size_t(10));
    // s = 19.2: margins 14 and 9 pixels, cards 67 x 38, pitch 67 and 38.
    QCOMPARE(rects[0], QRect(24, 19, 67, 38));
    QCOMPARE(rects[1], QRect(91, 19, 67, 38));
    QCOMPARE(rects[9], QRect(91, 171, 67, 38));
    QCOMPARE(TSelectSpecificLabels::SheetRect(l, 96), QRect(10, 10, 163, 211));
}

void TestPrintDialogs::miniatureClicksAndAllNone() {
    TScriptedInteraction ui;
    TReportPrinter printer;
    TCardLayout l;
    l.Down = 3; // 2 x 3 sheet
    TCardSelection sel;
    TSelectSpecificLabels d(l, sel, printer);
    QCOMPARE(d.windowTitle(), QStringLiteral("Print Cards"));
    QCOMPARE(d.PrinterLabel->text(), printer.PrinterName());
    QCOMPARE(d.Rectangles().size(), size_t(6));
    d.PaintBoxClick(QPoint(24, 19)); // top-left corner is inside
    QVERIFY(!d.Selection()[0]);
    d.PaintBoxClick(QPoint(91, 19)); // the right edge of the first belongs to the second
    QVERIFY(!d.Selection()[1]);
    QVERIFY(d.Selection()[0] == false);
    d.NoneButtonClick();
    QVERIFY(d.Selection()[9]); // beyond the six positions: untouched
    d.OkButtonClick();
    QCOMPARE(ui.Messages, QStringList{"You must select at least one card to print"});
    d.AllButtonClick();
    d.pages->setValue(2);
    d.OkButtonClick();
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(printer.Copies(), 2);
}

void TestPrintDialogs::previewZoomSequence() {
    TPageStream stream;
    stream.Pages.resize(1);
    TPreviewForm form(stream);
    form.FormActivate();
    QCOMPARE(form.FilePreview1->ZoomFactor(), 130.0);
    QCOMPARE(form.windowTitle(), QStringLiteral("Preview Page 1 of 1"));
    for (int i = 0; i < 3; ++i)
        emit form.FilePreview1->MouseDown(Qt::LeftButton);
    QCOMPARE(form.FilePreview1->ZoomFactor(), 160.0);
    emit form.FilePreview1->MouseDown(Qt::RightButton);
    QCOMPARE(form.FilePreview1->ZoomFactor(), 150.0);
    // The page is drawn at the zoom: a Letter page at 150 % of 96 pixels per inch.
    QCOMPARE(form.FilePreview1->PageImage().size(), QSize(1224, 1584));
    form.sbZoomPage->click();
    const QSize page = form.FilePreview1->PageImage().size();
    QVERIFY(page.height() < form.FilePreview1->viewport()->height());
}

void TestPrintDialogs::helpButtonsOpenTheirPages() {
    TReportPrinter printer;
    TPageStream stream;
    TEditCardLayout layout{TCardLayout()};
    TSelectSpecificLabels select(TCardLayout(), TCardSelection(), printer);
    TPrintFineTune fine{TPrinterNudges()};
    TWarnBottomMargin warn(0.7);
    TPreviewForm preview(stream);
    const std::pair<QDialog*, int> dialogs[] = {
        {&layout, 3101}, {&select, 2020}, {&fine, 2103}, {&warn, 2105}, {&preview, 2039}};
    for (auto [dialog, context] : dialogs) {
        for (QPushButton* b : dialog->findChildren<QPushButton*>())
            if (b->text() == QLatin1String("Help"))
                b->click();
        QCOMPARE(LastHelpRequest(), context);
    }
}

QTEST_MAIN(TestPrintDialogs)
#include "test_print_dialogs.moc"
