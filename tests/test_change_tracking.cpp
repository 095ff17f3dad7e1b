// Every edit of an object, through any of its menu commands and dialogs, marks the design
// changed, so that closing or opening another design asks to save it.
#include "support/ObjectTestSupport.h"
#include "support/TestSupport.h"

#include "app/ObjectKinds.h"
#include "objects/BaseLabel.h"
#include "objects/Font3DEffects.h"
#include "objects/GetLabelText.h"
#include "objects/GetSymbol.h"
#include "objects/LabelShapes.h"
#include "objects/MultiLineTextEditor.h"
#include "surface/ClassRegistry.h"
#include "surface/ObjectFiler.h"
#include "widgets/ColorDropDown.h"

#include <QBuffer>
#include <QColorDialog>
#include <QFontDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

namespace {

// The kinds a design holds, with what makes each one: class, and for shapes the outline
// (the rounded kind has its own menu).
struct TKind {
    const char* Class;
    int Shape = -1;
};
const TKind kKinds[] = {{"TGBusinessCardLabel"},
                        {"TGPLabel"},
                        {"TGSymbolLabel"},
                        {"TGMultiLineLabel"},
                        {"TBCShapes", stRectangle},
                        {"TBCShapes", stRoundRect},
                        {"TGLabelShapes", stEllipse},
                        {"TGLineShape"}};

// The commands of a menu and its submenus, as "Submenu/Item" paths, in menu order.
void leafItems(QMenu* menu, const QString& path, QList<QPair<QString, QAction*>>& items) {
    for (QAction* a : menu->actions()) {
        if (a->isSeparator())
            continue;
        const QString name = path + a->text();
        if (a->menu())
            leafItems(a->menu(), name + '/', items);
        else
            items.append({name, a});
    }
}

QByteArray designOf(const TGBasePanel& panel) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TGLabelObjectFiler::WriteObjects(buffer, panel.Objects());
    return buffer.data();
}

// Answers every dialog an object opens with an edit the user could make in it.
int editInDialog(QDialog& d) {
    if (auto* fonts = qobject_cast<QFontDialog*>(&d)) {
        QFont f = fonts->currentFont();
        f.setPointSize(f.pointSize() + 2);
        fonts->setCurrentFont(f);
        d.findChild<TColorDropDown*>("FontColor")->SetColor(clRed);
    } else if (auto* colors = qobject_cast<QColorDialog*>(&d)) {
        colors->setCurrentColor(QColor(10, 20, 30));
    } else if (auto* text = dynamic_cast<TGetLabelText*>(&d)) {
        text->LabelText->setText(QStringLiteral("edited"));
    } else if (auto* editor = dynamic_cast<TMultiLineTextEditor*>(&d)) {
        editor->Memo()->setPlainText(QStringLiteral("edited"));
    } else if (auto* effects = dynamic_cast<TGFont3DEffects*>(&d)) {
        effects->Sample().SetDepthShadow(3);
    } else if (auto* symbols = dynamic_cast<TGetSymbol*>(&d)) {
        // The same symbol in another colour: a change of the font alone.
        TFont f = symbols->SelectedFont();
        f.Color = clRed;
        symbols->SetSelectedFont(f);
    } else {
        return QDialog::Rejected;
    }
    return QDialog::Accepted;
}

} // namespace

class TestChangeTracking : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { RegisterObjectKinds(); }
    void everyEditMarksTheDesignChanged_data();
    void everyEditMarksTheDesignChanged();
};

void TestChangeTracking::everyEditMarksTheDesignChanged_data() {
    QTest::addColumn<int>("kind");
    for (int i = 0; i < int(std::size(kKinds)); ++i)
        QTest::addRow("%s %d", kKinds[i].Class, kKinds[i].Shape) << i;
}

void TestChangeTracking::everyEditMarksTheDesignChanged() {
    QFETCH(int, kind);
    TTestProgramFolder folder;
    TScriptedInteraction ui;
    bool dialog = false;
    ui.OnExec = [&](QDialog& d) {
        dialog = true;
        return editInDialog(d);
    };
    // Each command on a fresh card: an object of the kind on top of another object, away
    // from the card's edges and centre, so that moving and stacking it changes something.
    for (int i = 0;; ++i) {
        TTestCardPanel panel;
        panel.AddObject(TClassRegistry::Create("TBCShapes"))->SetBounds(5, 5, 30, 30);
        TGGraphicControl* o = panel.AddObject(TClassRegistry::Create(kKinds[kind].Class));
        if (auto* shape = dynamic_cast<TGLabelShapes*>(o))
            shape->SetShape(TShapeType(kKinds[kind].Shape));
        o->Loaded();
        o->SetBounds(20, 20, 60, 30);
        o->PopupOpening(); // as the menu opens: some menus fill in their items then
        QList<QPair<QString, QAction*>> items;
        leafItems(o->ContextMenu(), QString(), items);
        if (i == items.size())
            break;
        bool marked = false;
        panel.LabelChangedEvent = [&](TGBasePanel*) { marked = true; };
        const QByteArray before = designOf(panel);
        dialog = false;
        items[i].second->trigger();
        const bool changed = designOf(panel) != before;
        const QByteArray what = items[i].first.toUtf8();
        // A dialog answered with an edit changes the design, and every change is marked.
        if (dialog)
            QVERIFY2(changed, what);
        if (changed)
            QVERIFY2(marked, what);
    }
}

QTEST_MAIN(TestChangeTracking)
#include "test_change_tracking.moc"
