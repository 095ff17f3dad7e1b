#include "support/FocusAsWhenOpened.h"
#include "support/MetafileSamples.h"
#include "support/ObjectTestSupport.h"
#include "support/PictureBytes.h"
#include "support/TestSupport.h"

#include "app/ObjectKinds.h"
#include "objects/Image.h"
#include "objects/ImageBrowser.h"
#include "report/PictureGraphic.h"
#include "report/RecordingCanvas.h"
#include "surface/BusinessCardPanel.h"
#include "surface/ObjectFiler.h"
#include "surface/ObjectStream.h"

#include <QBuffer>
#include <QListWidget>
#include <QMenu>
#include <QtTest>

namespace {

// Draws an image object with the tool, answering its browser with `answer`.
TGImage* DrawImage(TGBusinessCardPanel32& panel, TScriptedInteraction& ui, QPoint from, QPoint to,
                   std::function<int(TGImageBrowser&)> answer) {
    ui.OnExec = [&](QDialog& d) { return answer(static_cast<TGImageBrowser&>(d)); };
    panel.SetPanelState(psImage);
    QTest::mousePress(&panel, Qt::LeftButton, {}, from);
    QTest::mouseMove(&panel, to);
    QTest::mouseRelease(&panel, Qt::LeftButton, {}, to);
    return static_cast<TGImage*>(panel.Objects().back());
}

std::function<int(TGImageBrowser&)> Choose(const QString& file, bool autoSize) {
    return [file, autoSize](TGImageBrowser& b) {
        if (!b.SelectFile(file))
            return int(QDialog::Rejected);
        if (autoSize)
            b.SetAutoSize(true);
        else
            b.SetStretch(true);
        return int(QDialog::Accepted);
    };
}

// One TGImage record whose picture is the given "Picture.Data" payload, as the object
// stream lays it out: list start, "TPF0", class and object names, properties, two ends.
QByteArray ImageRecord(const QByteArray& payload) {
    auto text = [](const QByteArray& s) { return char(s.size()) + s; };
    QByteArray b("\x01TPF0", 5);
    b += text("TGImage") + text("Special1");
    b += text("Left") + QByteArray("\x02\x0A", 2) + text("Top") + QByteArray("\x02\x0A", 2);
    b += text("Width") + QByteArray("\x02\x64", 2) + text("Height") + QByteArray("\x02\x32", 2);
    b += text("Picture.Data") + '\x0A' + TLeBytes().u32(quint32(payload.size())).B + payload;
    return b + QByteArray(3, '\0');
}

QByteArray MetafilePayload(const QByteArray& metafile) {
    return QByteArray("\x09TMetafile") + TLeBytes().u32(quint32(metafile.size())).B + metafile;
}

void solid(const QString& path) {
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    image.save(path, "BMP");
}

QByteArray Written(TGBasePanel& panel) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TGLabelObjectFiler::WriteObjects(buffer, panel.Objects());
    return buffer.data();
}

} // namespace

class TestClipArt : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { RegisterObjectKinds(); }
    void autoSizeAndStretchAtZoomTwo();
    void cancelledBrowserLeavesOutlinedBox();
    void iconBecomesBitmapOnWhite();
    void stretchToFitResizesOnlyAtTheNextMove();
    void picturePayloadsWrittenBackByteForByte();
    void bitmapPrintsAsBitmapMetafileAsVectors();
    void browserStartsWithNothingChosen();
};

void TestClipArt::autoSizeAndStretchAtZoomTwo() {
    TTestProgramFolder folder;
    QImage wide(300, 150, QImage::Format_RGB32);
    wide.fill(Qt::blue);
    wide.save(folder.Path() + "wide.bmp", "BMP");
    TScriptedInteraction ui;
    TGBusinessCardPanel32 panel;
    panel.resize(700, 400);
    panel.SetZoom(2.0f);
    TGImage* sized = DrawImage(panel, ui, {40, 30}, {140, 130}, Choose("WIDE.BMP", true));
    QCOMPARE(sized->BoundsRect(), QRect(40, 30, 600, 300));
    QVERIFY(sized->AutoSize() && !sized->Stretch());
    QCOMPARE(panel.PanelState(), psPointing);
    TGImage* stretched = DrawImage(panel, ui, {10, 10}, {110, 210}, Choose("wide.bmp", false));
    QCOMPARE(stretched->BoundsRect(), QRect(10, 10, 100, 200));
    // The picture fills the box, distorted.
    const QImage painted = PaintAlone(*stretched);
    QCOMPARE(painted.pixelColor(1, 1), QColor(Qt::blue));
    QCOMPARE(painted.pixelColor(98, 198), QColor(Qt::blue));
}

void TestClipArt::cancelledBrowserLeavesOutlinedBox() {
    TTestProgramFolder folder;
    TScriptedInteraction ui;
    TGBusinessCardPanel32 panel;
    panel.resize(343, 191);
    TGImage* image = DrawImage(panel, ui, {20, 20}, {80, 70},
                               [](TGImageBrowser&) { return int(QDialog::Rejected); });
    QCOMPARE(image->BoundsRect(), QRect(20, 20, 60, 50));
    QVERIFY(image->Picture().IsEmpty());
    const QImage painted = PaintAlone(*image, Qt::red);
    QVERIFY(IsDark(painted.pixel(0, 0)));
    QVERIFY(IsDark(painted.pixel(59, 49)));
    QCOMPARE(painted.pixelColor(30, 25), QColor(Qt::white));
    // An empty picture prints nothing, not even the outline.
    TPageStream stream;
    TRecordingCanvas canvas(stream);
    image->PrintTo(canvas, 0, 0);
    QVERIFY(stream.Pages.empty() || stream.Pages[0].empty());
}

void TestClipArt::iconBecomesBitmapOnWhite() {
    TTestProgramFolder folder;
    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 8; ++x)
            icon.setPixelColor(x, y, Qt::red);
    QVERIFY(icon.save(folder.Path() + "logo.ico", "ICO"));
    TGImageBrowser browser(nullptr);
    QVERIFY(browser.SelectFile("logo.ico"));
    const TPicture& preview = browser.Preview();
    QCOMPARE(preview.Kind(), TPicture::TKind::Bitmap);
    QCOMPARE(preview.Size(), QSize(16, 16));
    QCOMPARE(preview.Image().pixelColor(2, 8), QColor(Qt::red));
    QCOMPARE(preview.Image().pixelColor(12, 8), QColor(Qt::white));
    QVERIFY(preview.Data().startsWith("\x07TBitmap"));
}

void TestClipArt::stretchToFitResizesOnlyAtTheNextMove() {
    TGImage image;
    image.Loaded();
    image.SetPicture(TPicture::FromMetafile(TMetafile::FromBytes(SampleWmf()))); // 96 x 48
    image.SetBounds(5, 5, 50, 50);
    QVERIFY(image.Stretch());
    MenuItem(image.ContextMenu(), "Stretch to Fit")->trigger();
    QVERIFY(image.AutoSize() && !image.Stretch());
    QCOMPARE(image.BoundsRect(), QRect(5, 5, 50, 50));
    image.SetLeft(6);
    QCOMPARE(image.BoundsRect(), QRect(6, 5, 96, 48));
    image.PopupOpening();
    QVERIFY(MenuItem(image.ContextMenu(), "AutoSize")->isChecked());
    QVERIFY(!MenuItem(image.ContextMenu(), "Stretch to Fit")->isChecked());
}

void TestClipArt::picturePayloadsWrittenBackByteForByte() {
    const QByteArray bitmapFile = [] {
        QImage img(3, 2, QImage::Format_RGB32);
        img.fill(Qt::green);
        QBuffer b;
        b.open(QIODevice::WriteOnly);
        img.save(&b, "BMP");
        return b.data();
    }();
    const QByteArray payloads[] = {
        MetafilePayload(SampleWmf()),
        MetafilePayload(SampleEmf()),
        MetafilePayload("not a metafile at all"), // kept though it cannot be drawn
        QByteArray("\x07TBitmap") + TLeBytes().u32(quint32(bitmapFile.size())).B + bitmapFile,
        QByteArray("\x09TPngImage") + TLeBytes().u32(quint32(PictureBytes::PngRgba().size())).B +
            PictureBytes::PngRgba(),
        QByteArray("\x09TSvgImage") +
            TLeBytes().u32(quint32(PictureBytes::SvgHalfBlue().size())).B +
            PictureBytes::SvgHalfBlue(),
        QByteArray("\x09TPngImage") + TLeBytes().u32(5).B + "not a", // kept, drawn as none
    };
    for (const QByteArray& payload : payloads) {
        const QByteArray design = ImageRecord(payload);
        TGBasePanel panel;
        TGLabelObjectFiler(panel).ReadObjects(design.constData(), design.size());
        const auto* image = static_cast<TGImage*>(panel.Objects().front());
        QCOMPARE(image->Picture().Data(), payload);
        QVERIFY(Written(panel).contains(TLeBytes().u32(quint32(payload.size())).B + payload));
    }
    TGBasePanel panel;
    const QByteArray design = ImageRecord(MetafilePayload(SampleWmf()));
    TGLabelObjectFiler(panel).ReadObjects(design.constData(), design.size());
    QCOMPARE(PaintAlone(*panel.Objects().front()).pixelColor(25, 25), QColor(Qt::red));
    // A payload whose count runs past its end, or a kind no reader knows, is the stream's
    // own error.
    QByteArray broken = MetafilePayload(SampleWmf());
    broken[10] = '\x7F';
    const QByteArray unknownKind =
        QByteArray("\x0ATJpegImage") + TLeBytes().u32(4).B + "\xFF\xD8\xFF\xE0";
    for (const QByteArray& payload : {broken, unknownKind}) {
        const QByteArray bad = ImageRecord(payload);
        TGBasePanel other;
        try {
            TGLabelObjectFiler(other).ReadObjects(bad.constData(), bad.size());
            QFAIL("read a damaged picture");
        } catch (const EStreamError& e) {
            QCOMPARE(e.Message(), QString(StreamMessage::InvalidValue));
        }
    }
}

void TestClipArt::bitmapPrintsAsBitmapMetafileAsVectors() {
    TPageStream stream;
    stream.Metrics.XDPI = stream.Metrics.YDPI = 600;
    TRecordingCanvas canvas(stream);
    TGImage bitmap;
    QImage pixels(4, 4, QImage::Format_RGB32);
    pixels.fill(Qt::red);
    bitmap.SetPicture(TPicture::FromBitmap(pixels));
    bitmap.SetBounds(96, 48, 192, 96);
    bitmap.SetBorderStyle(bsSingle);
    bitmap.PrintTo(canvas, 0.5, 0.25);
    TGImage metafile;
    metafile.SetPicture(TPicture::FromMetafile(TMetafile::FromBytes(SampleEmf())));
    metafile.SetBounds(0, 0, 96, 96);
    metafile.PrintTo(canvas, 1, 1);
    const TReportPage& page = stream.Pages.at(0);
    QCOMPARE(page.size(), size_t(5)); // bitmap, pen, brush, border, metafile
    QCOMPARE(int(page[0].Kind), int(TReportOpKind::StretchBitmap));
    QCOMPARE(page[0].Rect, (TInchRect{1.5, 0.75, 3.5, 1.75}));
    QCOMPARE(int(page[3].Kind), int(TReportOpKind::Rectangle));
    QCOMPARE(page[3].Rect, page[0].Rect);
    QCOMPARE(int(page[4].Kind), int(TReportOpKind::StretchGraphic));
    QCOMPARE(page[4].Device, canvas.DeviceRect({1, 1, 2, 2}));
    QVERIFY(dynamic_cast<const TMetafileGraphic*>(page[4].Graphic.get()));
}

void TestClipArt::browserStartsWithNothingChosen() {
    TTestProgramFolder folder;
    solid(folder.Path() + "a.bmp");
    solid(folder.Path() + "b.bmp");
    TScriptedInteraction ui;
    TGBusinessCardPanel32 panel;
    panel.resize(343, 191);
    bool chosen = true;
    TGImage* image = DrawImage(panel, ui, {20, 20}, {80, 70}, [&](TGImageBrowser& b) {
        b.show();
        FocusAsWhenOpened(*b.FileListBox1);
        chosen = b.HasSelectedFile() || !b.Preview().IsEmpty();
        return int(QDialog::Accepted); // OK at once
    });
    QVERIFY(!chosen);
    QVERIFY(image->Picture().IsEmpty());
}

QTEST_MAIN(TestClipArt)
#include "test_clip_art.moc"
