#include "support/TestObjects.h"
#include "support/TestSupport.h"

#include "surface/Handle.h"
#include "surface/PanelMenu.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontDialog>
#include <QMenu>
#include <QtTest>

namespace {

using List = std::vector<TGGraphicControl*>;

// A card panel with its own program folder, counting reported changes.
struct TCard {
    TTestProgramFolder Folder;
    TScriptedInteraction Interaction;
    TScriptedClock Clock;
    TGBasePanel Panel;
    TGHandle* Frame = Panel.Handle();
    int Changes = 0;

    TCard() {
        QuietGrabWarnings();
        Panel.resize(343, 191);
        Panel.LabelChangedEvent = [this](TGBasePanel*) { ++Changes; };
    }
    TPanelMenu* Menu() { return static_cast<TPanelMenu*>(Panel.ContextMenu()); }
    QAction* Item(const char* caption) { return Menu()->Item(QString::fromLatin1(caption)); }
    void Key(int key, Qt::KeyboardModifiers m = {}) { QTest::keyClick(&Panel, Qt::Key(key), m); }
    QByteArray ClipboardBytes() {
        QFile f(Panel.ClipboardFile());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void WriteClipboard(const QByteArray& bytes) {
        QFile f(Panel.ClipboardFile());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
};

} // namespace

class TestPanelCommands : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { TBlock::Register(); }
    void menuItemsInOrder();
    void menuEnabling_data();
    void menuEnabling();
    void align_data();
    void align();
    void restackFromMenu();
    void centreSelection();
    void lockAndSelectability();
    void deleteFromObjectMenuDeletesSelection();
    void deleteKey();
    void cutWithNothingSelectedKeepsClipboard();
    void pasteAtMostOncePerSecond();
    void copyFromUnselectedObjectMenu();
    void cutAndPasteBack();
    void clipboardWriteFailureIsReported();
    void clipboardFileGoesWithPanel();
    void fontGoesToSelection();
};

void TestPanelCommands::menuItemsInOrder() {
    TCard c;
    QStringList captions;
    for (QAction* a : c.Menu()->actions())
        captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(captions.join('|'),
             QStringLiteral(
                 "Undo|Redo|-|Bring To Front|Send To Back|-|Cut|Copy|Paste|-|Delete|-|Align Left|"
                 "Align Right|Align Tops|Align Bottoms|-|Center Vertically|"
                 "Center Horizontally|-|Lock All|Unlock All|-|Mark All Selectable|"
                 "Mark All Unselectable|Select All|-|Font"));
}

void TestPanelCommands::menuEnabling_data() {
    QTest::addColumn<int>("objects");
    QTest::addColumn<bool>("select");
    QTest::addColumn<bool>("clipboard");
    QTest::newRow("empty card") << 0 << false << false;
    QTest::newRow("objects, none selected") << 2 << false << false;
    QTest::newRow("one selected") << 2 << true << false;
    QTest::newRow("clipboard file present") << 0 << false << true;
}

void TestPanelCommands::menuEnabling() {
    QFETCH(int, objects);
    QFETCH(bool, select);
    QFETCH(bool, clipboard);
    TCard c;
    for (int i = 0; i < objects; ++i)
        AddBlock(c.Panel, 10 + 40 * i, 10, 30, 30);
    if (select)
        c.Frame->Add(c.Panel.Objects().front());
    if (clipboard)
        c.WriteClipboard("left by an earlier run");
    c.Menu()->UpdateItems();
    for (const char* caption :
         {"Bring To Front", "Send To Back", "Cut", "Copy", "Delete", "Align Left", "Align Right",
          "Align Tops", "Align Bottoms", "Center Vertically", "Center Horizontally", "Font"})
        QVERIFY2(c.Item(caption)->isEnabled() == select, caption);
    QCOMPARE(c.Item("Paste")->isEnabled(), clipboard);
    QCOMPARE(c.Item("Lock All")->isEnabled(), objects > 0);
    QCOMPARE(c.Item("Unlock All")->isEnabled(), objects > 0);
    for (const char* caption : {"Mark All Selectable", "Mark All Unselectable", "Select All"})
        QVERIFY2(c.Item(caption)->isEnabled(), caption);
}

void TestPanelCommands::align_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QList<QRect>>("before");
    QTest::addColumn<QList<QPoint>>("after");
    const QList<QRect> three{{60, 10, 40, 10}, {100, 50, 80, 30}, {130, 120, 20, 5}};
    // Right edges at 100, 180 and 150 all go to 180; bottoms at 20, 80, 125 all go to 125.
    QTest::newRow("right") << "Align Right" << three
                           << QList<QPoint>{{140, 10}, {100, 50}, {160, 120}};
    QTest::newRow("left") << "Align Left" << three << QList<QPoint>{{60, 10}, {60, 50}, {60, 120}};
    QTest::newRow("tops") << "Align Tops" << three << QList<QPoint>{{60, 10}, {100, 10}, {130, 10}};
    QTest::newRow("bottoms") << "Align Bottoms" << three
                             << QList<QPoint>{{60, 115}, {100, 95}, {130, 120}};
    // Objects right of the card's 343 pixels align to the card's width.
    QTest::newRow("left beyond the card")
        << "Align Left" << QList<QRect>{{400, 10, 20, 10}, {500, 40, 20, 10}}
        << QList<QPoint>{{343, 10}, {343, 40}};
    QTest::newRow("tops below the card")
        << "Align Tops" << QList<QRect>{{10, 200, 20, 10}, {40, 300, 20, 10}}
        << QList<QPoint>{{10, 191}, {40, 191}};
}

void TestPanelCommands::align() {
    QFETCH(QString, command);
    QFETCH(QList<QRect>, before);
    QFETCH(QList<QPoint>, after);
    TCard c;
    AddBlock(c.Panel, 5, 5, 10, 10); // not selected: stays
    for (const QRect& r : before)
        c.Frame->Add(AddBlock(c.Panel, r.x(), r.y(), r.width(), r.height()));
    c.Changes = 0;
    c.Menu()->Item(command)->trigger();
    QVERIFY(c.Changes > 0);
    QCOMPARE(c.Panel.Objects().front()->BoundsRect(), QRect(5, 5, 10, 10));
    for (int i = 0; i < after.size(); ++i) {
        QCOMPARE(c.Frame->Items(i)->BoundsRect().topLeft(), after[i]);
        QCOMPARE(c.Frame->Items(i)->BoundsRect().size(), before[i].size());
    }
}

void TestPanelCommands::restackFromMenu() {
    TCard c;
    TBlock* a = AddBlock(c.Panel, 0, 0, 10, 10);
    TBlock* b = AddBlock(c.Panel, 0, 0, 10, 10);
    TBlock* d = AddBlock(c.Panel, 0, 0, 10, 10);
    c.Frame->Add(a);
    c.Item("Bring To Front")->trigger();
    QCOMPARE(c.Panel.Objects(), (List{b, d, a}));
    QCOMPARE(c.Changes, 1);
    c.Frame->Add(d);
    c.Item("Send To Back")->trigger();
    QCOMPARE(c.Panel.Objects(), (List{d, a, b}));
    QCOMPARE(c.Frame->Count(), 0);
    // Nothing selected: nothing happens, nothing is reported.
    c.Changes = 0;
    c.Item("Bring To Front")->trigger();
    QCOMPARE(c.Panel.Objects(), (List{d, a, b}));
    QCOMPARE(c.Changes, 0);
}

void TestPanelCommands::centreSelection() {
    TCard c;
    TBlock* a = AddBlock(c.Panel, 10, 10, 100, 21);
    TBlock* b = AddBlock(c.Panel, 10, 10, 40, 40);
    c.Frame->Add(a);
    c.Item("Center Vertically")->trigger();
    QCOMPARE(a->Top(), 85);
    QCOMPARE(b->Top(), 10);
    c.Item("Center Horizontally")->trigger();
    QCOMPARE(a->Left(), 121);
}

void TestPanelCommands::lockAndSelectability() {
    TCard c;
    TBlock* a = AddBlock(c.Panel, 10, 10, 30, 30);
    TBlock* b = AddBlock(c.Panel, 50, 10, 30, 30);
    c.Item("Lock All")->trigger();
    QVERIFY(a->Locked() && b->Locked());
    c.Item("Unlock All")->trigger();
    QVERIFY(!a->Locked() && !b->Locked());
    c.Item("Select All")->trigger();
    QCOMPARE(c.Frame->Selection(), (List{a, b}));
    // Unselectable objects leave the selection and Select All passes them over.
    c.Item("Mark All Unselectable")->trigger();
    QVERIFY(a->Unselectable() && b->Unselectable());
    QCOMPARE(c.Frame->Count(), 0);
    c.Item("Select All")->trigger();
    QCOMPARE(c.Frame->Count(), 0);
    c.Item("Mark All Selectable")->trigger();
    c.Item("Select All")->trigger();
    QCOMPARE(c.Frame->Selection(), (List{a, b}));
}

void TestPanelCommands::deleteFromObjectMenuDeletesSelection() {
    TCard c;
    TBlock* kept = AddBlock(c.Panel, 200, 100, 20, 20);
    List three;
    for (int i = 0; i < 3; ++i) {
        three.push_back(AddBlock(c.Panel, 10 + 40 * i, 10, 30, 30));
        c.Frame->Add(three.back());
    }
    c.Changes = 0;
    // Chosen with the mouse in the open menu of the middle object: the menu belongs to an
    // object that its own item deletes.
    QMenu* menu = three[1]->ContextMenu();
    menu->popup(QPoint(100, 100));
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    QAction* del = nullptr;
    for (QAction* a : menu->actions())
        if (a->text() == QLatin1String("Delete"))
            del = a;
    QVERIFY(del);
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(del).center());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(c.Panel.Objects(), (List{kept}));
    QCOMPARE(c.Frame->Count(), 0);
    QVERIFY(c.Changes >= 3);
}

void TestPanelCommands::deleteKey() {
    TCard c;
    TBlock* a = AddBlock(c.Panel, 10, 10, 30, 30);
    TBlock* b = AddBlock(c.Panel, 50, 10, 30, 30);
    c.Frame->Add(a);
    c.Key(Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(c.Panel.Objects().size(), size_t(2));
    c.Changes = 0;
    c.Key(Qt::Key_Delete);
    QCOMPARE(c.Panel.Objects(), (List{b}));
    QCOMPARE(c.Changes, 1);
}

void TestPanelCommands::cutWithNothingSelectedKeepsClipboard() {
    TCard c;
    AddBlock(c.Panel, 10, 10, 30, 30);
    c.WriteClipboard("earlier clipboard");
    c.Key(Qt::Key_X, Qt::ControlModifier);
    c.Key(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(c.ClipboardBytes(), QByteArray("earlier clipboard"));
    QCOMPARE(c.Panel.Objects().size(), size_t(1));
    QCOMPARE(c.Changes, 0);
}

void TestPanelCommands::pasteAtMostOncePerSecond() {
    TCard c;
    TBlock* a = AddBlock(c.Panel, 10, 10, 30, 20);
    c.Frame->Add(a);
    c.Key(Qt::Key_C, Qt::ControlModifier);
    c.Key(Qt::Key_V, Qt::ControlModifier);
    c.Clock.Advance(999);
    c.Key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(c.Panel.Objects().size(), size_t(2));
    QCOMPARE(c.Panel.Objects()[1]->BoundsRect(), QRect(25, 25, 30, 20));
    c.Clock.Advance(2);
    c.Key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(c.Panel.Objects().size(), size_t(3));
    QCOMPARE(c.Panel.Objects()[2]->BoundsRect(), QRect(25, 25, 30, 20));
    QVERIFY(c.Panel.Objects()[1]->Name() != c.Panel.Objects()[2]->Name());
}

void TestPanelCommands::copyFromUnselectedObjectMenu() {
    TCard c;
    c.Frame->Add(AddBlock(c.Panel, 10, 10, 30, 20));
    c.Frame->Add(AddBlock(c.Panel, 50, 10, 30, 20));
    TBlock* other = AddBlock(c.Panel, 100, 60, 40, 10);
    for (QAction* item : other->ContextMenu()->actions())
        if (item->text() == QLatin1String("Copy"))
            item->trigger();
    c.Panel.SelectionCommand(TObjectCommand::Paste);
    QCOMPARE(c.Panel.Objects().size(), size_t(4));
    QCOMPARE(c.Panel.Objects().back()->BoundsRect(), QRect(115, 75, 40, 10));
}

void TestPanelCommands::cutAndPasteBack() {
    TCard c;
    TBlock* a = AddBlock(c.Panel, 10, 10, 30, 20);
    TBlock* b = AddBlock(c.Panel, 50, 10, 30, 20);
    c.Frame->Add(b);
    c.Frame->Add(a);
    c.Item("Cut")->trigger();
    QVERIFY(c.Panel.Objects().empty());
    c.Menu()->UpdateItems();
    QVERIFY(c.Item("Paste")->isEnabled());
    c.Item("Paste")->trigger();
    // Written in selection order, so they come back in that order.
    QCOMPARE(c.Panel.Objects().size(), size_t(2));
    QCOMPARE(c.Panel.Objects()[0]->BoundsRect(), QRect(65, 25, 30, 20));
    QCOMPARE(c.Panel.Objects()[1]->BoundsRect(), QRect(25, 25, 30, 20));
}

void TestPanelCommands::clipboardWriteFailureIsReported() {
    TCard c;
    TBlock* a = AddBlock(c.Panel, 10, 10, 30, 20);
    c.Frame->Add(a);
    // A folder in the clipboard file's place can't be written.
    QVERIFY(QDir().mkpath(c.Panel.ClipboardFile()));
    c.Key(Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(c.Interaction.Messages.size(), 1);
    // The cut stopped at the failed copy: the object is still there.
    QCOMPARE(c.Panel.Objects(), (List{a}));
    QDir(c.Panel.ClipboardFile()).removeRecursively();
}

void TestPanelCommands::clipboardFileGoesWithPanel() {
    TTestProgramFolder folder;
    const QString file = folder.Path() + QStringLiteral("Clipbrd.tmp");
    {
        TGBasePanel panel;
        QCOMPARE(panel.ClipboardFile(), file);
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    // Only the program's own card panel owns the file; other panels leave it for it.
    QVERIFY(QFile::exists(file));
    {
        TGBasePanel panel;
        panel.SetOwnsClipboardFile(true);
    }
    QVERIFY(!QFile::exists(file));
}

void TestPanelCommands::fontGoesToSelection() {
    TCard c;
    TBlock* a = AddBlock(c.Panel, 10, 10, 30, 30);
    TBlock* b = AddBlock(c.Panel, 50, 10, 30, 30);
    c.Frame->Add(a);
    const TFont panelFont = c.Panel.Font();
    QString presetFamily;
    c.Interaction.OnExec = [&](QDialog& d) {
        auto& dialog = static_cast<QFontDialog&>(d);
        presetFamily = dialog.currentFont().family();
        QFont chosen(QStringLiteral("Liberation Serif"));
        chosen.setPointSize(14);
        chosen.setBold(true);
        dialog.setCurrentFont(chosen);
        dialog.accept();
        return int(QDialog::Accepted);
    };
    c.Item("Font")->trigger();
    QCOMPARE(a->Font.Size(), 14);
    QVERIFY(a->Font.Has(fsBold));
    QVERIFY(!a->Font.Has(fsItalic));
    QCOMPARE(b->Font, TFont());
    QCOMPARE(c.Panel.Font(), panelFont);
    QVERIFY(!presetFamily.isEmpty());
    QCOMPARE(c.Changes, 1);
    // Only a new size: the family shown for Arial is its stand-in, and Arial stays.
    c.Interaction.OnExec = [&](QDialog& d) {
        auto& dialog = static_cast<QFontDialog&>(d);
        QFont f = dialog.currentFont();
        f.setPointSize(12);
        dialog.setCurrentFont(f);
        return int(QDialog::Accepted);
    };
    c.Item("Font")->trigger();
    QCOMPARE(a->Font.Name, QStringLiteral("Arial"));
    QCOMPARE(a->Font.Size(), 12);
    QCOMPARE(c.Changes, 2);
}

QTEST_MAIN(TestPanelCommands)
#include "test_panel_commands.moc"
