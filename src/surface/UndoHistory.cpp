#include "surface/UndoHistory.h"

#include "platform/Interaction.h"
#include "surface/BasePanel.h"
#include "surface/GraphicControl.h"
#include "surface/Handle.h"
#include "surface/ObjectStream.h"

#include <QAction>
#include <QApplication>
#include <QSet>

namespace {

// The name of a change that no command named.
const QString DefaultCaption = QStringLiteral("Change");
} // namespace

TUndoHistory::TUndoHistory(TGBasePanel& panel) : QObject(&panel), FPanel(panel) {
    Clear();
}

std::optional<TDesignSnapshot> TUndoHistory::Take() const {
    // The design as it shows: boxes that fit themselves to their text when drawn do so now,
    // so that the fitting belongs to the change that caused it. Left to the next paint, it
    // would come after the step was taken and be a step of its own that undo can't take
    // back (it only fits again), whenever the paint came later than the step.
    FPanel.CardImage();
    const TDesignSnapshot* previous = FStates.empty() ? nullptr : &FStates[size_t(FCurrent)].Design;
    try {
        TDesignSnapshot s = TakeSnapshot(FPanel, previous);
        if (SaveOutside)
            s.BackgroundName = SaveOutside();
        FTakeError.clear();
        return s;
    } catch (const EStreamError& e) {
        // An object that can't be written can't be saved either: there is no state to keep.
        FTakeError = e.Message();
        return std::nullopt;
    }
}

std::vector<int> TUndoHistory::Selection() const {
    std::vector<int> indices;
    for (const TGGraphicControl* o : FPanel.Handle()->Selection())
        indices.push_back(FPanel.IndexOf(o));
    return indices;
}

void TUndoHistory::BeginStep(const QString& caption, TStepKind kind) {
    if (FScopes > 0 || FPending || FRestoring)
        return;
    FNamed = true;
    FCaption = caption;
    FKind = kind;
    FSelectionBefore = Selection();
}

void TUndoHistory::BeginCommand(const QString& caption) {
    BeginStep(caption);
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (FScopes == 0 && FNamed && !FPending && !QApplication::activeModalWidget())
                Settle();
        },
        Qt::QueuedConnection);
}

void TUndoHistory::DesignChanged() {
    if (FRestoring)
        return;
    if (!FNamed && !FPending)
        BeginStep(DefaultCaption);
    FPending = true;
    if (FScopes > 0 || FPosted)
        return;
    FPosted = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            FPosted = false;
            if (FScopes == 0 && FPending)
                Settle();
        },
        Qt::QueuedConnection);
}

void TUndoHistory::Settle() {
    if (FNamed)
        Record(FCaption, FKind, FSelectionBefore);
    else
        Record(DefaultCaption, TStepKind::Ordinary, Selection());
    FPending = false;
    FNamed = false;
}

bool TUndoHistory::Record(const QString& caption, TStepKind kind, const std::vector<int>& before) {
    std::optional<TDesignSnapshot> design = Take();
    if (!design || design->SameDesign(FStates[size_t(FCurrent)].Design))
        return false;
    const bool atEnd = FCurrent + 1 == int(FStates.size());
    FStates.resize(size_t(FCurrent) + 1);
    if (FSaved > FCurrent)
        FSaved = -1;
    TState& last = FStates.back();
    // A nudge of the selection the previous nudge left, with nothing between, extends it.
    if (kind == TStepKind::Nudge && atEnd && FCurrent > 0 && FSaved != FCurrent &&
        last.Kind == kind && last.Caption == caption && last.SelectionAfter == before) {
        last.Design = std::move(*design);
        emit Changed();
        return true;
    }
    FStates.push_back({std::move(*design), caption, kind, before, Selection()});
    ++FCurrent;
    while (int(FStates.size()) > MaxSteps + 1) {
        FStates.pop_front();
        --FCurrent;
        FSaved = FSaved > 0 ? FSaved - 1 : -1;
    }
    emit Changed();
    return true;
}

void TUndoHistory::Clear() {
    // Taken first: a box fitting itself reports a change, which is part of this state.
    std::optional<TDesignSnapshot> design = Take();
    FPending = false;
    FNamed = false;
    FStates.clear();
    FCurrent = 0;
    FStates.push_back({design.value_or(TDesignSnapshot()), {}, TStepKind::Ordinary, {}, {}});
    FSaved = 0;
    emit Changed();
}

TUndoHistory::TParked TUndoHistory::Park() {
    Settle();
    TParked parked{std::move(FStates), FCurrent, FSaved};
    Clear();
    return parked;
}

void TUndoHistory::Resume(TParked parked) {
    if (!parked.States.empty()) {
        // The parked design comes back as undo puts a state back, names and shared pictures
        // included, so that it is the parked current state exactly.
        const TDesignSnapshot& design = parked.States[size_t(parked.Current)].Design;
        FRestoring = true;
        FPanel.Handle()->Clear();
        try {
            RestoreObjects(FPanel, TakeSnapshot(FPanel, nullptr), design);
        } catch (...) {
            FRestoring = false;
            throw;
        }
        FPanel.SetColorPicture(design.Background);
        if (RestoreOutside)
            RestoreOutside(design.BackgroundName);
        FRestoring = false;
    }
    Clear();
    if (parked.States.empty())
        return;
    FStates = std::move(parked.States);
    FCurrent = parked.Current;
    FSaved = parked.Saved;
    emit Changed();
}

void TUndoHistory::MarkSaved() {
    // Whatever changed unreported (objects removed as stray before saving) becomes a step of
    // its own, so the saved state is the design as written.
    Settle();
    FSaved = FCurrent;
    emit Changed();
}

QString TUndoHistory::UndoCaption() const {
    return CanUndo() ? QStringLiteral("Undo ") + FStates[size_t(FCurrent)].Caption
                     : QStringLiteral("Undo");
}

QString TUndoHistory::RedoCaption() const {
    return CanRedo() ? QStringLiteral("Redo ") + FStates[size_t(FCurrent) + 1].Caption
                     : QStringLiteral("Redo");
}

void TUndoHistory::Undo() {
    if (FScopes > 0 || FRestoring)
        return;
    // A change not yet recorded is the step undone first.
    Settle();
    if (CanUndo())
        Restore(FCurrent - 1, FStates[size_t(FCurrent)].SelectionBefore);
}

void TUndoHistory::Redo() {
    if (FScopes > 0 || FRestoring)
        return;
    Settle();
    if (CanRedo())
        Restore(FCurrent + 1, FStates[size_t(FCurrent) + 1].SelectionAfter);
}

void TUndoHistory::Restore(int index, const std::vector<int>& selection) {
    // When the design as it is could not be taken, its objects can't be matched with the
    // current state; putting anything back then could lose them.
    if (!FTakeError.isEmpty()) {
        TInteraction::Current().Information(&FPanel, FTakeError);
        return;
    }
    const TDesignSnapshot& target = FStates[size_t(index)].Design;
    FRestoring = true;
    FPanel.Handle()->Clear();
    try {
        RestoreObjects(FPanel, FStates[size_t(FCurrent)].Design, target);
    } catch (const EStreamError& e) {
        FRestoring = false;
        TInteraction::Current().Information(&FPanel, e.Message());
        return;
    }
    if (!FPanel.ColorPicture().SharesWith(target.Background))
        FPanel.SetColorPicture(target.Background);
    if (RestoreOutside)
        RestoreOutside(target.BackgroundName);
    FCurrent = index;
    const std::vector<TGGraphicControl*>& objects = FPanel.Objects();
    for (int i : selection)
        if (i >= 0 && i < int(objects.size()))
            FPanel.Handle()->Add(objects[size_t(i)]);
    FRestoring = false;
    FPanel.update();
    emit Changed();
}

qint64 TUndoHistory::HeldBytes() const {
    QSet<const void*> seen;
    qint64 total = 0;
    // Shared bytes count once, by the address they live at.
    auto hold = [&](const void* bytes, qint64 size) {
        if (size > 0 && !seen.contains(bytes)) {
            seen.insert(bytes);
            total += size;
        }
    };
    for (const TState& s : FStates) {
        for (const TObjectRecord& r : s.Design.Records)
            for (const QByteArray& part : r.Parts)
                hold(part.constData(), part.size());
        // The art's decoded pixels are held by the picture budget, not by the steps.
        const TPicture& art = s.Design.Background;
        hold(art.Data().constData(), art.Data().size());
    }
    return total;
}

void TUndoHistory::EndScope() {
    // Also a change the command did not report is its step; without any, nothing is recorded
    // and the name does not stick to a later change.
    if (--FScopes == 0)
        Settle();
}

void ShowHistoryIn(const TUndoHistory& history, QAction* undo, QAction* redo) {
    undo->setText(history.UndoCaption());
    undo->setEnabled(history.CanUndo());
    redo->setText(history.RedoCaption());
    redo->setEnabled(history.CanRedo());
}

TUndoStep::TUndoStep(TUndoHistory& history, const QString& caption, TStepKind kind)
    : FHistory(history) {
    FHistory.BeginStep(caption, kind);
    ++FHistory.FScopes;
}

TUndoStep::~TUndoStep() {
    FHistory.EndScope();
}
