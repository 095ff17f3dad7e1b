// Cut, Copy, Paste and Delete through the clipboard file in the program folder.
#include "surface/BasePanel.h"

#include "platform/Interaction.h"
#include "surface/GraphicControl.h"
#include "surface/Handle.h"
#include "surface/TickClock.h"

#include <QFileInfo>

namespace {
// A held-down Ctrl+V pastes at most once in this time.
constexpr qint64 PasteIntervalMs = 1000;
} // namespace

void TGBasePanel::SelectionCommand(TObjectCommand command) {
    switch (command) {
    case TObjectCommand::Copy:
        if (FHandle->Count() > 0)
            {}
        break;
    case TObjectCommand::Cut:
        SelectionCommand(TObjectCommand::Copy);
        SelectionCommand(TObjectCommand::Delete);
        break;
    case TObjectCommand::Delete:
        // Last selected first, each reported as a change of its own.
        while (FHandle->Count() > 0) {
            TGGraphicControl* o = FHandle->Items(FHandle->Count() - 1);
            FHandle->Remove(o);
            DeleteObject(o);
            FireLabelChanged();
        }
        break;
    case TObjectCommand::Paste:
        if (FLastPaste == 0 || TTickClock::Now() - FLastPaste >= PasteIntervalMs)
            PasteClipboard();
        break;
    }
}

void TGBasePanel::PasteClipboard() {
    if (!QFileInfo::exists(FClipboardFile))
        return;
    
    RehookObjects();
    FireLabelChanged();
    FLastPaste = TTickClock::Now();
}

void TGBasePanel::ObjectCommand(TObjectCommand command, TGGraphicControl* object) {
    if (command == TObjectCommand::Paste || FHandle->Contains(object)) {
        SelectionCommand(command);
        return;
    }
    if (command != TObjectCommand::Delete)
        {}
    if (command != TObjectCommand::Copy) {
        FireLabelChanged();
        DeleteObject(object);
    }
}

void TGBasePanel::RunClipboardCommand(TObjectCommand command, TGGraphicControl* object) {
    try {
        if (object)
            ObjectCommand(command, object);
        else
            SelectionCommand(command);
    } catch (const std::exception& e) {
        TInteraction::Current().Information(this, e.what());
    }
}
