// The panel's arrange, align, lock, select and font commands, and its command keys.
#include "surface/BasePanel.h"

#include "surface/GraphicControl.h"
#include "surface/Handle.h"
#include "widgets/StandardDialogs.h"

#include <algorithm>

void TGBasePanel::BringSelectionToFront() {
    if (FHandle->Count() == 0)
        return;
    FHandle->BringSelectionToFront();
    FireLabelChanged();
}

void TGBasePanel::SendSelectionToBack() {
    if (FHandle->Count() == 0)
        return;
    FHandle->SendSelectionToBack();
    FHandle->Clear();
    FireLabelChanged();
}

void TGBasePanel::AlignSelection(int start, bool least, int (*edge)(const TGGraphicControl&),
                                 void (*place)(TGGraphicControl&, int)) {
    if (FHandle->Count() == 0)
        return;
    FireLabelChanged();
    int m = start;
    for (const TGGraphicControl* o : FHandle->Selection())
        m = least ? std::min(m, edge(*o)) : std::max(m, edge(*o));
    for (TGGraphicControl* o : FHandle->Selection())
        place(*o, m);
    update();
}

using TControl = TGGraphicControl;

void TGBasePanel::AlignLefts() {
    AlignSelection(
        width(), true, [](const TControl& o) { return o.Left(); },
        [](TControl& o, int m) { o.SetLeft(m); });
}

void TGBasePanel::AlignRights() {
    AlignSelection(
        0, false, [](const TControl& o) { return o.Left() + o.Width(); },
        [](TControl& o, int m) { o.SetLeft(m - o.Width()); });
}

void TGBasePanel::AlignTops() {
    AlignSelection(
        height(), true, [](const TControl& o) { return o.Top(); },
        [](TControl& o, int m) { o.SetTop(m); });
}

void TGBasePanel::AlignBottoms() {
    AlignSelection(
        0, false, [](const TControl& o) { return o.Top() + o.Height(); },
        [](TControl& o, int m) { o.SetTop(m - o.Height()); });
}

void TGBasePanel::CenterSelectionVertically() {
    // A copy: centring lets pending events run, which may change the selection.
    const std::vector<TGGraphicControl*> selection = FHandle->Selection();
    for (TGGraphicControl* o : selection)
        o->CenterVertically();
    update();
}

void TGBasePanel::CenterSelectionHorizontally() {
    const std::vector<TGGraphicControl*> selection = FHandle->Selection();
    for (TGGraphicControl* o : selection)
        o->CenterHorizontally();
    update();
}

void TGBasePanel::LockAll(bool locked) {
    for (TGGraphicControl* o : FObjects)
        o->SetLocked(locked);
}

void TGBasePanel::MarkAllUnselectable(bool unselectable) {
    for (TGGraphicControl* o : FObjects)
        o->SetUnselectable(unselectable);
}

void TGBasePanel::SelectAll() {
    FHandle->Clear();
    for (TGGraphicControl* o : FObjects)
        FHandle->Add(o);
}

void TGBasePanel::FontCommand() {
    if (FHandle->Count() == 0)
        return;
    const std::optional<TFont> chosen = ChooseFont(FFont, this);
    if (!chosen)
        return;
    for (TGGraphicControl* o : FHandle->Selection())
        o->ApplyFont(*chosen);
    FireLabelChanged();
    update();
}

bool TGBasePanel::PanelKeyDown(int key, Qt::KeyboardModifiers modifiers) {
    const bool ctrl = modifiers & Qt::ControlModifier;
    TObjectCommand command;
    if (ctrl && key == Qt::Key_C)
        command = TObjectCommand::Copy;
    else if (ctrl && key == Qt::Key_V)
        command = TObjectCommand::Paste;
    else if (ctrl && key == Qt::Key_X)
        command = TObjectCommand::Cut;
    else if (!ctrl && key == Qt::Key_Delete)
        command = TObjectCommand::Delete;
    else
        return false;
    RunClipboardCommand(command);
    return true;
}
