#pragma once

#include <QAction>

#include <utility>

// A command of the main window. It is enabled only once code handles it (Wire), so a
// command whose feature is not there yet stays greyed out instead of doing nothing.
class TCommandAction : public QAction {
    Q_OBJECT
public:
    using QAction::QAction;

    // Runs handler, in context's thread and lifetime, whenever the command is chosen.
    template <typename Handler> void Wire(const QObject* context, Handler&& handler) {
        connect(this, &QAction::triggered, context, std::forward<Handler>(handler));
        FWired = true;
    }
    bool Wired() const { return FWired; }
    // Enabled when handled and the command's own condition holds.
    void Enable(bool condition = true) { setEnabled(condition && FWired); }

private:
    bool FWired = false;
};
