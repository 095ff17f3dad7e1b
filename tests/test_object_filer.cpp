#include "support/AllTypesObject.h"
#include "support/TestSupport.h"

#include "app/ObjectKinds.h"
#include "objects/PLabel.h"
#include "richtext/WPRichText.h"
#include "surface/BasePanel.h"
#include "surface/Handle.h"
#include "surface/ObjectFiler.h"
#include "surface/ObjectStream.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A record as the writer lays it out, for building test files by hand.
QByteArray record(const QByteArray& cls, const QByteArray& name, const QByteArray& props) {
    return "TPF0" + QByteArray(1, char(cls.size())) + cls + QByteArray(1, char(name.size())) +
           name + props + QByteArray(2, '\0');
}

QByteArray prop(const QByteArray& name, const QByteArray& value) {
    return QByteArray(1, char(name.size())) + name + value;
}

QByteArray file(const QList<QByteArray>& records) {
    QByteArray b(1, '\x01');
    for (const QByteArray& r : records)
        b += r;
    return b + QByteArray(1, '\0');
}

QByteArray streamOf(const std::vector<TGGraphicControl*>& objects) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TGLabelObjectFiler::WriteObjects(buffer, objects);
    return buffer.data();
}

TAllTypes* addObject(TGBasePanel& panel, const QString& name, int left = 10, int top = 20) {
    auto* o = static_cast<TAllTypes*>(panel.AddObject(std::make_unique<TAllTypes>()));
    o->SetName(name);
    o->SetBounds(left, top, 50, 15);
    return o;
}

QString loadError(TGBasePanel& panel, const QByteArray& bytes) {
    try {
        TGLabelObjectFiler(panel).ReadObjects(bytes.constData(), bytes.size());
    } catch (const EStreamError& e) {
        return e.Message();
    }
    return {};
}

} // namespace

class TestObjectFiler : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { TAllTypes::Register(); }
    void emptyPanelIsListStartAndEnd();
    void baseRecordBytes();
    void colourNamesAndIntegers_data();
    void colourNamesAndIntegers();
    void everyPropertyTypeRoundTrips();
    void saveReadSaveIsByteIdentical();
    void everyRegisteredKindRoundTrips();
    void readingMakesNoWidgetsUntilAMenuOpens();
    void foreignFontCharsetAndPitch();
    void emptyCaptionAndFontNameSurviveReopening();
    void namesAreComponentN();
    void allNamesTakenKeepsStoredName_data();
    void allNamesTakenKeepsStoredName();
    void prefixByteIsAccepted();
    void propertyErrors_data();
    void propertyErrors();
    void unknownClassKeepsEarlierObjects();
    void tooManyObjectsIsNoDesign();
    void pastingTwice();
    void cloneLiesBelowOnTop();
    void saveAtZoomWritesFullSize();
    void failedSaveLeavesPreviousFile();
    void selectionAndSingleObject();
};

void TestObjectFiler::emptyPanelIsListStartAndEnd() {
    QTemporaryDir dir;
    TGBasePanel panel;
    const QString path = dir.filePath("empty.ptv");
    panel.SaveToFile(path);
    QCOMPARE(ReadTestFile(path), QByteArray("\x01\x00", 2));
    panel.LoadFromFile(path);
    QVERIFY(panel.Objects().empty());
    panel.LoadFromFile(dir.filePath("missing.ptv")); // nothing, no error
    QVERIFY(panel.Objects().empty());
}

void TestObjectFiler::baseRecordBytes() {
    TGBasePanel panel;
    TAllTypes* o = addObject(panel, "Special1", 10, 20);
    o->Letter = "x";
    const QByteArray bytes = streamOf({o});
    QByteArray expected = "\x01TPF0\x09TAllTypes\x08Special1";
    expected += prop("Left", "\x02\x0A") + prop("Top", "\x02\x14") + prop("Width", "\x02\x32") +
                prop("Height", "\x02\x0F");
    expected += prop("Locked", "\x08") + prop("Unselectable", "\x08");
    expected += prop("BackColor", "\x07\x07"
                                  "clWhite") +
                prop("Letter", "\x06\x01x");
    expected += prop("Font.Color", "\x07\x0C"
                                   "clWindowText") +
                prop("Font.Height", "\x02\xF5");
    expected += prop("Font.Name", "\x06\x05"
                                  "Arial") +
                prop("Font.Style", QByteArray("\x0B\x00", 2));
    expected += QByteArray(3, '\0');
    QCOMPARE(bytes, expected);
}

void TestObjectFiler::colourNamesAndIntegers_data() {
    QTest::addColumn<int>("color");
    QTest::addColumn<QByteArray>("value");
    QTest::newRow("clRed") << 0x0000FF
                           << QByteArray("\x07\x05"
                                         "clRed");
    QTest::newRow("no name") << 0x123456 << QByteArray("\x04\x56\x34\x12\x00", 5);
    QTest::newRow("system colour") << int(0x8000000F)
                                   << QByteArray("\x07\x09"
                                                 "clBtnFace");
    QTest::newRow("clNone") << 0x1FFFFFFF
                            << QByteArray("\x07\x06"
                                          "clNone");
}

void TestObjectFiler::colourNamesAndIntegers() {
    QFETCH(int, color);
    QFETCH(QByteArray, value);
    TGBasePanel panel;
    TAllTypes* o = addObject(panel, "A");
    o->Font.Color = color;
    QVERIFY(streamOf({o}).contains(prop("Font.Color", value)));
    TGBasePanel other;
    const QByteArray bytes = streamOf({o});
    TGLabelObjectFiler(other).ReadObjects(bytes.constData(), bytes.size());
    QCOMPARE(static_cast<TAllTypes*>(other.Objects()[0])->Font.Color, color);
}

void TestObjectFiler::everyPropertyTypeRoundTrips() {
    TGBasePanel panel;
    TAllTypes* o = addObject(panel, "A", -5, 40000);
    o->SetTag(-129);
    o->SetCursor(-21);
    o->SetHint(QString::fromUtf8("Straße Ω"));
    o->SetLocked(true);
    o->Count = 128;
    o->Align = 2;
    o->Options = 0b101;
    o->BackColor = 0x123456;
    o->Letter = QString::fromUtf8("é");
    o->Ratio = -2.75;
    o->Caption = QString(300, 'c');
    o->Lines = {"one", "", QString::fromUtf8("drei €")};
    o->Data = QByteArray("\x07TBitmap\x00\x00\x00\x00", 12);
    o->Font.Name = "Liberation Serif";
    o->Font.Height = -64;
    o->Font.Style = 0b1011;
    o->Font.Color = clRed;
    o->Font.Charset = 2;
    o->Font.Pitch = fpFixed;
    o->Pen = TPen{clBlue, pmXor, psDot, 3};
    o->Brush = TBrush{clNone, bsDiagCross};
    o->Flag = true;
    const QByteArray bytes = streamOf({o});
    QVERIFY(bytes.contains(prop("Caption", QByteArray("\x0C\x2C\x01\x00\x00", 5))));
    TGBasePanel other;
    TGLabelObjectFiler(other).ReadObjects(bytes.constData(), bytes.size());
    QCOMPARE(other.Objects().size(), size_t(1));
    auto* c = static_cast<TAllTypes*>(other.Objects()[0]);
    QCOMPARE(c->BoundsRect(), o->BoundsRect());
    QCOMPARE(c->Tag(), -129);
    QCOMPARE(c->Cursor(), -21);
    QCOMPARE(c->Hint(), o->Hint());
    QVERIFY(c->Locked());
    QCOMPARE(c->Count, 128);
    QCOMPARE(c->Align, 2);
    QCOMPARE(c->Options, 0b101u);
    QCOMPARE(c->BackColor, 0x123456);
    QCOMPARE(c->Letter, o->Letter);
    QCOMPARE(c->Ratio, -2.75);
    QCOMPARE(c->Caption, o->Caption);
    QCOMPARE(c->Lines, o->Lines);
    QCOMPARE(c->Data, o->Data);
    QVERIFY(c->Font == o->Font);
    QVERIFY(c->Pen == o->Pen);
    QVERIFY(c->Brush == o->Brush);
    QVERIFY(c->Flag);
    QVERIFY(c->ReadingSeenBySetter);
    QVERIFY(!c->Reading());
    QCOMPARE(c->LoadedCalls, 1);
    QVERIFY(c->ContextMenu());
}

void TestObjectFiler::saveReadSaveIsByteIdentical() {
    QTemporaryDir dir;
    TGBasePanel panel;
    panel.resize(336, 192);
    for (int i = 0; i < 5; ++i) {
        // Names as reading gives them, so that the files can match byte for byte.
        TAllTypes* o = addObject(panel, QString("Component%1").arg(i), 10 * i, 5 * i);
        o->Caption = QString("Card %1").arg(i);
        o->Ratio = i * 0.1;
        o->Lines = QStringList(i, "line");
        o->Font.Charset = i == 2 ? 0 : DEFAULT_CHARSET;
    }
    const QString first = dir.filePath("first.ptv"), second = dir.filePath("second.ptv");
    panel.SaveToFile(first);
    TGBasePanel reread;
    reread.LoadFromFile(first);
    QCOMPARE(reread.Objects().size(), size_t(5));
    reread.SaveToFile(second);
    QCOMPARE(ReadTestFile(second), ReadTestFile(first));
}

void TestObjectFiler::everyRegisteredKindRoundTrips() {
    RegisterObjectKinds();
    QTemporaryDir dir;
    for (const QString& kind : TClassRegistry::ClassNames()) {
        TGBasePanel panel;
        CreateMasterRichText(&panel); // rich text objects paint through it
        panel.resize(336, 192);
        TGGraphicControl* o = panel.AddObject(TClassRegistry::Create(kind));
        o->Loaded();
        o->SetName("Component0");
        o->SetBounds(12, 34, 150, 40);
        const QString first = dir.filePath(kind + "1"), second = dir.filePath(kind + "2");
        panel.SaveToFile(first);
        TGBasePanel reread;
        CreateMasterRichText(&reread);
        reread.resize(336, 192);
        reread.LoadFromFile(first);
        QCOMPARE(reread.Objects().size(), size_t(1));
        QCOMPARE(reread.Objects()[0]->ClassName(), kind);
        reread.SaveToFile(second);
        QVERIFY2(ReadTestFile(second) == ReadTestFile(first), qPrintable(kind));
    }
}

void TestObjectFiler::readingMakesNoWidgetsUntilAMenuOpens() {
    RegisterObjectKinds();
    TGBasePanel source;
    CreateMasterRichText(&source);
    for (const QString& kind : TClassRegistry::ClassNames())
        source.AddObject(TClassRegistry::Create(kind))->SetBounds(12, 34, 150, 40);
    auto* label = static_cast<TGPLabel*>(source.AddObject(std::make_unique<TGPLabel>()));
    label->SetAlignment(taRightJustify);
    const QByteArray bytes = streamOf(source.Objects());

    TGBasePanel panel;
    CreateMasterRichText(&panel);
    const qsizetype widgets = QApplication::allWidgets().size();
    TGLabelObjectFiler(panel).ReadObjects(bytes.constData(), bytes.size());
    QCOMPARE(QApplication::allWidgets().size(), widgets);

    // Each menu appears when first wanted, with the base's items first.
    for (TGGraphicControl* o : panel.Objects()) {
        QMenu* menu = o->ContextMenu();
        QVERIFY2(menu, qPrintable(o->ClassName()));
        QCOMPARE(menu->actions().at(0)->text(), QStringLiteral("Bring To Front"));
        QCOMPARE(o->ContextMenu(), menu);
    }
    // Opening it still runs PopupOpening, which sets the check marks.
    QMenu* menu = panel.Objects().back()->ContextMenu();
    emit menu->aboutToShow();
    QAction* right = nullptr;
    for (QMenu* sub : menu->findChildren<QMenu*>())
        for (QAction* a : sub->actions())
            if (a->text() == QStringLiteral("Right"))
                right = a;
    QVERIFY(right && right->isChecked());
}

void TestObjectFiler::foreignFontCharsetAndPitch() {
    // Written elsewhere: Charset by name and Pitch; both come back in declaration order.
    const QByteArray props = prop("Font.Charset", "\x07\x0E"
                                                  "SYMBOL_CHARSET") +
                             prop("Font.Pitch", "\x07\x07"
                                                "fpFixed");
    const QByteArray bytes = file({record("TAllTypes", "A", props)});
    TGBasePanel panel;
    TGLabelObjectFiler(panel).ReadObjects(bytes.constData(), bytes.size());
    auto* o = static_cast<TAllTypes*>(panel.Objects()[0]);
    QCOMPARE(o->Font.Charset, 2);
    QCOMPARE(o->Font.Pitch, int(fpFixed));
    const QByteArray out = streamOf({o});
    const qsizetype charset = out.indexOf("Font.Charset"), color = out.indexOf("Font.Color");
    const qsizetype name = out.indexOf("Font.Name"), pitch = out.indexOf("Font.Pitch");
    QVERIFY(charset > 0 && charset < color);
    QVERIFY(name < pitch && pitch < out.indexOf("Font.Style"));
    QVERIFY(out.contains(prop("Font.Charset", "\x07\x0E"
                                              "SYMBOL_CHARSET")));
    // An integer charset is read too; the default is not written back.
    const QByteArray asNumber = file({record("TAllTypes", "B", prop("Font.Charset", "\x02\x01"))});
    TGBasePanel other;
    TGLabelObjectFiler(other).ReadObjects(asNumber.constData(), asNumber.size());
    QVERIFY(!streamOf(other.Objects()).contains("Font.Charset"));
}

void TestObjectFiler::emptyCaptionAndFontNameSurviveReopening() {
    RegisterObjectKinds();
    // A text whose caption and font name are stored as empty strings.
    const QByteArray props =
        prop("Caption", QByteArray("\x06\x00", 2)) + prop("Font.Name", QByteArray("\x06\x00", 2));
    const QByteArray bytes = file({record("TGPLabel", "A", props)});
    TGBasePanel panel;
    TGLabelObjectFiler(panel).ReadObjects(bytes.constData(), bytes.size());
    auto* label = static_cast<TGPLabel*>(panel.Objects()[0]);
    QCOMPARE(label->Caption(), QString());
    QCOMPARE(label->Font().Name, QStringLiteral("Arial"));
    // The empty caption is written as such, not left out to read back as "Text".
    const QByteArray out = streamOf(panel.Objects());
    QVERIFY(out.contains(prop("Caption", QByteArray("\x06\x00", 2))));
    TGBasePanel again;
    TGLabelObjectFiler(again).ReadObjects(out.constData(), out.size());
    QCOMPARE(static_cast<TGPLabel*>(again.Objects()[0])->Caption(), QString());
    QCOMPARE(streamOf(again.Objects()), out);
}

void TestObjectFiler::namesAreComponentN() {
    const QByteArray bytes =
        file({record("TAllTypes", "Special1", {}), record("TAllTypes", "Special1", {})});
    TGBasePanel panel;
    TGLabelObjectFiler(panel).ReadObjects(bytes.constData(), bytes.size());
    QCOMPARE(panel.Objects()[0]->Name(), QString("Component0"));
    QCOMPARE(panel.Objects()[1]->Name(), QString("Component1"));
    // Names already held (any case) are skipped.
    TGBasePanel busy;
    addObject(busy, "COMPONENT0");
    addObject(busy, "component2");
    TGLabelObjectFiler(busy).ReadObjects(bytes.constData(), bytes.size());
    QCOMPARE(busy.Objects()[2]->Name(), QString("Component1"));
    QCOMPARE(busy.Objects()[3]->Name(), QString("Component3"));
}

void TestObjectFiler::allNamesTakenKeepsStoredName_data() {
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("message");
    QTest::newRow("valid name kept") << QByteArray("Logo") << QString();
    QTest::newRow("not an identifier")
        << QByteArray("9Logo") << QString("''9Logo'' is not a valid component name");
    QTest::newRow("already used") << QByteArray("Component5")
                                  << QString("A component named Component5 already exists");
}

void TestObjectFiler::allNamesTakenKeepsStoredName() {
    QFETCH(QByteArray, stored);
    QFETCH(QString, message);
    TGBasePanel panel;
    for (int n = 0; n <= 1000; ++n)
        addObject(panel, QString("Component%1").arg(n));
    const QByteArray bytes = file({record("TAllTypes", stored, {})});
    QCOMPARE(loadError(panel, bytes), message);
    if (message.isEmpty())
        QCOMPARE(panel.Objects().back()->Name(), QString(stored));
    else
        QCOMPARE(panel.Objects().size(), size_t(1001));
}

void TestObjectFiler::prefixByteIsAccepted() {
    QByteArray r = record("TAllTypes", "A", prop("Left", "\x02\x07"));
    r.insert(4, QByteArray("\xF2\x02\x03", 3)); // flags with a position, then the position
    const QByteArray bytes = file({r});
    TGBasePanel panel;
    TGLabelObjectFiler(panel).ReadObjects(bytes.constData(), bytes.size());
    QCOMPARE(panel.Objects().size(), size_t(1));
    QCOMPARE(panel.Objects()[0]->Left(), 7);
}

void TestObjectFiler::propertyErrors_data() {
    QTest::addColumn<QByteArray>("props");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown") << prop("Nope", "\x02\x01") << "Property does not exist";
    QTest::newRow("unknown nested") << prop("Font.Nope", "\x02\x01") << "Property does not exist";
    QTest::newRow("unknown object") << prop("Nope.Color", "\x02\x01") << "Property does not exist";
    QTest::newRow("path through integer") << prop("Left.X", "\x02\x01") << "Invalid property path";
    QTest::newRow("read-only") << prop("Fixed", "\x02\x01") << "Property is read-only";
    QTest::newRow("text for integer") << prop("Left", "\x06\x01x") << "Invalid property value";
    QTest::newRow("unknown enumeration")
        << prop("Align", "\x07\x06taNope") << "Invalid property value";
    QTest::newRow("true for enumeration") << prop("Align", "\x09") << "Invalid property value";
    QTest::newRow("unknown set member")
        << prop("Options", QByteArray("\x0B\x06opNope\x00", 9)) << "Invalid property value";
    QTest::newRow("unknown colour") << prop("BackColor", "\x07\x06"
                                                         "clNope")
                                    << "Invalid property value";
    QTest::newRow("two letters for a char")
        << prop("Letter", "\x06\x02xy") << "Invalid property value";
    QTest::newRow("number for text")
        << prop("Caption", QByteArray("\x05\0\0\0\0\0\0\0\x80\xFF\x3F", 11))
        << "Invalid property value";
    QTest::newRow("integer in a string list")
        << prop("Items.Strings", "\x01\x02\x01\x00") << "Invalid property value";
    QTest::newRow("integer for binary")
        << prop("Picture.Data", "\x02\x01") << "Invalid property value";
}

void TestObjectFiler::propertyErrors() {
    QFETCH(QByteArray, props);
    QFETCH(QString, message);
    TGBasePanel panel;
    const QByteArray bytes = file({record("TAllTypes", "A", {}), record("TAllTypes", "B", props)});
    QCOMPARE(loadError(panel, bytes), message);
    // The object in error is freed; the one before stays, not completed by Loaded.
    QCOMPARE(panel.Objects().size(), size_t(1));
    QCOMPARE(static_cast<TAllTypes*>(panel.Objects()[0])->LoadedCalls, 0);
}

void TestObjectFiler::unknownClassKeepsEarlierObjects() {
    const QByteArray bytes = file({record("TAllTypes", "A", {}), record("TAllTypes", "B", {}),
                                   record("TGNoSuchThing", "C", {}), record("TAllTypes", "D", {})});
    TGBasePanel panel;
    QCOMPARE(loadError(panel, bytes), QString("Class TGNoSuchThing not found"));
    QCOMPARE(panel.Objects().size(), size_t(2));
}

void TestObjectFiler::tooManyObjectsIsNoDesign() {
    QList<QByteArray> records;
    for (int i = 0; i <= 10000; ++i)
        records << record("TAllTypes", "A" + QByteArray::number(i), {});
    TGBasePanel panel;
    QCOMPARE(loadError(panel, file(records)), QString("Invalid stream format"));
}

void TestObjectFiler::pastingTwice() {
    QTemporaryDir dir;
    TGBasePanel panel;
    TAllTypes* o = addObject(panel, "Special1", 10, 20);
    const QString clip = dir.filePath("Clipbrd.tmp");
    TGLabelObjectFiler(panel).SaveObject(*o, clip);
    TGLabelObjectFiler(panel).PasteDesign(clip);
    TGLabelObjectFiler(panel).PasteDesign(clip);
    QCOMPARE(panel.Objects().size(), size_t(3));
    QCOMPARE(panel.Objects()[1]->BoundsRect(), QRect(25, 35, 50, 15));
    QCOMPARE(panel.Objects()[2]->BoundsRect(), QRect(25, 35, 50, 15));
    QCOMPARE(panel.Objects()[1]->Name(), QString("Component0"));
    QCOMPARE(panel.Objects()[2]->Name(), QString("Component1"));
}

void TestObjectFiler::cloneLiesBelowOnTop() {
    TGBasePanel panel;
    int changes = 0;
    panel.LabelChangedEvent = [&](TGBasePanel*) { ++changes; };
    TAllTypes* source = addObject(panel, "Special1", 30, 40);
    source->Caption = "Clone me";
    addObject(panel, "Special2", 0, 0);
    panel.Handle()->Add(source);
    panel.CloneObject(source);
    QCOMPARE(panel.Objects().size(), size_t(3));
    auto* copy = static_cast<TAllTypes*>(panel.Objects().back());
    QCOMPARE(copy->BoundsRect(), QRect(30, 65, 50, 15));
    QCOMPARE(copy->Name(), QString("Component0"));
    QCOMPARE(copy->Caption, QString("Clone me"));
    QCOMPARE(panel.Handle()->Selection(), std::vector<TGGraphicControl*>{copy});
    QVERIFY(changes > 0);
}

void TestObjectFiler::saveAtZoomWritesFullSize() {
    QTemporaryDir dir;
    TGBasePanel panel;
    panel.resize(343, 191);
    addObject(panel, "A", 10, 20);
    panel.SetZoom(1.3f);
    panel.SaveToFile(dir.filePath("z.ptv"));
    QCOMPARE(panel.Zoom(), 1.3f);
    QCOMPARE(panel.Objects()[0]->Left(), 13);
    TGBasePanel reread;
    reread.LoadFromFile(dir.filePath("z.ptv"));
    QCOMPARE(reread.Objects()[0]->BoundsRect(), QRect(10, 20, 50, 15));
}

void TestObjectFiler::failedSaveLeavesPreviousFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("card.ptv");
    TGBasePanel panel;
    addObject(panel, "A");
    panel.SaveToFile(path);
    const QByteArray before = ReadTestFile(path);
    panel.AddObject(std::make_unique<TFailingObject>());
    QString message;
    try {
        panel.SaveToFile(path);
    } catch (const EStreamError& e) {
        message = e.Message();
    }
    QCOMPARE(message, QString("Stream write error"));
    QCOMPARE(ReadTestFile(path), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"card.ptv"});
    try {
        panel.SaveToFile(dir.filePath("no/such/folder/x.ptv"));
    } catch (const EStreamError& e) {
        message = e.Message();
    }
    QCOMPARE(message, "Cannot create file " + dir.filePath("no/such/folder/x.ptv"));
}

void TestObjectFiler::selectionAndSingleObject() {
    QTemporaryDir dir;
    TGBasePanel panel;
    TAllTypes* a = addObject(panel, "A", 1, 1);
    TAllTypes* b = addObject(panel, "B", 2, 2);
    const QString clip = dir.filePath("clip");
    TGLabelObjectFiler(panel).SaveSelection(clip); // nothing selected: no file
    QVERIFY(!QFile::exists(clip));
    panel.Handle()->Add(b);
    panel.Handle()->Add(a);
    TGLabelObjectFiler(panel).SaveSelection(clip);
    QCOMPARE(ReadTestFile(clip), streamOf({b, a}));
}

QTEST_MAIN(TestObjectFiler)
#include "test_object_filer.moc"
