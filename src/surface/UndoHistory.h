#pragma once

#include "surface/DesignSnapshot.h"

#include <QObject>

#include <deque>
#include <functional>
#include <optional>

class QAction;
class TGBasePanel;

enum class TStepKind {
    Ordinary,
    Nudge, // arrow-key nudges of the same selection, one after another, make one step
};

// Undo and redo for the card panel. After every change the design's object stream is taken
// as a snapshot (records and pictures shared with the snapshot before), and undoing reads the
// earlier snapshot back, so object kinds need nothing of their own for it.
//
// A step is what changes between two returns to the event loop, or within a TUndoStep scope.
// Commands name their step (BeginStep) before they change anything, which also keeps the
// selection they started from; undo brings that selection back.
class TUndoHistory : public QObject {
    Q_OBJECT
public:
    explicit TUndoHistory(TGBasePanel& panel);

    static constexpr int MaxSteps = 100;

    // Design state kept outside the panel: the background art's file name.
    std::function<QString()> SaveOutside;
    std::function<void(const QString&)> RestoreOutside;

    // Names the step the coming change belongs to. Ignored while a change is already on its
    // way or a scope is open: the first name wins.
    void BeginStep(const QString& caption, TStepKind kind = TStepKind::Ordinary);
    // Names the step of a command that may change the design without reporting it (an object's
    // menu item): what changed is recorded once pending events have run. While a dialog the
    // command opened still runs, its Ok reports the change instead.
    void BeginCommand(const QString& caption);
    // A change of the design; it is recorded once pending events have run or the open scope
    // closes.
    void DesignChanged();

    // Forgets every step; the design as it is now is the saved one (New, Open, Revert, Exit).
    void Clear();

    // The steps of a design that leaves the panel for a while (a card's other side). Park
    // records what is pending and hands the steps over, leaving a fresh history. Resume puts
    // the parked design back on the panel, which the caller has emptied, and takes its steps
    // back; steps never parked resume as a fresh history of what the panel holds.
    struct TParked;
    TParked Park();
    void Resume(TParked parked);
    // The design as it is now has been saved.
    void MarkSaved();
    // The design differs from the one last saved, opened or begun.
    bool Modified() const { return FPending || FCurrent != FSaved; }

    bool CanUndo() const { return FCurrent > 0; }
    bool CanRedo() const { return FCurrent + 1 < int(FStates.size()); }
    // "Undo Move", or "Undo" when there is nothing to undo; the same for Redo.
    QString UndoCaption() const;
    QString RedoCaption() const;
    int UndoCount() const { return FCurrent; }
    void Undo();
    void Redo();
    // True while a snapshot is being put back; changes reported then are not steps.
    bool Restoring() const { return FRestoring; }
    // The bytes the history holds, each shared buffer and picture counted once.
    qint64 HeldBytes() const;
    // The design as the history holds it now, in design file bytes.
    QByteArray CurrentBytes() const { return FStates[size_t(FCurrent)].Design.Bytes(); }

signals:
    // Steps were added, undone, redone or forgotten, or the saved state moved.
    void Changed();

private:
    friend class TUndoStep;

    // A design state and the step that led to it from the state before.
    struct TState {
        TDesignSnapshot Design;
        QString Caption;
        TStepKind Kind = TStepKind::Ordinary;
        std::vector<int> SelectionBefore;
        std::vector<int> SelectionAfter;
    };

    // The design now, sharing what it can with the current state; none when an object can't
    // be written.
    std::optional<TDesignSnapshot> Take() const;
    std::vector<int> Selection() const;
    // Records whatever the design has changed since the current state as the step named last.
    void Settle();
    // Adds a step when the design differs from the current state; true when it did.
    bool Record(const QString& caption, TStepKind kind, const std::vector<int>& before);
    void Restore(int index, const std::vector<int>& selection);
    void EndScope();

    TGBasePanel& FPanel;
    std::deque<TState> FStates;
    int FCurrent = 0;
    int FSaved = 0; // -1 once the saved state has been dropped
    bool FPending = false;
    bool FPosted = false;
    bool FRestoring = false;
    int FScopes = 0;
    bool FNamed = false;
    QString FCaption;
    TStepKind FKind = TStepKind::Ordinary;
    std::vector<int> FSelectionBefore;
    mutable QString FTakeError; // why the last snapshot failed; empty when it did not
};

struct TUndoHistory::TParked {
    std::deque<TState> States;
    int Current = 0;
    int Saved = 0;

    bool Empty() const { return States.empty(); }
    bool Modified() const { return !States.empty() && Current != Saved; }
    // The design as it was when parked has been saved.
    void MarkSaved() { Saved = Current; }
};

// While alive, every change made is part of one step, recorded when the scope ends.
class TUndoStep {
public:
    TUndoStep(TUndoHistory& history, const QString& caption, TStepKind kind = TStepKind::Ordinary);
    ~TUndoStep();
    TUndoStep(const TUndoStep&) = delete;
    TUndoStep& operator=(const TUndoStep&) = delete;

private:
    TUndoHistory& FHistory;
};

// Gives Undo and Redo items the history's captions and enables them when there is a step.
void ShowHistoryIn(const TUndoHistory& history, QAction* undo, QAction* redo);
