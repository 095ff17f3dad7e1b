// The barcode object: encoding, where modules fall, content building, streaming, drawing on
// screen and the properties dialog.
#include "support/BarcodeReading.h"
#include "support/ObjectTestSupport.h"
#include "support/PrintTestSupport.h"
#include "support/TestSupport.h"

#include "merge/MergeList.h"
#include "objects/Barcode.h"
#include "objects/BarcodeGraphic.h"
#include "objects/BarcodeKind.h"
#include "objects/BarcodeLayout.h"
#include "objects/BarcodeProperties.h"
#include "report/RecordingCanvas.h"
#include "surface/ObjectFiler.h"
#include "surface/ObjectStream.h"
#include "widgets/ColorDropDown.h"

#include <QBuffer>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

namespace {

QByteArray shortString(const QByteArray& s) {
    return char(s.size()) + s;
}

// The vCard lines of a decoded contact, split at CRLF.
QStringList CardLines(const QString& vcard) {
    return vcard.split(QStringLiteral("\r\n"));
}

} // namespace

class TestBarcode : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { RegisterBarcode(); }

    // Content each symbology refuses comes back with the reason, never a code or a throw.
    void refusedContentSaysWhy_data() {
        QTest::addColumn<int>("symbology");
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("reason");
        QTest::newRow("empty") << int(syQRCode) << QString() << "nothing to encode";
        QTest::newRow("EAN letters") << int(syEAN13) << "40063813339a"
                                     << "digits only";
        QTest::newRow("EAN length") << int(syEAN13) << "12345"
                                    << "this content has 5";
        QTest::newRow("EAN check digit") << int(syEAN13) << "4006381333932"
                                         << "would be 1";
        QTest::newRow("Code 128 accent")
            << int(syCode128) << QStringLiteral("Gr\u00fc\u00dfe") << "no accents";
        QTest::newRow("Code 128 length") << int(syCode128) << QString(81, 'x') << "at most 80";
        QTest::newRow("Data Matrix script")
            << int(syDataMatrix) << QStringLiteral("\u6771\u4eac") << "Latin letters";
        QTest::newRow("QR too long") << int(syQRCode) << QString(3000, 'a') << "level M";
        QTest::newRow("huge") << int(syDataMatrix) << QString(100000, '7') << "too long";
    }
    void refusedContentSaysWhy() {
        QFETCH(int, symbology);
        QFETCH(QString, content);
        QFETCH(QString, reason);
        const TBarcodeSymbol s = EncodeBarcode(TBarcodeSymbology(symbology), content, ecM);
        QVERIFY(!s.IsValid());
        QVERIFY2(s.Error.contains(reason), qPrintable(s.Error));
        QVERIFY(s.Runs.empty());
    }

    void levelAndSizeFollowTheSettings() {
        // Lower error correction holds more: what H refuses, L takes.
        const QString long2000(2000, 'a');
        QVERIFY(!EncodeBarcode(syQRCode, long2000, ecH).IsValid());
        QVERIFY(EncodeBarcode(syQRCode, long2000, ecL).IsValid());
        // The 12 digits of an EAN-13 get their check digit: 95 modules, one row of bars.
        const TBarcodeSymbol ean = EncodeBarcode(syEAN13, "400638133393", ecM);
        QCOMPARE(ean.Columns, 95);
        QCOMPARE(ean.Rows, 1);
        // Runs are whole runs: two in a row never touch, and none is empty.
        const TBarcodeSymbol qr = EncodeBarcode(syQRCode, "https://pentavo.example", ecQ);
        QCOMPARE(qr.Columns, qr.Rows);
        for (std::size_t i = 0; i < qr.Runs.size(); ++i) {
            QVERIFY(qr.Runs[i].Length > 0);
            if (i > 0 && qr.Runs[i - 1].Row == qr.Runs[i].Row)
                QVERIFY(qr.Runs[i - 1].Column + qr.Runs[i - 1].Length < qr.Runs[i].Column);
        }
        // A QR code's top-left finder pattern: its first row is one run of seven.
        QCOMPARE(qr.Runs[0], (TModuleRun{0, 0, 7}));
    }

    void modulesAreWholePixelsCentredInTheBox() {
        const TBarcodeSymbol qr = EncodeBarcode(syQRCode, "Hello", ecM); // 21 x 21
        // 21 + 2 x 4 = 29 modules in 100 pixels: 3 each, 87 in all, 13 left over.
        TBarcodeLayout l = LayOutBarcode(qr, 4, QRect(10, 0, 100, 120));
        QCOMPARE(l.Module, 3.0);
        QCOMPARE(l.Area, QRectF(16, 16, 87, 87));
        QCOMPARE(l.Origin, QPointF(28, 28));
        QCOMPARE(l.RunRect({2, 5, 3}), QRectF(43, 34, 9, 3));
        // The same code at 150 %: 150 x 180 pixels give 5-pixel modules.
        l = LayOutBarcode(qr, 4, QRect(15, 0, 150, 180));
        QCOMPARE(l.Module, 5.0);
        QCOMPARE(l.Area.topLeft(), QPointF(15 + 2, 17));
        // Bars of a linear code run the full height.
        const TBarcodeSymbol ean = EncodeBarcode(syEAN13, "400638133393", ecM); // 95 + 20
        l = LayOutBarcode(ean, 10, QRect(0, 5, 240, 60));
        QCOMPARE(l.Module, 2.0);
        QCOMPARE(l.Area, QRectF(5, 5, 230, 60));
        QCOMPARE(l.RunRect({0, 0, 1}), QRectF(25, 5, 2, 60));
        // A box too small for one pixel a module still fits the code into it.
        l = LayOutBarcode(qr, 4, QRect(0, 0, 20, 20));
        QVERIFY(l.Module < 1 && l.Area.width() <= 20);
    }

    void contactCardsAreVCardText() {
        TContact c;
        c[cfName] = "Jane Q. Smith";
        c[cfCompany] = "Smith, Jones; Partners";
        c[cfAddress1] = "12 Harbour Street";
        c[cfAddress2] = "Bristol";
        c[cfPhone1] = "+44 20 7946 0000";
        c[cfEmail] = "jane@pentavo.example";
        const QString card = BuildVCard(c);
        QCOMPARE(CardLines(card),
                 QStringList({"BEGIN:VCARD", "VERSION:3.0", "FN:Jane Q. Smith",
                              "N:Smith;Jane Q.;;;", "ORG:Smith\\, Jones\\; Partners",
                              "ADR;TYPE=WORK:;;12 Harbour Street\\nBristol;;;;",
                              "TEL;TYPE=WORK,VOICE:+44 20 7946 0000",
                              "EMAIL;TYPE=INTERNET:jane@pentavo.example", "END:VCARD"}));
        // Read back, every field is what was typed.
        QCOMPARE(ParseVCard(card), c);
        // Merge fields stay as written and give no structured name.
        const QString merged = BuildVCard(MergeFieldContact());
        QVERIFY(merged.contains("\r\nFN:${Name}\r\n"));
        QVERIFY(merged.contains("TEL;TYPE=WORK,FAX:${Fax}\r\n"));
        QVERIFY(!merged.contains("\r\nN:"));
    }

    void mergedValuesFitTheContent() {
        TMergeList list;
        list.Columns = {"Name", "Phone"};
        list.Records = {{"Doe; John\nADR:evil", "+1 (555) 010-9999"}};
        const TMergeRecord record{&list, 0};
        // A value cannot break out of its vCard line.
        QCOMPARE(MergedBarcodeContent(ckContact, "FN:${Name}\r\nEND:VCARD", record),
                 QStringLiteral("FN:Doe\\; John\\nADR:evil\r\nEND:VCARD"));
        QCOMPARE(MergedBarcodeContent(ckPhone, PhoneContent("${Phone}"), record),
                 QStringLiteral("tel:+15550109999"));
        QCOMPARE(MergedBarcodeContent(ckText, "Hi ${Name}", {}), QStringLiteral("Hi ${Name}"));
        QCOMPARE(WebAddressContent(" pentavo.example/card "),
                 QStringLiteral("https://pentavo.example/card"));
        QCOMPARE(WebAddressContent("ftp://x.example"), QStringLiteral("ftp://x.example"));
        QCOMPARE(PhoneContent("tel:+44 (20) 7946-0000"), QStringLiteral("tel:+442079460000"));
        QCOMPARE(PhoneContent("  "), QString());
    }

    // What the panel paints decodes to the content, for every symbology, at 100 % and 150 %.
    void paintedCodesRead_data() {
        QTest::addColumn<int>("symbology");
        QTest::addColumn<QString>("content");
        QTest::addColumn<float>("zoom");
        for (float zoom : {1.0f, 1.5f}) {
            const QByteArray z = zoom == 1.0f ? " 100%" : " 150%";
            QTest::newRow("QR" + z) << int(syQRCode) << "https://pentavo.example/card" << zoom;
            QTest::newRow("Data Matrix" + z) << int(syDataMatrix) << "Pentavo 2026" << zoom;
            QTest::newRow("Code 128" + z) << int(syCode128) << "PTV-12345" << zoom;
            QTest::newRow("EAN-13" + z) << int(syEAN13) << "4006381333931" << zoom;
        }
    }
    void paintedCodesRead() {
        QFETCH(int, symbology);
        QFETCH(QString, content);
        QFETCH(float, zoom);
        TTestCardPanel panel;
        const bool linear = IsLinearSymbology(TBarcodeSymbology(symbology));
        TGBarcode* b = AddBarcode(panel, TBarcodeSymbology(symbology), content,
                                  linear ? QRect(20, 40, 260, 70) : QRect(20, 20, 110, 110));
        panel.SetZoom(zoom);
        // The reader looks for a Data Matrix about the middle of the picture: it gets the
        // code's surroundings, as a phone held over it would.
        QCOMPARE(ReadCode(panel.CardImage().copy(b->BoundsRect().adjusted(-20, -20, 20, 20))),
                 content);
    }

    void shownRecordFillsTheCode() {
        TMergeList list;
        list.Columns = {"Name", "Title"};
        list.Records = {{"Ann Example", "Chief Engineer"}, {"Bo Example", "Printer"}};
        TTestCardPanel panel;
        TGBarcode* b = AddBarcode(panel, syQRCode, "BEGIN:VCARD\r\nFN:${Name}\r\nEND:VCARD");
        b->SetContentKind(ckContact);
        panel.SetZoom(1.5f);
        panel.SetMergeRecord({&list, 1});
        QCOMPARE(ReadCode(panel.CardImage()),
                 QStringLiteral("BEGIN:VCARD\r\nFN:Bo Example\r\nEND:VCARD"));
        panel.SetMergeRecord({&list, 0});
        QCOMPARE(ReadCode(panel.CardImage()),
                 QStringLiteral("BEGIN:VCARD\r\nFN:Ann Example\r\nEND:VCARD"));
        // The stored content keeps its fields.
        QVERIFY(b->Content().contains("${Name}"));
    }

    void screenModulesAreCrispAndColoured() {
        TTestCardPanel panel;
        TGBarcode* b = AddBarcode(panel, syQRCode, "Hello", QRect(0, 0, 100, 100));
        b->SetForeColor(clNavy);
        b->SetBackColor(clYellow);
        const QImage img = PaintAlone(*b, Qt::green);
        // Only the three colours: no blended edge pixels.
        QSet<QRgb> colours;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                colours.insert(img.pixel(x, y) & 0xFFFFFF);
        QCOMPARE(colours, (QSet<QRgb>{0x00FF00, 0xFFFF00, 0x000080}));
        // The quiet zone is background; the finder's corner module is ink.
        QCOMPARE(img.pixel(6 + 3, 6 + 3) & 0xFFFFFF, QRgb(0xFFFF00));
        QCOMPARE(img.pixel(6 + 12, 6 + 12) & 0xFFFFFF, QRgb(0x000080));
        // Transparent: the card shows where the background was.
        b->SetTransparent(true);
        QCOMPARE(PaintAlone(*b, Qt::green).pixel(9, 9) & 0xFFFFFF, QRgb(0x00FF00));
    }

    void refusedContentIsCrossedOutAndNotPrinted() {
        TTestCardPanel panel;
        TGBarcode* b = AddBarcode(panel, syEAN13, "not digits", QRect(0, 0, 60, 40));
        const QImage img = PaintAlone(*b);
        auto red = [&](int x, int y) {
            return qRed(img.pixel(x, y)) > 150 && qGreen(img.pixel(x, y)) < 80;
        };
        // The frame, and the two diagonals crossing in the middle.
        QVERIFY(red(0, 10) && red(59, 10) && red(30, 0) && red(30, 39));
        QVERIFY(red(0, 0) && red(59, 39) && red(0, 39) && red(59, 0));
        QVERIFY(red(29, 19) || red(30, 20) || red(30, 19));
        QCOMPARE(img.pixel(30, 5), qRgb(255, 255, 255));
        TPageStream stream;
        TRecordingCanvas canvas(stream);
        b->PrintTo(canvas, 1, 1);
        QVERIFY(stream.Pages.empty() || stream.Pages[0].empty());
    }

    void printsOneRectanglePerRunOnWholeDevicePixels() {
        TTestCardPanel panel;
        TGBarcode* b = AddBarcode(panel, syQRCode, "Pentavo", QRect(10, 10, 96, 96));
        TPageStream stream; // 1200 dpi, like the printer
        TRecordingCanvas canvas(stream);
        canvas.BeginPage();
        b->PrintTo(canvas, 0.5, 0.25);
        const auto ops = OpsOf(stream.Pages[0], TReportOpKind::StretchGraphic);
        QCOMPARE(int(ops.size()), 1);
        const auto* graphic = dynamic_cast<const TBarcodeGraphic*>(ops[0].Graphic.get());
        QVERIFY(graphic);
        const QRect box = ops[0].Device;
        const int boxLeft = int(std::lround((0.5 + 10 / 96.0) * 1200));
        QCOMPARE(box, QRect(boxLeft, int(std::lround((0.25 + 10 / 96.0) * 1200)), 1200, 1200));
        // One inch at 1200 dpi: 29 modules of 41 pixels, centred.
        const QRect area = *graphic->BackgroundRect(box);
        QCOMPARE(area.size(), QSize(29 * 41, 29 * 41));
        QCOMPARE(area.left(), boxLeft + (1200 - 29 * 41) / 2);
        // Drawn, every run covers whole modules of 41 pixels exactly: its first and last
        // pixels are ink, the pixels just before and after it are background.
        QImage device(box.size(), QImage::Format_RGB32);
        device.fill(Qt::red);
        QPainter painter(&device);
        graphic->Draw(painter, QRectF(QPointF(0, 0), box.size()));
        painter.end();
        const QPoint origin = area.topLeft() - box.topLeft() + QPoint(4 * 41, 4 * 41);
        const QRgb ink = qRgb(0, 0, 0), paper = qRgb(255, 255, 255);
        for (const TModuleRun& run : b->Symbol().Runs) {
            const QRect r(origin + QPoint(run.Column * 41, run.Row * 41),
                          QSize(run.Length * 41, 41));
            QCOMPARE(device.pixel(r.topLeft()), ink);
            QCOMPARE(device.pixel(r.bottomRight()), ink);
            QCOMPARE(device.pixel(r.topLeft() - QPoint(1, 0)), paper);
            QCOMPARE(device.pixel(r.topRight() + QPoint(1, 0)), paper);
        }
        QCOMPARE(device.pixel(area.topLeft() - box.topLeft()), paper);
        b->SetTransparent(true);
        TPageStream again;
        TRecordingCanvas clear(again);
        clear.BeginPage();
        b->PrintTo(clear, 0.5, 0.25);
        QVERIFY(
            !dynamic_cast<const TBarcodeGraphic&>(*again.Pages[0][0].Graphic).BackgroundRect(box));
    }

    void streamsLikeEveryKind() {
        // A record as design files hold it, written from the format: the barcode's
        // properties follow the base's, enumerations by name, colours by name or number.
        QByteArray file("\x01TPF0", 5);
        file += shortString("TGBarcode") + shortString("Code1");
        file += shortString("Left") + "\x02\x0A" + shortString("Top") + "\x02\x14";
        file += shortString("Width") + QByteArray("\x03\xC8\x00", 3) + shortString("Height") +
                "\x02\x50";
        file += shortString("Locked") + '\x08' + shortString("Unselectable") + '\x08';
        file += shortString("Symbology") + '\x07' + shortString("syEAN13");
        file += shortString("ContentKind") + '\x07' + shortString("ckPhone");
        file += shortString("Content") + '\x06' + shortString("tel:+4420");
        file += shortString("ErrorCorrection") + '\x07' + shortString("ecH");
        file += shortString("ForeColor") + '\x07' + shortString("clNavy");
        file += shortString("BackColor") + QByteArray("\x04\x56\x34\x12\x00", 5);
        file += shortString("Transparent") + '\x09';
        file += shortString("QuietZone") + "\x02\x07";
        file += QByteArray("\x00\x00\x00", 3);
        TTestCardPanel panel;
        std::vector<TGGraphicControl*> objects;
        try {
            objects = TGLabelObjectFiler(panel).ReadObjects(file.constData(), file.size());
        } catch (const EStreamError& e) {
            QFAIL(qPrintable(e.Message()));
        }
        QCOMPARE(int(objects.size()), 1);
        auto* b = dynamic_cast<TGBarcode*>(objects[0]);
        QVERIFY(b);
        QCOMPARE(b->BoundsRect(), QRect(10, 20, 200, 80));
        QCOMPARE(b->Symbology(), syEAN13);
        QCOMPARE(b->ContentKind(), ckPhone);
        QCOMPARE(b->Content(), QStringLiteral("tel:+4420"));
        QCOMPARE(b->ErrorCorrection(), ecH);
        QCOMPARE(b->ForeColor(), clNavy);
        QCOMPARE(b->BackColor(), TColor(0x123456));
        QVERIFY(b->Transparent());
        QCOMPARE(b->QuietZone(), 7);
        // Written back, the record is the same bytes but for the name the reader gave it.
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        TGLabelObjectFiler::WriteObjects(out, objects);
        QByteArray expected = file;
        expected.replace(shortString("Code1"), shortString(b->Name().toLatin1()));
        QCOMPARE(out.data(), expected);
    }

    void defaultsAreLeftOutButTheQuietZone() {
        TGBarcode b;
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        TGLabelObjectFiler::WriteObjects(out, {&b});
        const QByteArray bytes = out.data();
        for (const char* name : {"Symbology", "ContentKind", "Content", "ErrorCorrection",
                                 "ForeColor", "BackColor", "Transparent"})
            QVERIFY2(!bytes.contains(shortString(name)), name);
        QVERIFY(bytes.contains(shortString("QuietZone") + "\x02\x04"));
        // Values out of range are ignored, as for the other kinds.
        b.SetQuietZone(-1);
        b.SetSymbology(TBarcodeSymbology(9));
        b.SetErrorCorrection(TErrorCorrection(-2));
        QCOMPARE(b.QuietZone(), 4);
        QCOMPARE(b.Symbology(), syQRCode);
        QCOMPARE(b.ErrorCorrection(), ecM);
    }

    void toolOffersTheOwnersContactAndGrowsAClick() {
        TScriptedInteraction interaction;
        QString caption, status;
        interaction.OnExec = [&](QDialog& d) {
            caption = d.windowTitle();
            auto& dialog = static_cast<TBarcodeProperties&>(d);
            status = dialog.StatusLabel->text();
            return int(QDialog::Accepted);
        };
        TTestCardPanel panel;
        panel.SetPersonalInfo(0, "Ann Example");
        panel.SetPersonalInfo(6, "+44 20 7946 0001");
        auto* b = dynamic_cast<TGBarcode*>(panel.Draw(psBarcode, QRect(30, 30, 5, 5)));
        QVERIFY(b);
        QCOMPARE(caption, QStringLiteral("Barcode Properties"));
        QVERIFY2(status.startsWith("QR Code: "), qPrintable(status));
        QCOMPARE(b->ContentKind(), ckContact);
        QCOMPARE(ParseVCard(b->Content())[cfPhone1], QStringLiteral("+44 20 7946 0001"));
        QCOMPARE(b->BoundsRect(), QRect(30, 30, 96, 96));
        QCOMPARE(panel.PanelState(), psPointing);
    }

    void dialogBuildsContentByKind() {
        TGBarcode original;
        original.SetContentKind(ckContact);
        original.SetContent(BuildVCard(MergeFieldContact()));
        TContact own;
        own[cfName] = "Ann Example";
        own[cfEmail] = "ann@pentavo.example";
        TBarcodeProperties dialog(nullptr, own);
        dialog.Preview().AssignProperties(original);
        dialog.FormActivate();
        // A stored contact shows its fields and is kept as stored until edited.
        QCOMPARE(dialog.ContactEdits[cfTitle]->text(), QStringLiteral("${Title}"));
        QCOMPARE(dialog.Preview().Content(), original.Content());
        QVERIFY(dialog.StatusText().contains("filled in for each card"));
        dialog.PersonalButton->click();
        QCOMPARE(ParseVCard(dialog.Preview().Content()), own);

        dialog.KindCombo->setCurrentIndex(ckPhone);
        dialog.PhoneEdit->setText("+44 20 7946 0002");
        QCOMPARE(dialog.Preview().Content(), QStringLiteral("tel:+442079460002"));
        dialog.KindCombo->setCurrentIndex(ckWebAddress);
        dialog.WebEdit->setText("pentavo.example");
        QCOMPARE(dialog.Preview().ContentKind(), ckWebAddress);
        QCOMPARE(dialog.Preview().Content(), QStringLiteral("https://pentavo.example"));

        // A symbology that cannot hold the content says why; the quiet zone follows the kind.
        dialog.SymbologyCombo->setCurrentIndex(syEAN13);
        QCOMPARE(dialog.QuietZoneSpin->value(), 10);
        QVERIFY(!dialog.ErrorCorrectionCombo->isEnabled());
        QVERIFY(dialog.StatusLabel->text().contains("digits only"));
        dialog.KindCombo->setCurrentIndex(ckText);
        dialog.TextEdit->setPlainText("400638133393");
        QVERIFY(dialog.StatusLabel->text().startsWith("EAN-13: 95 modules"));
        // A quiet zone the user chose stays.
        dialog.QuietZoneSpin->setValue(12);
        dialog.SymbologyCombo->setCurrentIndex(syQRCode);
        QCOMPARE(dialog.Preview().QuietZone(), 12);

        QVERIFY(ControlsWithoutWhatsThis(dialog).isEmpty());
    }

    void contextMenuFollowsTheOthers() {
        TTestCardPanel panel;
        TGBarcode* b = AddBarcode(panel, syQRCode, "x");
        b->Loaded();
        const QStringList captions = MenuCaptions(b->ContextMenu());
        QCOMPARE(
            captions.mid(captions.indexOf("Center Horizontally") + 1),
            QStringList({"-", "Properties", "-", "Code Color", "Background Color", "Transparent"}));
        b->SetTransparent(true);
        b->PopupOpening();
        QVERIFY(MenuItem(b->ContextMenu(), "Transparent")->isChecked());
    }
};

QTEST_MAIN(TestBarcode)
#include "test_barcode.moc"
