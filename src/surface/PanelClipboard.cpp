// Cut, Copy, Paste and Delete through the clipboard file in the program folder.
#include "surface/BasePanel.h"

#include "platform/Interaction.h"
#include "surface/GraphicControl.h"
#include "surface/Handle.h"
#include "surface/ObjectFiler.h"
#include "surface/ObjectStream.h"
#include "surface/TickClock.h"
#include "surface/UndoHistory.h"

#include <QFileInfo>

namespace {
// A held-down Ctrl+V pastes at most once in this time.
constexpr qint64 PasteIntervalMs = 1000;
} // namespace

void TGBasePanel::SelectionCommand(TObjectCommand command) {
    switch (command) {
    case TObjectCommand::Copy:
        if (FHandle->Count() > 0)
            TGLabelObjectFiler(*this).SaveSelection(FClipboardFile);
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
    TGLabelObjectFiler(*this).PasteDesign(FClipboardFile);
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
        TGLabelObjectFiler(*this).SaveObject(*object, FClipboardFile);
    if (command != TObjectCommand::Copy) {
        FireLabelChanged();
        DeleteObject(object);
    }
}

void TGBasePanel::RunClipboardCommand(TObjectCommand command, TGGraphicControl* object) {
    static const QString captions[] = {QStringLiteral("Cut"), QStringLiteral("Copy"),
                                       QStringLiteral("Paste"), QStringLiteral("Delete")};
    TUndoStep step(*FHistory, captions[int(command)]);
    try {
        if (object)
            ObjectCommand(command, object);
        else
            SelectionCommand(command);
    } catch (const EStreamError& e) {
        TInteraction::Current().Information(this, e.Message());
    }
}
