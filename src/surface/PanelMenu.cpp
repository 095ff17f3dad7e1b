#include "surface/PanelMenu.h"

#include "surface/BasePanel.h"
#include "surface/Handle.h"
#include "surface/UndoHistory.h"

#include <QFileInfo>

TPanelMenu::TPanelMenu(TGBasePanel* panel) : QMenu(panel), FPanel(panel) {
    TUndoHistory* history = panel->History();
    FUndo = addAction(QStringLiteral("Undo"), history, &TUndoHistory::Undo);
    FRedo = addAction(QStringLiteral("Redo"), history, &TUndoHistory::Redo);
    addSeparator();
    // Every command is one step, named after its item.
    auto item = [this, history](const char* caption, auto command) {
        const QString text = QString::fromLatin1(caption);
        QAction* a = addAction(text);
        connect(a, &QAction::triggered, this, [history, text, command] {
            TUndoStep step(*history, text);
            command();
        });
        return a;
    };
    TGBasePanel* p = panel;
    FSelectionItems << item("Bring To Front", [p] { p->BringSelectionToFront(); })
                    << item("Send To Back", [p] { p->SendSelectionToBack(); });
    addSeparator();
    FSelectionItems << item("Cut", [p] { p->RunClipboardCommand(TObjectCommand::Cut); })
                    << item("Copy", [p] { p->RunClipboardCommand(TObjectCommand::Copy); });
    FPaste = item("Paste", [p] { p->RunClipboardCommand(TObjectCommand::Paste); });
    addSeparator();
    FSelectionItems << item("Delete", [p] { p->RunClipboardCommand(TObjectCommand::Delete); });
    addSeparator();
    FSelectionItems << item("Align Left", [p] { p->AlignLefts(); })
                    << item("Align Right", [p] { p->AlignRights(); })
                    << item("Align Tops", [p] { p->AlignTops(); })
                    << item("Align Bottoms", [p] { p->AlignBottoms(); });
    addSeparator();
    FSelectionItems << item("Center Vertically", [p] { p->CenterSelectionVertically(); })
                    << item("Center Horizontally", [p] { p->CenterSelectionHorizontally(); });
    addSeparator();
    FLockItems << item("Lock All", [p] { p->LockAll(true); })
               << item("Unlock All", [p] { p->LockAll(false); });
    addSeparator();
    item("Mark All Selectable", [p] { p->MarkAllUnselectable(false); });
    item("Mark All Unselectable", [p] { p->MarkAllUnselectable(true); });
    item("Select All", [p] { p->SelectAll(); });
    addSeparator();
    FSelectionItems << item("Font", [p] { p->FontCommand(); });
    connect(this, &QMenu::aboutToShow, this, &TPanelMenu::UpdateItems);
}

void TPanelMenu::UpdateItems() {
    ShowHistoryIn(*FPanel->History(), FUndo, FRedo);
    const bool selected = FPanel->Handle()->Count() > 0;
    for (QAction* a : FSelectionItems)
        a->setEnabled(selected);
    FPaste->setEnabled(QFileInfo::exists(FPanel->ClipboardFile()));
    for (QAction* a : FLockItems)
        a->setEnabled(!FPanel->Objects().empty());
}

QAction* TPanelMenu::Item(const QString& caption) const {
    for (QAction* a : actions())
        if (a->text() == caption)
            return a;
    return nullptr;
}
