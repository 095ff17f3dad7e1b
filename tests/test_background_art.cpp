#include "support/FocusAsWhenOpened.h"
#include "support/MetafileSamples.h"
#include "support/PrintTestSupport.h"
#include "support/TestSupport.h"

#include "app/LoadBackGround.h"
#include "app/ObjectKinds.h"
#include "app/ShippedPictures.h"
#include "objects/Image.h"
#include "printing/LabelPrintRun.h"
#include "report/PictureGraphic.h"
#include "report/StreamJob.h"
#include "surface/BusinessCardPanel.h"
#include "widgets/DialogButtonBar.h"

#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

namespace {

// The program folder with "BG" holding a bitmap and a metafile.
struct TArtFolder {
    TTestProgramFolder Folder;
    QString Bg;
    TArtFolder() {
        Bg = Folder.Path() + "BG/";
        QDir().mkpath(Bg);
        QImage green(35, 20, QImage::Format_RGB32);
        green.fill(Qt::green);
        green.save(Bg + "green.bmp", "BMP");
        WriteTestFile(Bg + "halves.wmf", SampleWmf());
    }
};

std::vector<TReportOp> PrintedArt(const QString& file, TReportOpKind kind) {
    TGBasePanel panel;
    TPageStream stream;
    stream.Metrics.XDPI = stream.Metrics.YDPI = 600;
    TPrintRunSettings settings;
    settings.BackgroundFile = file;
    TStreamJob job(stream);
    TLabelPrintRun run(panel, settings);
    run.LoadBackGround();
    job.OnPrint = [&](TReportJob& r) { run.PrintLabels(r); };
    job.Execute();
    return OpsOf(stream.Pages.at(0), kind);
}

} // namespace

class TestBackgroundArt : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { RegisterObjectKinds(); }
    void chooserStartsAtTheCurrentArt();
    void okNeedsASelectionNoneClearsArt();
    void panelShowsMetafileArtBehindObjects();
    void printRunStretchesMetafileArtIntoEveryCard();
    void pdfKeepsMetafilesAsVectors();
    void shippedPicturesInstalledWhereMissing();
};

void TestBackgroundArt::chooserStartsAtTheCurrentArt() {
    TArtFolder art;
    TScriptedInteraction ui;
    TGBasePanel panel;
    QStringList shown;
    ui.OnExec = [&](QDialog& d) {
        auto& chooser = static_cast<TLoadBackGround&>(d);
        shown << chooser.Folder() + "|" + chooser.SelectedFile();
        return int(QDialog::Rejected);
    };
    // A name whose file is gone: the file of that name in "BG" is selected.
    QString name = "/gone/halves.wmf";
    QVERIFY(!SetBackgroundArt(nullptr, panel, name));
    // An existing file elsewhere: its own folder.
    const QString elsewhere = art.Folder.Path() + "mine/";
    QDir().mkpath(elsewhere);
    WriteTestFile(elsewhere + "own.wmf", SampleWmf());
    name = elsewhere + "own.wmf";
    SetBackgroundArt(nullptr, panel, name);
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown[0], QDir(art.Bg).absolutePath() + "|" + art.Bg + "halves.wmf");
    QCOMPARE(shown[1], QDir(elsewhere).absolutePath() + "|" + elsewhere + "own.wmf");
    QCOMPARE(name, elsewhere + "own.wmf"); // Cancel changes nothing
    QVERIFY(panel.ColorPicture().IsEmpty());
}

void TestBackgroundArt::okNeedsASelectionNoneClearsArt() {
    TArtFolder art;
    TScriptedInteraction ui;
    TGBasePanel panel;
    QString name;
    ui.OnExec = [&](QDialog& d) {
        auto& chooser = static_cast<TLoadBackGround&>(d);
        // The list takes the focus as the chooser opens, and still nothing is chosen.
        chooser.show();
        FocusAsWhenOpened(*chooser.FileListBox1);
        chooser.Buttons->OKButton()->click(); // nothing selected: a beep, still open
        if (chooser.result() == QDialog::Accepted || ui.Beeps != 1)
            return int(QDialog::Rejected);
        chooser.SelectFile("green.bmp");
        chooser.Buttons->OKButton()->click();
        return chooser.result();
    };
    QVERIFY(SetBackgroundArt(nullptr, panel, name));
    QCOMPARE(name, art.Bg + "green.bmp");
    QCOMPARE(panel.ColorPicture().Kind(), TPicture::TKind::Bitmap);
    ui.OnExec = [&](QDialog& d) {
        static_cast<TLoadBackGround&>(d).NoneButton->click();
        return d.result();
    };
    QVERIFY(SetBackgroundArt(nullptr, panel, name));
    QVERIFY(name.isEmpty());
    QVERIFY(panel.ColorPicture().IsEmpty());
    // None changes the design even when it had no art.
    QVERIFY(SetBackgroundArt(nullptr, panel, name));
}

void TestBackgroundArt::panelShowsMetafileArtBehindObjects() {
    TArtFolder art;
    TGBasePanel panel;
    panel.resize(200, 100);
    panel.LoadColorPicture(art.Bg + "halves.wmf");
    QCOMPARE(panel.ColorPicture().Kind(), TPicture::TKind::Metafile);
    TGImage* image = static_cast<TGImage*>(panel.AddObject(std::make_unique<TGImage>()));
    image->SetBounds(140, 40, 20, 20);
    const QImage card = panel.CardImage();
    QCOMPARE(card.pixelColor(50, 50), QColor(Qt::red));
    QCOMPARE(card.pixelColor(150, 30), QColor(Qt::blue));
    QCOMPARE(card.pixelColor(150, 50), QColor(Qt::white)); // the empty image object on top
    // A file that cannot be read clears the art.
    WriteTestFile(art.Bg + "bad.wmf", "no metafile");
    panel.LoadColorPicture(art.Bg + "bad.wmf");
    QVERIFY(panel.ColorPicture().IsEmpty());
}

void TestBackgroundArt::printRunStretchesMetafileArtIntoEveryCard() {
    TArtFolder art;
    const auto graphics = PrintedArt(art.Bg + "halves.wmf", TReportOpKind::StretchGraphic);
    QCOMPARE(graphics.size(), size_t(10));
    // Position 1 of the default layout is at (4.25, 0.5); the art is 3.5 x 2 inches.
    TPageMetrics m;
    m.XDPI = m.YDPI = 600;
    QCOMPARE(graphics[1].Device, m.DeviceRect({4.25, 0.5, 7.75, 2.5}));
    QVERIFY(dynamic_cast<const TMetafileGraphic*>(graphics[1].Graphic.get()));
    // ".WMF" decides by name: a bitmap named so prints nothing, and so does a missing file.
    QVERIFY(PrintedArt(art.Bg + "green.bmp", TReportOpKind::StretchBitmap).size() == 10);
    QFile::copy(art.Bg + "green.bmp", art.Bg + "fake.wmf");
    QVERIFY(PrintedArt(art.Bg + "fake.wmf", TReportOpKind::StretchBitmap).empty());
    QVERIFY(PrintedArt(art.Bg + "fake.wmf", TReportOpKind::StretchGraphic).empty());
}

void TestBackgroundArt::pdfKeepsMetafilesAsVectors() {
    TArtFolder art;
    TGBasePanel panel;
    auto* clip = static_cast<TGImage*>(panel.AddObject(std::make_unique<TGImage>()));
    clip->SetPicture(TPicture::FromMetafile(TMetafile::FromBytes(SampleEmf())));
    clip->SetBounds(96, 96, 96, 48); // one inch in, half an inch tall
    TPrintRunSettings s;
    s.BackgroundFile = art.Bg + "halves.wmf";
    for (int i = 1; i < 10; ++i)
        s.Selection.Set(i, false);
    const QString pdf = art.Folder.Path() + "card.pdf";
    QString error;
    QVERIFY2(PrintToPdf(panel, s, pdf, &error), qPrintable(error));
    const QByteArray bytes = ReadTestFile(pdf);
    QVERIFY(!bytes.isEmpty());
    QCOMPARE(bytes.count("/Subtype /Image"), 0); // vectors, not pictures of them
    QProcess render;
    render.start("pdftoppm", {"-r", "96", "-f", "1", "-l", "1", "-png", "-singlefile", pdf,
                              art.Folder.Path() + "page"});
    QVERIFY(render.waitForFinished(30000) && render.exitCode() == 0);
    const QImage page(art.Folder.Path() + "page.png");
    // Card 1 at (0.75, 0.5) inches: the art's red half, then the clip art's green half.
    QCOMPARE(page.pixelColor(72 + 40, 48 + 150), QColor(Qt::red));
    QCOMPARE(page.pixelColor(72 + 96 + 20, 48 + 96 + 24), QColor(Qt::green));
}

void TestBackgroundArt::shippedPicturesInstalledWhereMissing() {
    TTestProgramFolder folder;
    QDir().mkpath(folder.Path() + "BG");
    WriteTestFile(folder.Path() + "BG/WAVES.WMF", "the user's own");
    InstallShippedPictures(folder.Path());
    QCOMPARE(ReadTestFile(folder.Path() + "BG/WAVES.WMF"), QByteArray("the user's own"));
    const QStringList art = QDir(folder.Path() + "BG").entryList(QDir::Files);
    QVERIFY(art.size() >= 3);
    for (const QString& name : art) {
        if (name == "WAVES.WMF")
            continue;
        const TPicture p = TPicture::LoadFromFile(folder.Path() + "BG/" + name, false);
        QVERIFY2(p.IsDrawable(), qPrintable(name));
        // The user may replace a shipped picture with one of their own.
        QVERIFY(QFileInfo(folder.Path() + "BG/" + name).permissions() & QFile::WriteOwner);
    }
    const QStringList clipArt = QDir(folder.Path()).entryList({"*.WMF"}, QDir::Files);
    QVERIFY(clipArt.size() >= 3);
    for (const QString& name : clipArt)
        QVERIFY(TPicture::LoadFromFile(folder.Path() + name, true).IsDrawable());
}

QTEST_MAIN(TestBackgroundArt)
#include "test_background_art.moc"
