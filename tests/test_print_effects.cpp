#include "support/LimitedRun.h"
#include "support/PrintProbe.h"

#include "effects/DiduzOvoz.h"
#include "effects/EffectObjects.h"
#include "effects/RirizIzadu.h"
#include "printing/CardPrinting.h"
#include "surface/BasePanel.h"

#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A card of gradient shapes of every kind and direction, with shadows and outlines, and a
// line of gradient lettering: what the printed gradients must keep looking like.
void addEffectsCard(TGBasePanel& panel) {
    const TGPShapeType shapes[] = {gstStar,    gstEllipse,   gstRoundRect,    gstDiamond,
                                   gstPolyGon, gstRectangle, gstTriangleDown, gstStar};
    for (int i = 0; i < 8; ++i) {
        auto* o = static_cast<TRirizIzadu*>(panel.AddObject(std::make_unique<TRirizIzadu>()));
        o->SetBounds(6 + (i % 4) * 82, 6 + (i / 4) * 62, 76 + (i == 7) * 40, 56);
        o->SetShape(shapes[i]);
        o->SetSurfaceType(stGradientFill);
        o->SetBackColor(RGBColor(20 + i * 25, 40, 220 - i * 20));
        o->SetGradientToColor(i % 2 ? clYellow : RGBColor(250, 250, 250));
        o->SetFillDirection(TFillDirection(i % 4));
        o->SetShadowOrient(soLowerRight);
        o->SetShadowDepth(3);
        o->SetOutlineWidth(2);
    }
    auto* t = static_cast<TGDiduzOvoz*>(panel.AddObject(std::make_unique<TGDiduzOvoz>()));
    t->Loaded();
    t->SetBounds(10, 128, 320, 60);
    t->SetCaption(QStringLiteral("Gradient"));
    TFont f = t->Font();
    f.Name = QStringLiteral("Liberation Serif");
    f.SetSize(36);
    f.Set(fsBold, true);
    t->ApplyFont(f);
    t->SetShadowDepth(3);
}

// The first card of a printed sheet (default layout: its corner at 0.75, 0.5 inch) at 300
// dots per inch.
QImage renderFirstCard(const QString& pdf, const QString& dir) {
    QProcess p;
    p.start(QStringLiteral("pdftoppm"), {"-r", "300", "-x", "225", "-y", "150", "-W", "1050", "-H",
                                         "600", "-png", "-singlefile", pdf, dir + "/card"});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    return QImage(dir + "/card.png").convertToFormat(QImage::Format_RGB32);
}

QString printFirstCard(TGBasePanel& panel, const QString& dir) {
    TPrintRunSettings settings;
    for (int i = 1; i < settings.Selection.Size(); ++i)
        settings.Selection.Set(i, false);
    const QString pdf = dir + "/effects.pdf";
    QString error;
    if (!PrintToPdf(panel, settings, pdf, &error))
        return {};
    return pdf;
}

// The largest difference of two colours in any channel, in levels.
int channelStep(QRgb a, QRgb b) {
    return qMax(qAbs(qRed(a) - qRed(b)),
                qMax(qAbs(qGreen(a) - qGreen(b)), qAbs(qBlue(a) - qBlue(b))));
}

// How far a pixel stands out of the line through its two neighbours, in any channel: the
// seams where two shapes meet stand out, an even gradient does not.
int bend(QRgb before, QRgb c, QRgb after) {
    auto one = [](int a, int b, int d) { return qAbs(2 * b - a - d); };
    return qMax(one(qRed(before), qRed(c), qRed(after)),
                qMax(one(qGreen(before), qGreen(c), qGreen(after)),
                     one(qBlue(before), qBlue(c), qBlue(after))));
}

// Whether the picture changes smoothly around (x, y): within radius r no two neighbours
// differ by more than `step` levels in any channel, and no pixel stands out of the line
// through its neighbours by more than 2. Gradients are smooth; the edges of figures, glyphs
// and shadows are not.
bool smoothAround(const QImage& image, int x, int y, int r, int step) {
    for (int j = y - r; j <= y + r; ++j)
        for (int i = x - r; i <= x + r; ++i) {
            const QRgb c = image.pixel(i, j);
            if (channelStep(c, image.pixel(i + 1, j)) > step ||
                channelStep(c, image.pixel(i, j + 1)) > step ||
                bend(image.pixel(i - 1, j), c, image.pixel(i + 1, j)) > 2 ||
                bend(image.pixel(i, j - 1), c, image.pixel(i, j + 1)) > 2)
                return false;
        }
    return true;
}

QString pdfImagesList(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdfimages"), {"-list", pdf});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestPrintEffects : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { RegisterEffectObjects(); }

    void gradientsLookAsTheyAlwaysHave() {
        QTemporaryDir dir;
        TGBasePanel panel;
        panel.resize(336, 192);
        addEffectsCard(panel);
        const QImage card = renderFirstCard(printFirstCard(panel, dir.path()), dir.path());
        const QImage reference =
            QImage(QStringLiteral(PENTAVO_TEST_DATA "/print/effects-card-300dpi.png"))
                .convertToFormat(QImage::Format_RGB32);
        QVERIFY(!card.isNull());
        QCOMPARE(card.size(), reference.size());
        // At 300 dpi a band of a steep gradient is about a pixel wide, and where the renderer
        // puts a band's edge that falls exactly between two pixels depends on the last bit of
        // its arithmetic. So a pixel matches when it is within one level of the reference at
        // its place or one pixel beside it; a wrong colour or a missing band still shows.
        auto nearest = [&](int x, int y) {
            int best = 255;
            for (int j = -1; j <= 1; ++j)
                for (int i = -1; i <= 1; ++i)
                    best = qMin(best, channelStep(card.pixel(x, y), reference.pixel(x + i, y + j)));
            return best;
        };
        int compared = 0, worse = 0;
        QString first;
        for (int y = 5; y < card.height() - 5; ++y)
            for (int x = 5; x < card.width() - 5; ++x) {
                if (!smoothAround(reference, x, y, 3, 3) ||
                    reference.pixel(x, y) == qRgb(255, 255, 255))
                    continue;
                ++compared;
                if (nearest(x, y) > 1 && worse++ == 0)
                    first = QStringLiteral("%1,%2: %3 against %4")
                                .arg(x)
                                .arg(y)
                                .arg(card.pixel(x, y), 0, 16)
                                .arg(reference.pixel(x, y), 0, 16);
            }
        // Most of the inked card is gradient away from edges.
        QVERIFY2(compared > 100000, qPrintable(QString::number(compared)));
        QVERIFY2(worse == 0,
                 qPrintable(QStringLiteral("%1 pixels differ, first %2").arg(worse).arg(first)));
    }

    void everyCardReusesOneStripPerGradient() {
        QTemporaryDir dir;
        TGBasePanel panel;
        panel.resize(336, 192);
        // Fifty stars in ten different gradients: five colours, two directions.
        for (int i = 0; i < 50; ++i) {
            auto* o = static_cast<TRirizIzadu*>(panel.AddObject(std::make_unique<TRirizIzadu>()));
            o->SetBounds(4 + (i % 10) * 33, 4 + (i / 10) * 37, 30, 34);
            o->SetShape(gstStar);
            o->SetSurfaceType(stGradientFill);
            o->SetBackColor(RGBColor((i % 5) * 50, 40, 200));
            o->SetGradientToColor(clYellow);
            o->SetFillDirection(i % 2 ? gdRight : gdDown);
        }
        TPrintRunSettings settings;
        settings.Copies = 3;
        const QString pdf = dir.filePath("stars.pdf");
        QVERIFY(PrintToPdf(panel, settings, pdf, nullptr));
        const QStringList rows = pdfImagesList(pdf).split('\n', Qt::SkipEmptyParts).mid(2);
        QCOMPARE(rows.size(), 3 * 10 * 50);
        QSet<QString> objects;
        for (const QString& row : rows) {
            const QStringList f = row.split(' ', Qt::SkipEmptyParts);
            // page num type width height color comp bpc enc interp object ID ...; a strip
            // one pixel thick, as long as the star at 1200 dpi (a quarter inch longer down).
            QVERIFY2((f[3] == "376" && f[4] == "1") || (f[3] == "1" && f[4] == "726"),
                     qPrintable(row));
            QCOMPARE(f[8], QStringLiteral("image")); // stored losslessly
            QCOMPARE(f[9], QStringLiteral("no"));    // drawn without smoothing
            objects.insert(f[10]);
        }
        QCOMPARE(objects.size(), 10);
    }

    void texturesRepeatWholeTilesFromTheCorner() {
        QTemporaryDir dir;
        TGBasePanel panel;
        panel.resize(336, 192);
        QImage tile(8, 8, QImage::Format_RGB32);
        tile.fill(Qt::blue);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 4; ++x)
                tile.setPixel(x, y, qRgb(255, 0, 0));
        auto* o = static_cast<TRirizIzadu*>(panel.AddObject(std::make_unique<TRirizIzadu>()));
        o->SetBounds(10, 10, 200, 40);
        o->SetSurfaceType(stBrushImage);
        o->SetImage(TBitmap(tile));
        o->SetOutlineStyle(5); // psClear
        const QString pdf = printFirstCard(panel, dir.path());
        // At 384 dpi a tile is 32 pixels: 16 red, then 16 blue, all along the object.
        QProcess p;
        p.start(QStringLiteral("pdftoppm"),
                {"-r", "384", "-x", "288", "-y", "192", "-W", "1344", "-H", "768", "-png",
                 "-singlefile", pdf, dir.path() + "/tiles"});
        QVERIFY(p.waitForFinished(60000) && p.exitCode() == 0);
        const QImage card(dir.path() + "/tiles.png");
        const int left = 40, row = 40 + 80;
        for (int k = 0; k < 25; ++k) {
            const QString where = QStringLiteral("tile %1").arg(k);
            QVERIFY2(qRed(card.pixel(left + 32 * k + 1, row)) > 200, qPrintable(where));
            QVERIFY2(qRed(card.pixel(left + 32 * k + 14, row)) > 200, qPrintable(where));
            QVERIFY2(qBlue(card.pixel(left + 32 * k + 17, row)) > 200, qPrintable(where));
            QVERIFY2(qBlue(card.pixel(left + 32 * k + 30, row)) > 200, qPrintable(where));
        }
    }

    void hugeShapesPrintWhatShowsOnly() {
        // Three shapes of 30000 x 30000 pixels (over 300 inches), Solid, gradient and
        // texture: a few bytes of design that must not cost their size on paper.
        QTemporaryDir dir;
        TGBasePanel panel;
        panel.resize(336, 192);
        const TSurfaceType surfaces[] = {stBrushPattern, stGradientFill, stBrushImage};
        for (int i = 0; i < 3; ++i) {
            auto* o = static_cast<TRirizIzadu*>(panel.AddObject(std::make_unique<TRirizIzadu>()));
            o->SetSurfaceType(surfaces[i]);
            o->SetBackColor(clRed);
            if (surfaces[i] == stBrushImage)
                o->SetImage(TBitmap(QImage(4, 4, QImage::Format_RGB32)));
            o->SetBounds(-100 * i, -100 * i, 30000, 30000);
        }
        const QString design = dir.filePath("huge.ptv");
        panel.SaveToFile(design);
        const QString pdf = dir.filePath("huge.pdf");
        const TLimitedRun r = RunToolLimited({"print", design, pdf}, qint64(400) << 20, 20000);
        QVERIFY2(r.Status == 0, r.Err.constData());
        QVERIFY(QFileInfo(pdf).size() < 200000);
    }
};

QTEST_MAIN(TestPrintEffects)
#include "test_print_effects.moc"
