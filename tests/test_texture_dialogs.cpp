#include "support/PictureBytes.h"
#include "support/TestSupport.h"

#include "effects/BrushImageBrowser.h"
#include "effects/BrushTextures.h"
#include "effects/RirizIzadu.h"
#include "effects/RirizIzaduProperties.h"
#include "effects/SmartImage.h"
#include "effects/WiaTile.h"
#include "platform/PictureFile.h"
#include "widgets/ColorDropDown.h"

#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QSpinBox>
#include <QtTest>

namespace {

QImage tile16() {
    QImage tile(16, 16, QImage::Format_RGB32);
    tile.fill(Qt::yellow);
    tile.setPixel(1, 1, qRgb(255, 0, 0));
    return tile;
}

} // namespace

class TestTextureDialogs : public QObject {
    Q_OBJECT
private slots:
    void activationClampsIntoTheControlRanges() {
        TRirizIzaduProperties dialog(nullptr);
        TRirizIzadu& p = dialog.Preview();
        p.SetBounds(0, 0, 96, 96);
        p.SetShadowDepth(25 + 20); // refused: more than half the size
        p.SetShadowDepth(25 + 0);
        QCOMPARE(p.ShadowDepth(), 25);
        p.SetRoundPerc(95);
        p.SetInVectorPercent(100);
        p.SetOutlineWidth(12);
        p.SetVectors(50);
        dialog.FormActivate();
        QCOMPARE(p.ShadowDepth(), 10);
        QCOMPARE(p.RoundPerc(), 90);
        QCOMPARE(p.InVectorPercent(), 90);
        QCOMPARE(p.OutlineWidth(), 10);
        QCOMPARE(p.Vectors(), 40);

        // Shown as the minimum of 5 points, 6 vectors stay 6 until the points change.
        TRirizIzaduProperties polygon(nullptr);
        polygon.Preview().SetShape(gstPolyGon);
        polygon.Preview().SetVectors(6);
        polygon.FormActivate();
        QCOMPARE(polygon.Preview().Vectors(), 6);
        QCOMPARE(polygon.Preview().Shape(), gstPolyGon);
        QCOMPARE(polygon.ShapeCombo->currentIndex(), -1);
    }

    void panelsFollowShapeAndSurface() {
        TRirizIzaduProperties dialog(nullptr);
        dialog.FormActivate();
        QVERIFY(dialog.StarPanel->isHidden());
        dialog.ShapeCombo->setCurrentIndex(gstStar);
        QVERIFY(!dialog.StarPanel->isHidden());
        QCOMPARE(dialog.PointsOnStar->value(), 5);
        QCOMPARE(dialog.Preview().Vectors(), 10);
        dialog.PointsOnStar->setValue(7);
        QCOMPARE(dialog.Preview().Vectors(), 14);
        dialog.ShapeCombo->setCurrentIndex(gstRoundRect);
        QVERIFY(dialog.StarPanel->isHidden());
        QVERIFY(!dialog.RRPanel->isHidden());
        dialog.SurfaceTypeCombo->setCurrentIndex(stGradientFill);
        QVERIFY(!dialog.FillPanel->isHidden());
        QVERIFY(dialog.PatternPanel->isHidden());
        dialog.SurfaceTypeCombo->setCurrentIndex(stBrushImage);
        QVERIFY(!dialog.ImagePanel->isHidden());
    }

    void bothBackgroundControlsSetOneColour() {
        TRirizIzaduProperties dialog(nullptr);
        dialog.FormActivate();
        emit dialog.BackGroundColorCombo->ColorChanged(clRed);
        QCOMPARE(dialog.Preview().BackColor(), clRed);
        QCOMPARE(dialog.BackGroundColorCombo2->Color(), clRed);
        emit dialog.BackGroundColorCombo2->ColorChanged(clNavy);
        QCOMPARE(dialog.Preview().BackColor(), clNavy);
        QCOMPARE(dialog.BackGroundColorCombo->Color(), clNavy);
    }

    void textureComesBackFromTheLastUsedImage() {
        TRirizIzaduProperties dialog(nullptr);
        TRirizIzadu& p = dialog.Preview();
        p.SetSurfaceType(stBrushImage);
        p.SetImage(TBitmap(tile16()));
        dialog.FormActivate();
        QCOMPARE(p.Image().Image().size(), QSize(16, 16)); // opening keeps it
        dialog.SurfaceTypeCombo->setCurrentIndex(stBrushPattern);
        QVERIFY(p.Image().Empty());
        dialog.SurfaceTypeCombo->setCurrentIndex(stBrushImage);
        QCOMPARE(p.Image().Image().pixel(1, 1), qRgb(255, 0, 0));
    }

    void textureChooserOpensAtTheLastFileAndTakesTheTile() {
        TTestProgramFolder folder;
        QVERIFY(QDir(folder.Path()).mkpath("bmbrush"));
        QVERIFY(tile16().save(folder.Path() + "bmbrush/wood.bmp"));
        QVERIFY(QDir(folder.Path()).mkpath("mine"));
        const QString last = folder.Path() + "mine/photo.final.pcx";
        QVERIFY(WriteTestFile(last, PictureBytes::Pcx()));
        TScriptedInteraction interaction;
        QString openedIn, selected;
        QSize shownFirst;
        interaction.OnExec = [&](QDialog& d) {
            auto& browser = static_cast<TGBrushImageBrowser&>(d);
            openedIn = browser.Folder();
            selected = browser.SelectedFile();
            shownFirst = browser.Tile().Image().size();
            browser.SelectFile(folder.Path() + "bmbrush/wood.bmp");
            return int(QDialog::Accepted);
        };
        TRirizIzaduProperties dialog(nullptr);
        dialog.Preview().SetSurfaceType(stBrushImage);
        dialog.Preview().SetImage(TBitmap(QImage(3, 3, QImage::Format_RGB32)));
        dialog.SetLastTextureFile(last);
        dialog.LoadImageButtonClick();
        QCOMPARE(selected, last);
        QCOMPARE(shownFirst, QSize(3, 3)); // the tile shows the current texture at first
        QCOMPARE(dialog.Preview().Image().Image().size(), QSize(16, 16));
        QCOMPARE(dialog.LastTextureFile(), folder.Path() + "bmbrush/wood.bmp");
        // A last file that has gone: the browser opens in the texture folder.
        dialog.SetLastTextureFile(last);
        QFile::remove(last);
        dialog.LoadImageButtonClick();
        QCOMPARE(openedIn, QDir(folder.Path() + "bmbrush").absolutePath());
        QCOMPARE(selected, QString());
    }

    void browserListsPicturesAndTilesTheSelection() {
        QTemporaryDir dir;
        QVERIFY(tile16().save(dir.filePath("a.BMP"), "BMP"));
        QVERIFY(WriteTestFile(dir.filePath("b.tga"), PictureBytes::Tga24()));
        QVERIFY(WriteTestFile(dir.filePath("notes.txt"), "x"));
        QVERIFY(WriteTestFile(dir.filePath("c.jpg"), PictureBytes::Gif()));
        QVERIFY(QDir(dir.path()).mkdir("sub"));
        TScriptedInteraction interaction;
        TGBrushImageBrowser browser(nullptr);
        browser.OpenFolder(dir.path());
        QStringList files;
        for (int i = 0; i < browser.FileListBox1->count(); ++i)
            files << browser.FileListBox1->item(i)->text();
        QCOMPARE(files, (QStringList{"a.BMP", "b.tga", "c.jpg"}));
        QVERIFY(!browser.DirectoryListBox1->findItems("sub", Qt::MatchExactly).isEmpty());

        browser.SelectFile(dir.filePath("a.BMP"));
        // 229 x 213 shows the 16 x 16 bitmap 15 times across and 14 down, the last cut.
        const QImage shown = browser.Tile().grab().toImage();
        QCOMPARE(shown.size(), QSize(229, 213));
        QCOMPARE(shown.pixel(14 * 16 + 1, 13 * 16 + 1), qRgb(255, 0, 0));
        QCOMPARE(shown.pixel(228, 212), qRgb(255, 255, 0));

        // A GIF named .jpg: the tile empties and the user is told why.
        browser.SelectFile(dir.filePath("c.jpg"));
        QVERIFY(browser.Tile().Image().isNull());
        QCOMPARE(interaction.Messages,
                 QStringList{"c.jpg does not hold a JPEG picture, as its name says."});
        browser.SelectFile(dir.filePath("b.tga"));
        QCOMPARE(browser.Tile().Image().size(), QSize(2, 2));
        QVERIFY(interaction.Errors.isEmpty());
        // A bitmap that can't be read is an error, shown with the error icon.
        QVERIFY(WriteTestFile(dir.filePath("broken.BMP"), "BM not a bitmap"));
        browser.OpenFolder(dir.path());
        browser.SelectFile(dir.filePath("broken.BMP"));
        QVERIFY(browser.Tile().Image().isNull());
        QCOMPARE(interaction.Errors, QStringList{"Error loading file!"});
    }

    void openingTheBrowserKeepsTheCurrentTexture() {
        QTemporaryDir dir;
        QVERIFY(tile16().save(dir.filePath("a.bmp")));
        TGBrushImageBrowser browser(nullptr);
        browser.OpenFolder(dir.path());
        browser.Tile().SetImage(QImage(3, 3, QImage::Format_RGB32));
        browser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&browser));
        browser.FileListBox1->setFocus();
        QApplication::processEvents();
        QCOMPARE(browser.Tile().Image().size(), QSize(3, 3));
        QCOMPARE(browser.SelectedFile(), QString());
    }

    void enterInTheFolderListOnlyOpensTheFolder() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("sub"));
        QVERIFY(tile16().save(dir.filePath("sub/a.bmp")));
        TGBrushImageBrowser browser(nullptr);
        browser.OpenFolder(dir.path());
        browser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&browser));
        QListWidget& folders = *browser.DirectoryListBox1;
        folders.setFocus();
        folders.setCurrentItem(folders.findItems("sub", Qt::MatchExactly).first());
        QTest::keyClick(&folders, Qt::Key_Return);
        QCOMPARE(browser.Folder(), QDir(dir.filePath("sub")).absolutePath());
        QVERIFY(browser.isVisible());
        QCOMPARE(browser.result(), int(QDialog::Rejected));
        // Enter elsewhere still takes the dialog's Ok.
        browser.FileListBox1->setCurrentRow(0);
        QTest::keyClick(browser.FileListBox1, Qt::Key_Return);
        QCOMPARE(browser.result(), int(QDialog::Accepted));
    }

    void tileLeavesOutItsBottomLeftColour() {
        TwiaTile tile;
        tile.resize(8, 8);
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(Qt::white);
        image.setPixel(1, 1, qRgb(0, 0, 255));
        tile.SetImage(image);
        QCOMPARE(tile.TranColor(), clWhite);
        tile.SetTransparent(true);
        QImage under(8, 8, QImage::Format_ARGB32);
        under.fill(Qt::red);
        tile.render(&under, QPoint(), QRegion(), QWidget::RenderFlags());
        QCOMPARE(under.pixel(0, 0), qRgb(255, 0, 0));
        QCOMPARE(under.pixel(5, 5), qRgb(0, 0, 255));
        tile.SetImage(QImage());
        QCOMPARE(tile.TranColor(), TColor(0x02FFFFFF));
    }

    void freshBrushFolderGetsTheShippedTextures() {
        QTemporaryDir dir;
        InstallBrushTextures(dir.path());
        const QStringList shipped = QDir(dir.path()).entryList(QDir::Files);
        QVERIFY(shipped.size() >= 8);
        QVERIFY(shipped.contains("wood.bmp"));
        for (const QString& name : shipped)
            QVERIFY(!LoadPictureFile(dir.filePath(name)).isNull());
        // A folder the user filled stays as it is.
        QTemporaryDir mine;
        QVERIFY(tile16().save(mine.filePath("own.bmp")));
        InstallBrushTextures(mine.path());
        QCOMPARE(QDir(mine.path()).entryList(QDir::Files), QStringList{"own.bmp"});
    }

    void aspectKeepingFit() {
        QCOMPARE(FitRectKeepingAspect(QRect(0, 0, 200, 100), QRect(0, 0, 100, 100), false),
                 QRect(0, 0, 100, 50));
        QCOMPARE(FitRectKeepingAspect(QRect(0, 0, 200, 100), QRect(10, 10, 100, 100), true),
                 QRect(10, 35, 100, 50));
        QCOMPARE(FitRectKeepingAspect(QRect(0, 0, 100, 200), QRect(0, 0, 100, 100), true),
                 QRect(25, 0, 50, 100));
        QCOMPARE(FitRectKeepingAspect(QRect(0, 0, 0, 100), QRect(0, 0, 30, 40), true),
                 QRect(0, 0, 30, 40));
        TSmartImage image;
        image.resize(100, 100);
        image.SetPicture(QImage(200, 100, QImage::Format_RGB32));
        image.SetCenter(true);
        QCOMPARE(image.TargetRect(), QRect(-50, 0, 200, 100));
        image.SetStretch(true);
        QCOMPARE(image.TargetRect(), QRect(0, 25, 100, 50));
    }
};

QTEST_MAIN(TestTextureDialogs)
#include "test_texture_dialogs.moc"
