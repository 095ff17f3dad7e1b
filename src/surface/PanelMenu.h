#pragma once

#include <QMenu>

class TGBasePanel;

// The card panel's context menu. Just before it opens, Undo and Redo name their steps and are
// enabled when there is one, the items that act on the selection
// are enabled only when something is selected, Paste only when the clipboard file exists,
// and Lock All and Unlock All only when the card holds objects.
class TPanelMenu : public QMenu {
    Q_OBJECT
public:
    explicit TPanelMenu(TGBasePanel* panel);

    // The enabling rule, run as the menu opens.
    void UpdateItems();
    // The item with this caption, or nullptr.
    QAction* Item(const QString& caption) const;

private:
    TGBasePanel* FPanel;
    QAction* FUndo = nullptr;
    QAction* FRedo = nullptr;
    QList<QAction*> FSelectionItems;
    QAction* FPaste = nullptr;
    QList<QAction*> FLockItems;
};
