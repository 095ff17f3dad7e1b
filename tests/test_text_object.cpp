#include "support/TestSupport.h"

#include "objects/BusinessCardLabel.h"
#include "objects/CardObjects.h"
#include "objects/Font3DEffects.h"
#include "objects/GetBCLabelText.h"
#include "report/RecordingCanvas.h"
#include "surface/BusinessCardPanel.h"
#include "surface/ClassRegistry.h"
#include "surface/ObjectFiler.h"
#include "widgets/ColorDropDown.h"
#include "widgets/DialogButtonBar.h"

#include <QColorDialog>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QtTest>

#include <cmath>

namespace {

// What an object printed, read back from a recorded page (600 device pixels per inch).
struct TPrinted {
    struct TText {
        QRect Clip;
        double X, Y;
        QString Text;
        TColor Color;
        int Rotation;
    };
    TPageMetrics Metrics;
    QList<TInchRect> Rectangles;
    QList<TText> Texts;
    QString FontName;
    double FontPoints = 0;
    int Rotation = 0;
    bool TransparentText = false;
};

TPrinted print(TGGraphicControl& object, double x, double y) {
    TPageStream stream;
    stream.Metrics.XDPI = stream.Metrics.YDPI = 600;
    TRecordingCanvas canvas(stream);
    canvas.BeginPage();
    object.PrintTo(canvas, x, y);
    TPrinted out;
    out.Metrics = stream.Metrics;
    TColor color = clBlack;
    for (const TReportOp& op : stream.Pages.back()) {
        switch (op.Kind) {
        case TReportOpKind::Rectangle:
            out.Rectangles << op.Rect;
            break;
        case TReportOpKind::SetFont:
            out.FontName = op.Text;
            out.FontPoints = op.A;
            break;
        case TReportOpKind::SetFontColor:
            color = op.Color;
            break;
        case TReportOpKind::SetFontRotation:
            out.Rotation = op.Width;
            break;
        case TReportOpKind::SetTextTransparent:
            out.TransparentText = op.Flags != 0;
            break;
        case TReportOpKind::TextRect:
            out.Texts << TPrinted::TText{op.Device, op.A, op.B, op.Text, color, out.Rotation};
            break;
        default:
            break;
        }
    }
    return out;
}

// The object painted alone on white, as the panel paints it.
QImage render(TGBaseLabel& label) {
    QImage img(label.Width() + 20, label.Height() + 20, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    QPainter p(&img);
    p.translate(label.Left(), label.Top());
    p.setClipRect(0, 0, label.Width(), label.Height());
    label.Paint(p);
    return img;
}

// Bounding box of the pixels the predicate picks.
template <class F> QRect inkBox(const QImage& img, F pick) {
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (pick(QColor(img.pixel(x, y))))
                box |= QRect(x, y, 1, 1);
    return box;
}

bool dark(const QColor& c) {
    return c.red() < 90 && c.green() < 90 && c.blue() < 90;
}
bool inked(const QColor& c) {
    return c != QColor(Qt::white);
}

QAction* findItem(QMenu* menu, const QString& text) {
    for (QAction* a : menu->actions()) {
        if (a->text() == text)
            return a;
        if (a->menu())
            if (QAction* inner = findItem(a->menu(), text))
                return inner;
    }
    return nullptr;
}

TGBusinessCardLabel* addLabel(TGBusinessCardPanel32& panel, int w = 142, int h = 33) {
    auto* l =
        static_cast<TGBusinessCardLabel*>(panel.AddObject(std::make_unique<TGBusinessCardLabel>()));
    l->SetBounds(10, 10, w, h);
    l->Loaded();
    return l;
}

void fillPersonalInfo(TGBusinessCardPanel32& panel, const QStringList& values) {
    for (int i = 0; i < values.size(); ++i)
        panel.SetPersonalInfo(i, values[i]);
}

} // namespace

class TestTextObject : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void fontsMatchTheMetricsAssumed_data();
    void fontsMatchTheMetricsAssumed();
    void defaultObject();
    void boxFitsTextHeight_data();
    void boxFitsTextHeight();
    void depthThreeOffsetsAndMargins();
    void angleTurnsTheBox();
    void rotatedTextReadsUpOrDown_data();
    void rotatedTextReadsUpOrDown();
    void invalidAnglesIgnored_data();
    void invalidAnglesIgnored();
    void zoomedFontSize_data();
    void zoomedFontSize();
    void emptyCaptionMeasuresOneBlank();
    void alignment_data();
    void alignment();
    void growToFitOnlyEnlarges();
    void printedLayers_data();
    void printedLayers();
    void printedBackgroundAndBorder();
    void backgroundColorAndTransparent();
    void menuCheckMarks();
    void streamOrderAndDefaults();
    void streamRoundTrip();
    void captionDialog();
    void personalInfoSubmenu();
    void personalInfoValueWithTab();
    void businessCardDialog();
    void textToolCreatesBusinessCardText();
    void effectsDialogCopiesBackOnOk();
    void effectsDialogDepthOutOfRange();
};

void TestTextObject::initTestCase() {
    RegisterCardObjects();
}

void TestTextObject::fontsMatchTheMetricsAssumed_data() {
    QTest::addColumn<QString>("face");
    QTest::addColumn<int>("ascent");
    QTest::addColumn<int>("descent");
    QTest::newRow("Arial 10 pt") << "Arial" << 12 << 3;
    QTest::newRow("Times New Roman 10 pt") << "Times New Roman" << 12 << 3;
}

void TestTextObject::fontsMatchTheMetricsAssumed() {
    QFETCH(QString, face);
    QFETCH(int, ascent);
    QFETCH(int, descent);
    TFont f;
    f.Name = face;
    f.SetSize(10);
    const QFont q = f.ToQFont();
    QVERIFY2(QFontInfo(q).family().startsWith("Liberation"), qPrintable(QFontInfo(q).family()));
    const QFontMetrics m(q);
    QCOMPARE(q.pixelSize(), 13);
    QCOMPARE(m.ascent(), ascent);
    QCOMPARE(m.descent(), descent);
}

void TestTextObject::defaultObject() {
    TGBusinessCardPanel32 panel;
    TGBusinessCardLabel* l = addLabel(panel);
    QCOMPARE(l->Caption(), QString("Text"));
    QCOMPARE(l->Font().Name, QString("Arial"));
    QCOMPARE(l->Font().Size(), 10);
    QCOMPARE(l->Font().Color, clBlack);
    QVERIFY(l->Transparent());
    QCOMPARE(l->BorderStyle(), int(bsNone));
    const QImage img = render(*l);
    // Black text, left-aligned, nothing drawn behind it: corners stay white.
    const QRect ink = inkBox(img, dark);
    QVERIFY(!ink.isEmpty());
    QVERIFY2(ink.left() - l->Left() <= 2, qPrintable(QString::number(ink.left())));
    QCOMPARE(QColor(img.pixel(l->Left() + l->Width() - 2, l->Top() + 1)), QColor(Qt::white));
    QVERIFY(ink.right() < l->Left() + 40);
}

void TestTextObject::boxFitsTextHeight_data() {
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("expected");
    // The line is 17 pixels (cell 15 plus internal leading 2): 1.2 x 17 = 20.4.
    QTest::newRow("tall shrinks to 1.2 x") << 33 << 20;
    QTest::newRow("within 1.2 x stays") << 19 << 19;
    QTest::newRow("too low grows") << 8 << 17;
    QTest::newRow("collapsed") << 0 << 17;
}

void TestTextObject::boxFitsTextHeight() {
    QFETCH(int, height);
    QFETCH(int, expected);
    TGBusinessCardPanel32 panel;
    TGBusinessCardLabel* l = addLabel(panel, 142, height);
    render(*l);
    QCOMPARE(l->Height(), expected);
    QCOMPARE(l->Width(), 142);
}

void TestTextObject::depthThreeOffsetsAndMargins() {
    TGBusinessCardPanel32 panel;
    TGBusinessCardLabel* l = addLabel(panel);
    const QRect plain = inkBox(render(*l), inked);
    l->SetBounds(10, 10, 142, 33);
    l->SetDepthHighlight(3);
    l->SetDepthShadow(3);
    l->SetColorHighlight(clWhite);
    l->SetColorShadow(clWhite);
    const QRect text = inkBox(render(*l), inked);
    QCOMPARE(l->Margin(), QPoint(3, 3));
    QCOMPARE(l->TextOrigin(), QPoint(3, 3));
    QCOMPARE(l->HighlightOrigin(), QPoint(0, 0));
    QCOMPARE(l->ShadowOrigin(), QPoint(6, 6));
    QCOMPARE(l->Height(), 27); // (17 + 3 + 3) x 1.2
    QCOMPARE(text, plain.translated(3, 3));
    // The copies reach 3 pixels up-left and down-right of the text.
    l->SetColorHighlight(clBlue);
    l->SetColorShadow(clRed);
    const QRect all = inkBox(render(*l), inked);
    QCOMPARE(all.topLeft(), text.topLeft() - QPoint(3, 3));
    QCOMPARE(all.bottomRight(), text.bottomRight() + QPoint(3, 3));
}

void TestTextObject::angleTurnsTheBox() {
    TGBusinessCardPanel32 panel;
    TGBusinessCardLabel* l = addLabel(panel);
    l->SetAlignment(taCenter);
    l->SetAngle(90);
    QCOMPARE(l->Angle(), 90);
    QCOMPARE(l->Alignment(), int(taLeftJustify));
    QCOMPARE(QSize(l->Width(), l->Height()), QSize(33, 142));
    l->SetAngle(0);
    QCOMPARE(QSize(l->Width(), l->Height()), QSize(142, 33));
    // A half turn keeps a wide box wide.
    l->SetAngle(180);
    QCOMPARE(QSize(l->Width(), l->Height()), QSize(142, 33));
}

void TestTextObject::rotatedTextReadsUpOrDown_data() {
    QTest::addColumn<int>("angle");
    QTest::newRow("90 reads upward") << 90;
    QTest::newRow("270 reads downward") << 270;
}

void TestTextObject::rotatedTextReadsUpOrDown() {
    QFETCH(int, angle);
    TGBusinessCardPanel32 panel;
    TGBusinessCardLabel* l = addLabel(panel);
    l->SetCaption("Wide text");
    l->SetAngle(angle);
    const QImage img = render(*l);
    const QRect ink = inkBox(img, dark).translated(-l->Left(), -l->Top());
    QVERIFY(ink.height() > 2 * ink.width());
    QVERIFY(QRect(0, 0, l->Width(), l->Height()).contains(ink));
    // The box is 1.2 x the text long; the text starts at its bottom (90) or top (270) end.
    const int gapTop = ink.top(), gapBottom = l->Height() - 1 - ink.bottom();
    if (angle == 90)
        QVERIFY2(gapBottom < gapTop, qPrintable(QString("%1 %2").arg(gapTop).arg(gapBottom)));
    else
        QVERIFY2(gapTop < gapBottom, qPrintable(QString("%1 %2").arg(gapTop).arg(gapBottom)));
}

void TestTextObject::invalidAnglesIgnored_data() {
    QTest::addColumn<int>("angle");
    QTest::newRow("45") << 45;
    QTest::newRow("-90") << -90;
    QTest::newRow("360") << 360;
}

void TestTextObject::invalidAnglesIgnored() {
    QFETCH(int, angle);
    TGBusinessCardPanel32 panel;
    TGBusinessCardLabel* l = addLabel(panel);
    l->SetAngle(angle);
    QCOMPARE(l->Angle(), 0);
    QCOMPARE(QSize(l->Width(), l->Height()), QSize(142, 33));
}

void TestTextObject::zoomedFontSize_data() {
    QTest::addColumn<float>("zoom");
    QTest::addColumn<int>("points");
    QTest::newRow("100 %") << 1.0f << 10;
    QTest::newRow("150 %") << 1.5f << 15;
    QTest::newRow("75 % truncates") << 0.75f << 7;
    QTest::newRow("110 % in single steps") << 1.0f + 0.1f << 11;
}

void TestTextObject::zoomedFontSize() {
    QFETCH(float, zoom);
    QFETCH(int, points);
    TGBusinessCardPanel32 panel;
    TGBusinessCardLabel* l = addLabel(panel);
    l->SetZoom(zoom);
    QCOMPARE(l->ZoomedFont().pixelSize(), int(std::lround(points * 96 / 72.0)));
}

void TestTextObject::emptyCaptionMeasuresOneBlank() {
    TGBusinessCardPanel32 panel;
    TGBusinessCardLabel* l = addLabel(panel, 3, 33);
    l->SetCaption("");
    render(*l);
    const int blank = QFontMetrics(l->ZoomedFont()).horizontalAdvance(' ');
    QVERIFY(blank > 0);
    QCOMPARE(l->Width(), blank);
    // Upside down, a box wider than twice the text narrows to it.
    l->SetBounds(10, 10, 142, 33);
    l->SetAngle(180);
    render(*l);
    QCOMPARE(l->Width(), 2 * blank);
}

void TestTextObject::alignment_data() {
    QTest::addColumn<int>("alignment");
    QTest::addColumn<int>("x");
    const int tw = QFontMetrics(TGBaseLabel().ZoomedFont()).horizontalAdvance("Text ");
    QTest::newRow("left") << int(taLeftJustify) << 0;
    QTest::newRow("right") << int(taRightJustify) << 142 - tw;
    QTest::newRow("center") << int(taCenter) << 142 / 2 - tw / 2;
}

void TestTextObject::alignment() {
    QFETCH(int, alignment);
    QFETCH(int, x);
    TGBusinessCardPanel32 panel;
    TGBusinessCardLabel* l = addLabel(panel);
    l->SetAlignment(alignment);
    render(*l);
    QCOMPARE(l->TextOrigin().x(), x);
}

void TestTextObject::growToFitOnlyEnlarges() {
    TGBusinessCardPanel32 panel;
    TGBusinessCardLabel* l = addLabel(panel, 20, 10);
    render(*l);
    l->SetCaption("A much longer caption");
    l->GrowToFitText();
    const QFontMetrics m(l->ZoomedFont());
    QCOMPARE(l->Width(), m.horizontalAdvance("A much longer caption     "));
    l->SetCaption("A");
    l->GrowToFitText();
    QCOMPARE(l->Width(), m.horizontalAdvance("A much longer caption     "));
}

void TestTextObject::printedLayers_data() {
    QTest::addColumn<int>("depth");
    QTest::addColumn<int>("layers");
    QTest::newRow("depth 0: text only") << 0 << 1;
    QTest::newRow("depth 2: shadow, highlight, text") << 2 << 3;
}

void TestTextObject::printedLayers() {
    QFETCH(int, depth);
    QFETCH(int, layers);
    TGBusinessCardPanel32 panel;
    TGBusinessCardLabel* l = addLabel(panel);
    l->SetDepthShadow(depth);
    l->SetDepthHighlight(depth);
    const TPrinted printed = print(*l, 1.0, 2.0);
    QCOMPARE(printed.Texts.size(), layers);
    QVERIFY(printed.Rectangles.isEmpty());
    QVERIFY(printed.TransparentText);
    const TPrinted::TText& text = printed.Texts.last();
    QCOMPARE(text.Color, clBlack);
    QCOMPARE(text.X, 1.0 + (10 + l->TextOrigin().x()) / 96.0);
    QCOMPARE(text.Y, 2.0 + (10 + l->TextOrigin().y()) / 96.0);
    // The clip reaches 0.03 inch further left and up than the text rectangle.
    const TEdgeRect& r = l->TextRect();
    QCOMPARE(text.Clip, printed.Metrics.DeviceRect(
                            {1.0 + (10 + r.Left) / 96.0 - 0.03, 2.0 + (10 + r.Top) / 96.0 - 0.03,
                             1.0 + (10 + r.Right) / 96.0, 2.0 + (10 + r.Bottom) / 96.0}));
    QCOMPARE(printed.FontName, QString("Arial"));
    QCOMPARE(printed.FontPoints, 10.0);
    if (layers == 3) {
        QCOMPARE(printed.Texts[0].Color, l->ColorShadow());
        QCOMPARE(printed.Texts[1].Color, l->ColorHighlight());
    }
}

void TestTextObject::printedBackgroundAndBorder() {
    TGBusinessCardPanel32 panel;
    TGBusinessCardLabel* l = addLabel(panel);
    l->SetTransparent(false);
    l->SetBorderStyle(bsSingle);
    l->SetAngle(90);
    const TPrinted printed = print(*l, 0.5, 0.25);
    QCOMPARE(printed.Rectangles.size(), 2);
    const TInchRect back = printed.Rectangles[0], border = printed.Rectangles[1];
    const int right = l->Left() + l->Width(), bottom = l->Top() + l->Height();
    QCOMPARE(back.Left, 0.5 + 10 / 96.0);
    QCOMPARE(back.Right, 0.5 + (right - 1) / 96.0);
    QCOMPARE(back.Bottom, 0.25 + (bottom - 1) / 96.0);
    QCOMPARE(border.Right, 0.5 + right / 96.0);
    QCOMPARE(border.Bottom, 0.25 + bottom / 96.0);
    QCOMPARE(printed.Texts.first().Rotation, 90);
    QCOMPARE(printed.Rotation, 0); // rotation is reset afterwards
}

void TestTextObject::backgroundColorAndTransparent() {
    TScriptedInteraction script;
    script.OnExec = [](QDialog& d) {
        auto* colors = dynamic_cast<QColorDialog*>(&d);
        if (!colors)
            return int(QDialog::Rejected);
        colors->setCurrentColor(QColor(255, 255, 0));
        return int(QDialog::Accepted);
    };
    TGBusinessCardPanel32 panel;
    int changes = 0;
    panel.LabelChangedEvent = [&](TGBasePanel*) { ++changes; };
    TGBusinessCardLabel* l = addLabel(panel);
    QAction* transparent = findItem(l->ContextMenu(), "Transparent");
    QVERIFY(transparent && transparent->isChecked());
    findItem(l->ContextMenu(), "Background Color")->trigger();
    QVERIFY(!l->Transparent());
    QCOMPARE(l->BackColor(), clYellow);
    QVERIFY(!transparent->isChecked());
    QVERIFY(changes > 0);
    const QImage img = render(*l);
    QCOMPARE(QColor(img.pixel(l->Left() + l->Width() - 1, l->Top() + 1)), QColor(255, 255, 0));
    transparent->trigger();
    QVERIFY(l->Transparent());
    QVERIFY(transparent->isChecked());
    QCOMPARE(l->BackColor(), clYellow);
    // Cancelling the colour dialog changes nothing.
    script.OnExec = nullptr;
    findItem(l->ContextMenu(), "Background Color")->trigger();
    QVERIFY(l->Transparent());
}

void TestTextObject::menuCheckMarks() {
    TGBusinessCardPanel32 panel;
    TGBusinessCardLabel* l = addLabel(panel);
    findItem(l->ContextMenu(), "Border")->trigger();
    QCOMPARE(l->BorderStyle(), int(bsSingle));
    findItem(l->ContextMenu(), "Right")->trigger();
    l->PopupOpening();
    QVERIFY(findItem(l->ContextMenu(), "Border")->isChecked());
    QVERIFY(findItem(l->ContextMenu(), "Right")->isChecked());
    QVERIFY(!findItem(l->ContextMenu(), "Left")->isChecked());
    findItem(l->ContextMenu(), "270 Degrees")->trigger();
    QCOMPARE(l->Angle(), 270);
    // Border pixels reach the box edges on screen.
    const QImage img = render(*l);
    QVERIFY(dark(QColor(img.pixel(l->Left(), l->Top()))));
    QVERIFY(dark(QColor(img.pixel(l->Left() + l->Width() - 1, l->Top() + l->Height() - 1))));
}

void TestTextObject::streamOrderAndDefaults() {
    TGPLabel label;
    QStringList names;
    for (const TPropertyInfo& p : label.Properties())
        names << p.Name;
    const QStringList expected{"Tag",
                               "Left",
                               "Top",
                               "Width",
                               "Height",
                               "Cursor",
                               "Hint",
                               "Locked",
                               "Unselectable",
                               "Alignment",
                               "DepthHighlight",
                               "DepthShadow",
                               "DirectionHighlight",
                               "DirectionShadow",
                               "colorHighlight",
                               "colorShadow",
                               "Angle",
                               "Caption",
                               "Font.Charset",
                               "Font.Color",
                               "Font.Height",
                               "Font.Name",
                               "Font.Pitch",
                               "Font.Style",
                               "Transparent",
                               "BackColor",
                               "BorderStyle"};
    QCOMPARE(names, expected);
    QStringList stored;
    for (const TPropertyInfo& p : label.Properties())
        if (p.Name.size() > 0 && names.indexOf(p.Name) >= names.indexOf("Alignment") &&
            p.IsStored(label))
            stored << p.Name;
    QCOMPARE(stored, QStringList({"Caption", "Font.Color", "Font.Height", "Font.Name", "Font.Style",
                                  "Transparent", "BackColor", "BorderStyle"}));
    // An angle from a file that is no quarter turn is ignored there as well.
    label.SetReading(true);
    label.Properties()[names.indexOf("Angle")].Set(label, 45);
    label.Properties()[names.indexOf("Angle")].Set(label, 270);
    label.SetReading(false);
    QCOMPARE(label.Angle(), 270);
    QVERIFY(TClassRegistry::IsRegistered("TGPLabel"));
    QCOMPARE(TClassRegistry::Create("TGBusinessCardLabel")->ClassName(),
             QString("TGBusinessCardLabel"));
}

void TestTextObject::streamRoundTrip() {
    TGBusinessCardPanel32 panel;
    TGBusinessCardLabel* l = addLabel(panel);
    l->SetAngle(270);
    l->SetCaption(QString::fromUtf8("Caf\u00e9 \u20ac 5 \u2603"));
    l->SetDepthShadow(4);
    l->SetDirectionShadow(sdLeft);
    l->SetColorHighlight(clLime);
    l->SetTransparent(false);
    l->SetBackColor(clSilver);
    l->SetBorderStyle(bsSingle);
    TFont f = l->Font();
    f.Set(fsItalic, true);
    l->SetFont(f);
    TGGraphicControl* copy = TGLabelObjectFiler(panel).CopyObject(*l);
    auto* c = dynamic_cast<TGBusinessCardLabel*>(copy);
    QVERIFY(c);
    QCOMPARE(c->BoundsRect().size(), l->BoundsRect().size());
    for (const TPropertyInfo& p : l->Properties())
        if (p.Name != "Left" && p.Name != "Top")
            QCOMPARE(p.Get(*c), p.Get(*l));
    QVERIFY(c->PersonalInfoMenu()); // completed with Loaded on the card panel
}

void TestTextObject::captionDialog() {
    TScriptedInteraction script;
    QString shownCaption;
    script.OnExec = [&](QDialog& d) {
        auto* edit = d.findChild<QLineEdit*>("LabelText");
        shownCaption = edit->text();
        edit->setText("Jane Doe");
        return int(QDialog::Accepted);
    };
    TGBusinessCardPanel32 panel;
    auto* l = static_cast<TGPLabel*>(panel.AddObject(std::make_unique<TGPLabel>()));
    l->SetBounds(0, 0, 20, 17);
    l->Loaded();
    render(*l);
    findItem(l->ContextMenu(), "Text")->trigger();
    QCOMPARE(shownCaption, QString("Text"));
    QCOMPARE(l->Caption(), QString("Jane Doe"));
    QVERIFY(l->Width() > 40); // grown to fit
    script.OnExec = [](QDialog& d) {
        d.findChild<QLineEdit*>("LabelText")->setText("ignored");
        return int(QDialog::Rejected);
    };
    l->EditText();
    QCOMPARE(l->Caption(), QString("Jane Doe"));

    TGetLabelText dialog(nullptr);
    QCOMPARE(dialog.windowTitle(), QString("Text"));
    QCOMPARE(dialog.size(), QSize(356, 133));
    QCOMPARE(dialog.LabelText->width(), 321);
    QCOMPARE(dialog.Label1->text(), QString("Enter Text"));
    QCOMPARE(dialog.LabelText->whatsThis(), QString("Enter the text you wish displayed here"));
    QCOMPARE(dialog.Buttons->OKButton()->whatsThis(),
             QString("Click to accept and return to the previous screen"));
    QCOMPARE(dialog.Buttons->HelpButton()->whatsThis(),
             QString("Click to bring up Windows Help for the program"));
    QVERIFY(dialog.Buttons->OKButton()->isDefault());
    QVERIFY(!(dialog.windowFlags() & Qt::WindowCloseButtonHint));
}

void TestTextObject::personalInfoSubmenu() {
    TGBusinessCardPanel32 panel;
    TGBusinessCardLabel* l = addLabel(panel);
    QMenu* menu = l->ContextMenu();
    QCOMPARE(menu->actions().at(0)->menu(), l->PersonalInfoMenu());
    QCOMPARE(menu->actions().at(0)->text(), QString("Personal Information"));
    QVERIFY(menu->actions().at(1)->isSeparator());
    // All empty: ten items with nothing after the labels; picking one empties the caption.
    QStringList items;
    for (const QAction* a : l->PersonalInfoMenu()->actions())
        items << a->text();
    QCOMPARE(items, QStringList({"Name\t", "Company\t", "Title\t", "Address 1\t", "Address 2\t",
                                 "Address 3\t", "Phone 1\t", "Phone 2\t", "EMail\t", "Fax\t"}));
    l->PersonalInfoMenu()->actions().at(0)->trigger();
    QCOMPARE(l->Caption(), QString());

    fillPersonalInfo(panel, {"Ann Lee", "", "", "", "", "", "+1 555 0100 ext. 12345678"});
    l->PopupOpening();
    QCOMPARE(l->PersonalInfoMenu()->actions().at(6)->text(),
             QString("Phone 1\t+1 555 0100 ext. 12345678"));
    l->SetCaption("Text");
    render(*l);
    const int before = l->Width();
    l->PersonalInfoMenu()->actions().at(6)->trigger();
    QCOMPARE(l->Caption(), QString("+1 555 0100 ext. 12345678"));
    QVERIFY(l->Width() > before);
    const int wide = l->Width();
    l->PopupOpening();
    l->PersonalInfoMenu()->actions().at(0)->trigger();
    QCOMPARE(l->Caption(), QString("Ann Lee"));
    QCOMPARE(l->Width(), wide); // never narrowed

    // New values show in the menu; the caption already picked stays.
    panel.SetPersonalInfo(0, "Bob Roe");
    l->PopupOpening();
    QCOMPARE(l->PersonalInfoMenu()->actions().at(0)->text(), QString("Name\tBob Roe"));
    QCOMPARE(l->Caption(), QString("Ann Lee"));

    // Away from the card panel there is no submenu.
    TGBasePanel plain;
    auto* loose =
        static_cast<TGBusinessCardLabel*>(plain.AddObject(std::make_unique<TGBusinessCardLabel>()));
    loose->Loaded();
    QVERIFY(!loose->PersonalInfoMenu());
    QCOMPARE(loose->ContextMenu()->actions().at(0)->text(), QString("Bring To Front"));
}

void TestTextObject::personalInfoValueWithTab() {
    TGBusinessCardPanel32 panel;
    TGBusinessCardLabel* l = addLabel(panel);
    panel.SetPersonalInfo(2, "Head\tof Sales");
    l->PopupOpening();
    l->PersonalInfoMenu()->actions().at(2)->trigger();
    QCOMPARE(l->Caption(), QString("Head\tof Sales"));
    panel.SetPersonalInfo(2, QString(300, 'x'));
    l->PopupOpening();
    l->PersonalInfoMenu()->actions().at(2)->trigger();
    QCOMPARE(l->Caption().size(), 255);
}

void TestTextObject::businessCardDialog() {
    TScriptedInteraction script;
    bool comboEnabled = true;
    QStringList comboItems;
    script.OnExec = [&](QDialog& d) {
        auto* combo = d.findChild<QComboBox*>("PersonalInfoCombo");
        comboEnabled = combo->isEnabled();
        comboItems.clear();
        for (int i = 0; i < combo->count(); ++i)
            comboItems << combo->itemText(i);
        if (combo->count() > 1) {
            combo->setCurrentIndex(1);
            emit combo->activated(1);
        }
        return int(QDialog::Accepted);
    };
    TGBusinessCardPanel32 panel;
    TGBusinessCardLabel* l = addLabel(panel);
    l->EditBusinessCardText();
    QVERIFY(!comboEnabled);
    QVERIFY(comboItems.isEmpty());
    QCOMPARE(l->Caption(), QString("Text"));

    fillPersonalInfo(panel, {"Ann Lee", "", "Acme", "", "", "", "555"});
    findItem(l->ContextMenu(), "Text")->trigger();
    QVERIFY(comboEnabled);
    QCOMPARE(comboItems, QStringList({"Ann Lee", "Acme", "555"}));
    QCOMPARE(l->Caption(), QString("Acme"));

    TGetBCLabelText dialog(nullptr);
    QCOMPARE(dialog.Label2->text(), QString("or select personal information"));
    QCOMPARE(dialog.PersonalInfoCombo->width(), 204);
    QCOMPARE(dialog.LabelText->width(), 321);
}

void TestTextObject::textToolCreatesBusinessCardText() {
    TScriptedInteraction script;
    script.OnExec = [](QDialog& d) {
        d.findChild<QLineEdit*>("LabelText")->setText("Pentavo Design Studio");
        return int(QDialog::Accepted);
    };
    TGBusinessCardPanel32 panel;
    panel.resize(336, 192);
    TFont font;
    font.Name = "Times New Roman";
    font.SetSize(14);
    font.Color = clNavy;
    panel.SetFont(font);
    panel.SetPanelState(psLabel);
    QTest::mousePress(&panel, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseMove(&panel, QPoint(60, 50));
    QTest::mouseRelease(&panel, Qt::LeftButton, {}, QPoint(60, 50));
    QCOMPARE(panel.Objects().size(), size_t(1));
    auto* l = dynamic_cast<TGBusinessCardLabel*>(panel.Objects().front());
    QVERIFY(l);
    QCOMPARE(l->Caption(), QString("Pentavo Design Studio"));
    QCOMPARE(l->Font(), font);
    QVERIFY(l->PersonalInfoMenu());
    const QFontMetrics m(l->ZoomedFont());
    QVERIFY(l->Width() >= m.horizontalAdvance("Pentavo Design Studio     "));
}

void TestTextObject::effectsDialogCopiesBackOnOk() {
    TScriptedInteraction script;
    QStringList shown;
    script.OnExec = [&](QDialog& d) {
        auto& effects = dynamic_cast<TGFont3DEffects&>(d);
        shown << effects.windowTitle() << effects.ShadowDirection->currentText()
              << effects.HighLightDepth->currentText() << effects.Sample().Font().Name;
        effects.ShadowDirection->setCurrentIndex(sdDown);
        emit effects.ShadowDirection->activated(sdDown);
        effects.ShadowDepth->setCurrentIndex(4);
        emit effects.ShadowDepth->activated(4);
        emit effects.FontColorCombo->ColorChanged(clRed);
        return int(QDialog::Accepted);
    };
    TGBusinessCardPanel32 panel;
    int changes = 0;
    panel.LabelChangedEvent = [&](TGBasePanel*) { ++changes; };
    TGBusinessCardLabel* l = addLabel(panel);
    TFont f = l->Font();
    f.Name = "Times New Roman";
    l->SetFont(f);
    l->SetDepthHighlight(2);
    findItem(l->ContextMenu(), "3D Effects")->trigger();
    QCOMPARE(shown, QStringList({"Text 3D Effects", "Lower Right", "2", "Times New Roman"}));
    QCOMPARE(l->DirectionShadow(), int(sdDown));
    QCOMPARE(l->DepthShadow(), 4);
    QCOMPARE(l->DepthHighlight(), 2);
    QCOMPARE(l->Font().Color, clRed);
    QCOMPARE(l->Font().Name, QString("Times New Roman"));
    QVERIFY(changes > 0);

    script.OnExec = [](QDialog& d) {
        auto& effects = dynamic_cast<TGFont3DEffects&>(d);
        emit effects.ShadowDepth->activated(9);
        return int(QDialog::Rejected);
    };
    l->Open3DEffects();
    QCOMPARE(l->DepthShadow(), 4);
}

void TestTextObject::effectsDialogDepthOutOfRange() {
    TGBusinessCardLabel label;
    label.SetDepthShadow(12);
    TGFont3DEffects dialog(nullptr);
    dialog.SetLabel(&label);
    QCOMPARE(dialog.ShadowDepth->currentIndex(), -1);
    QCOMPARE(dialog.Sample().DepthShadow(), 12);
    QCOMPARE(dialog.ShadowDepth->count(), 11);
    QCOMPARE(dialog.HighlightDirection->itemText(4), QString("Upper Left"));
    QCOMPARE(dialog.Buttons->HelpButton()->text(), QString("Help"));
    dialog.CopyBack();
    QCOMPARE(label.DepthShadow(), 12);
}

QTEST_MAIN(TestTextObject)
#include "test_text_object.moc"
