#include "support/ObjectTestSupport.h"
#include "support/TestSupport.h"

#include "effects/BrushImageBrowser.h"
#include "effects/BrushTextures.h"
#include "effects/DiduzOvoz.h"
#include "effects/DiduzOvozProperties.h"
#include "effects/EffectObjects.h"

#include "widgets/ColorButton.h"
#include "widgets/ColorPalette.h"
#include "widgets/DialogButtonBar.h"
#include <QComboBox>
#include <QDir>
#include <QFontDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {

TGDiduzOvoz* addLettering(TGBasePanel& panel) {
    auto* o = static_cast<TGDiduzOvoz*>(panel.AddObject(std::make_unique<TGDiduzOvoz>()));
    o->Loaded();
    o->SetBounds(10, 10, 200, 70);
    return o;
}

enum TClose { Cancel, Ok };

// Runs the object's properties dialog, shown as the user sees it, with `edit` playing
// the user, and closes it with Ok or Cancel.
void editProperties(TGDiduzOvoz& o, TClose close, std::function<void(TDiduzOvozProperties&)> edit) {
    TScriptedInteraction script;
    script.OnExec = [&](QDialog& d) {
        auto* dialog = dynamic_cast<TDiduzOvozProperties*>(&d);
        if (!dialog)
            return int(QDialog::Rejected);
        dialog->show();
        edit(*dialog);
        return int(close == Ok ? QDialog::Accepted : QDialog::Rejected);
    };
    o.EditProperties();
}

} // namespace

class TestLetteringProperties : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { RegisterEffectObjects(); }
    void controlsShowTheObject();
    void typingRefitsWithinTheTimer();
    void emptyTextIsRefused();
    void spinEditsPullValuesIntoRange();
    void hollowSurfaceTurnsAClearOutlineSolid();
    void surfacePanelsAndTheLastTexture();
    void textureBeforeAnyLoadedIsTheShippedOne();
    void cancelLeavesTheObjectAlone();
    void okCopiesBackAllButTheBox();
    void fontChoiceOffersOutlineFontsOnly();
    void loadTextureOpensTheBrushFolder();
    void toolCreatesAndEdits();
};

void TestLetteringProperties::controlsShowTheObject() {
    TGBasePanel panel;
    TGDiduzOvoz* o = addLettering(panel);
    o->SetCaption("Pentavo");
    o->SetFillDirection(gdUp);
    o->SetShadowOrientation(sdLeft);
    o->SetShadowDepth(3);
    o->SetOutlineColor(clRed);
    editProperties(*o, Cancel, [](TDiduzOvozProperties& d) {
        QCOMPARE(d.windowTitle(), QString("DiduzOvoz Properties"));
        QCOMPARE(d.CaptionText->text(), QString("Pentavo"));
        QCOMPARE(d.SurfaceTypeCombo->currentRow(), int(stGradientFill));
        QCOMPARE(d.SurfaceTypeCombo->item(1)->text(), QString("Transparent"));
        QCOMPARE(d.FillDirectionCombo->currentText(), QString("Up"));
        QCOMPARE(d.ShadowOrientationCombo->currentText(), QString("Left"));
        QCOMPARE(d.ShadowDepthSpinner->value(), 3);
        QCOMPARE(d.OutlineColorButton->Color(), clRed);
        QCOMPARE(d.GradientFromcolorButton->Color(), clBlue);
        QVERIFY(d.FillPanel->isVisible());
        QVERIFY(!d.ImagePanel->isVisible() && !d.FontcolorPanel->isVisible());
        QCOMPARE(d.Timer1->interval(), 200);
        QVERIFY(d.Timer1->isActive());
        QCOMPARE(d.Buttons->HelpContext(), 40014);
        QCOMPARE(d.Preview().BoundsRect().topLeft(), QPoint(10, 10));
    });
}

void TestLetteringProperties::typingRefitsWithinTheTimer() {
    TGBasePanel panel;
    TGDiduzOvoz* o = addLettering(panel);
    editProperties(*o, Cancel, [](TDiduzOvozProperties& d) {
        const int before = d.Preview().Width();
        d.CaptionText->setText("A much longer line");
        QCOMPARE(d.Preview().Caption(), QString("A much longer line")); // at once
        QVERIFY(d.TextChanged());
        QCOMPARE(d.Preview().Width(), before); // the size waits for the timer
        QTRY_VERIFY_WITH_TIMEOUT(!d.TextChanged(), 1000);
        const QFontMetrics m(d.Preview().FontAt(1.0f));
        QVERIFY(d.Preview().Width() >= m.horizontalAdvance("A much longer line"));
        QCOMPARE(d.Preview().VisibleCaption(), QString("A much longer line"));
    });
}

void TestLetteringProperties::emptyTextIsRefused() {
    TGBasePanel panel;
    TGDiduzOvoz* o = addLettering(panel);
    TScriptedInteraction* script = nullptr;
    TScriptedInteraction outer;
    script = &outer;
    outer.OnExec = [&](QDialog& d) {
        auto& dialog = dynamic_cast<TDiduzOvozProperties&>(d);
        dialog.show();
        dialog.CaptionText->clear();
        dialog.Buttons->OKButton()->click();
        [&] {
            QCOMPARE(script->Messages, QStringList{"Please enter some text"});
            QCOMPARE(dialog.result(), int(QDialog::Rejected)); // still open, not accepted
            QVERIFY(dialog.isVisible());
        }();
        dialog.CaptionText->setText("Back");
        dialog.Buttons->OKButton()->click();
        return dialog.result();
    };
    o->EditProperties();
    QCOMPARE(o->Caption(), QString("Back"));
}

void TestLetteringProperties::spinEditsPullValuesIntoRange() {
    TGBasePanel panel;
    TGDiduzOvoz* o = addLettering(panel);
    o->SetShadowDepth(25);
    o->SetOutlineWidth(12);
    editProperties(*o, Ok, [](TDiduzOvozProperties& d) {
        QCOMPARE(d.ShadowDepthSpinner->value(), 10);
        QCOMPARE(d.Preview().ShadowDepth(), 10);
        QCOMPARE(d.Preview().OutlineWidth(), 10);
    });
    QCOMPARE(o->ShadowDepth(), 10);
    QCOMPARE(o->OutlineWidth(), 10);
}

void TestLetteringProperties::hollowSurfaceTurnsAClearOutlineSolid() {
    TGBasePanel panel;
    TGDiduzOvoz* o = addLettering(panel);
    editProperties(*o, Ok, [](TDiduzOvozProperties& d) {
        d.OutlineStyleCombo->setCurrentIndex(psClear);
        QCOMPARE(d.Preview().OutlineStyle(), int(psClear));
        d.SurfaceTypeCombo->setCurrentRow(stBrushPattern);
        QCOMPARE(d.Preview().OutlineStyle(), int(psSolid));
        QCOMPARE(d.OutlineStyleCombo->currentText(), QString("Clear")); // shown next time
        d.Activate();
        QCOMPARE(d.OutlineStyleCombo->currentText(), QString("Solid Line"));
        QVERIFY(!d.FillPanel->isVisible() && !d.ImagePanel->isVisible() &&
                !d.FontcolorPanel->isVisible());
    });
    QCOMPARE(o->SurfaceType(), int(stBrushPattern));
    QCOMPARE(o->OutlineStyle(), int(psSolid));
}

void TestLetteringProperties::surfacePanelsAndTheLastTexture() {
    TGBasePanel panel;
    TGDiduzOvoz* o = addLettering(panel);
    QImage tile(4, 4, QImage::Format_RGB32);
    tile.fill(Qt::green);
    o->SetSurfaceType(stBrushImage);
    o->SetImage(TBitmap(tile));
    editProperties(*o, Ok, [&](TDiduzOvozProperties& d) {
        QVERIFY(d.ImagePanel->isVisible());
        QCOMPARE(d.LastUsedImage.Image(), d.Preview().Image().Image());
        d.SurfaceTypeCombo->setCurrentRow(stBrushTransparent);
        QVERIFY(d.Preview().Image().Empty());
        QVERIFY(d.FontcolorPanel->isVisible() && !d.ImagePanel->isVisible());
        d.FontColorButton->ShowPalette();
        d.FontColorButton->Palette()->Swatch(1)->click(); // red
        QCOMPARE(d.Preview().Font().Color, clRed);
        d.SurfaceTypeCombo->setCurrentRow(stBrushImage);
        QCOMPARE(d.Preview().Image().Image().pixel(0, 0), qRgb(0, 255, 0)); // given back
    });
    QCOMPARE(o->Image().Image().pixel(0, 0), qRgb(0, 255, 0));
    QCOMPARE(o->Font().Color, clRed);
}

void TestLetteringProperties::textureBeforeAnyLoadedIsTheShippedOne() {
    TGBasePanel panel;
    TGDiduzOvoz* o = addLettering(panel);
    QVERIFY(o->Image().Empty());
    editProperties(*o, Ok, [&](TDiduzOvozProperties& d) {
        d.SurfaceTypeCombo->setCurrentRow(stBrushImage);
        QVERIFY(d.ImagePanel->isVisible());
    });
    // The letters are filled with a picture, which the design then holds.
    QCOMPARE(o->SurfaceType(), int(stBrushImage));
    QVERIFY(!o->Image().Empty());
    QCOMPARE(o->Image().Image(), DefaultTexture().Image());
    QVERIFY(o->Image().Image().width() >= 8);
}

void TestLetteringProperties::cancelLeavesTheObjectAlone() {
    TGBasePanel panel;
    TGDiduzOvoz* o = addLettering(panel);
    int changes = 0;
    panel.LabelChangedEvent = [&](TGBasePanel*) { ++changes; };
    const QRect bounds = o->BoundsRect();
    editProperties(*o, Cancel, [](TDiduzOvozProperties& d) {
        d.CaptionText->setText("Changed");
        d.SurfaceTypeCombo->setCurrentRow(stBrushPattern);
        d.ShadowDepthSpinner->setValue(6);
        d.GradientToColorButton->ShowPalette();
        d.GradientToColorButton->Palette()->Swatch(0)->click();
    });
    QCOMPARE(o->Caption(), QString("Text"));
    QCOMPARE(o->SurfaceType(), int(stGradientFill));
    QCOMPARE(o->ShadowDepth(), 0);
    QCOMPARE(o->GradientToColor(), clYellow);
    QCOMPARE(o->BoundsRect(), bounds);
    QCOMPARE(changes, 0);
}

void TestLetteringProperties::okCopiesBackAllButTheBox() {
    TGBasePanel panel;
    TGDiduzOvoz* o = addLettering(panel);
    o->SetControlTransparent(false);
    o->SetBGColor(clAqua);
    int changes = 0;
    panel.LabelChangedEvent = [&](TGBasePanel*) { ++changes; };
    const QRect bounds = o->BoundsRect();
    editProperties(*o, Ok, [](TDiduzOvozProperties& d) {
        d.CaptionText->setText("Pentavo");
        d.FillDirectionCombo->setCurrentIndex(gdDown);
        d.ShadowOrientationCombo->setCurrentIndex(sdDown);
        d.ShadowDepthSpinner->setValue(4);
        d.OutLineWidthSpinner->setValue(2);
        d.Preview().SetControlTransparent(true);
        d.Preview().SetBGColor(clRed);
        d.Preview().SetBounds(10, 10, 500, 200);
    });
    QCOMPARE(o->Caption(), QString("Pentavo"));
    QCOMPARE(o->FillDirection(), int(gdDown));
    QCOMPARE(o->ShadowOrientation(), int(sdDown));
    QCOMPARE(o->ShadowDepth(), 4);
    QCOMPARE(o->OutlineWidth(), 2);
    QVERIFY(!o->ControlTransparent());
    QCOMPARE(o->BGColor(), clAqua);
    QCOMPARE(o->BoundsRect(), bounds);
    QVERIFY(changes > 0);
    QCOMPARE(o->GradientBitmap().size(), bounds.size());
}

void TestLetteringProperties::fontChoiceOffersOutlineFontsOnly() {
    TGBasePanel panel;
    TGDiduzOvoz* o = addLettering(panel);
    bool scalable = false;
    editProperties(*o, Ok, [&](TDiduzOvozProperties& d) {
        TScriptedInteraction inner;
        inner.OnExec = [&](QDialog& fd) {
            auto& fonts = dynamic_cast<QFontDialog&>(fd);
            scalable = fonts.testOption(QFontDialog::ScalableFonts);
            QFont f(QStringLiteral("DejaVu Sans"));
            f.setPointSize(20);
            fonts.setCurrentFont(f);
            return int(QDialog::Accepted);
        };
        d.Fontbutton->click();
        QCOMPARE(d.Preview().Font().Size(), 20);
    });
    QVERIFY(scalable);
    QCOMPARE(o->Font().Name, QString("DejaVu Sans"));
    QCOMPARE(o->Font().Size(), 20);
}

void TestLetteringProperties::loadTextureOpensTheBrushFolder() {
    TTestProgramFolder folder;
    QVERIFY(QDir(folder.Path()).mkdir("bmbrush"));
    QImage brush(5, 5, QImage::Format_RGB32);
    brush.fill(qRgb(200, 10, 10));
    const QString file = folder.Path() + "bmbrush/red.bmp";
    QVERIFY(brush.save(file, "BMP"));
    TGBasePanel panel;
    TGDiduzOvoz* o = addLettering(panel);
    o->SetSurfaceType(stBrushImage);
    QString opened;
    editProperties(*o, Ok, [&](TDiduzOvozProperties& d) {
        TScriptedInteraction inner;
        inner.OnExec = [&](QDialog& bd) {
            auto& browser = dynamic_cast<TGBrushImageBrowser&>(bd);
            opened = browser.Folder();
            browser.FileListBox1->setCurrentRow(0);
            return int(QDialog::Accepted);
        };
        d.LoadImageButton->click();
    });
    QCOMPARE(QDir(opened), QDir(folder.Path() + "bmbrush"));
    QCOMPARE(o->Image().Image().pixel(2, 2), qRgb(200, 10, 10));
    QCOMPARE(QFileInfo(o->LastBitmapFileNameandPath()), QFileInfo(file));
}

void TestLetteringProperties::toolCreatesAndEdits() {
    TScriptedInteraction script;
    int shown = 0;
    script.OnExec = [&](QDialog& d) {
        shown += dynamic_cast<TDiduzOvozProperties*>(&d) != nullptr;
        return int(QDialog::Rejected);
    };
    TTestCardPanel panel;
    TGGraphicControl* created = panel.Draw(psDiduzOvoz, QRect(20, 20, 200, 60));
    QVERIFY(dynamic_cast<TGDiduzOvoz*>(created));
    QCOMPARE(shown, 1);
    QCOMPARE(panel.PanelState(), psPointing);
    // Where it was drawn, its height fitted to its text as soon as the card shows it.
    QCOMPARE(created->BoundsRect().topLeft(), QPoint(20, 20));
    QCOMPARE(created->Width(), 200);
}

QTEST_MAIN(TestLetteringProperties)
#include "test_lettering_properties.moc"
