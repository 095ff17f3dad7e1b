#pragma once

#include <QString>

#include <functional>

class QWidget;
class TGBasePanel;
class TRecentFiles;

// The part of the main window's state the file commands work on; it stays the window's.
struct TDesignState {
    QString& CurrentFileName;    // empty = untitled design
    QString& BackgroundFileName; // empty = no background art
    bool& ChangesMade;
    bool& Loading; // while true the main window ignores change notifications
};

// The File commands of the main window: New, Open, Open recent, Delete, Save, Save As,
// Cancel changes and Exit, with the design file and its companion file. Every question and
// file chooser goes through TInteraction.
class TFileCommands {
public:
    TFileCommands(TGBasePanel& panel, TDesignState state, TRecentFiles& recent,
                  QWidget* dialogParent = nullptr);

    // Hooks into the main window; unset ones only update the state.
    std::function<void(bool)> SetChangesMade;
    std::function<void()> Setbuttons;
    std::function<void()> CloseWindow;

    // Asks "Save changes?" when the design changed and saves on Yes. False only when that
    // save failed, so the command that asked does not throw the changes away.
    bool CheckSaveNeeded();
    void New();
    void Open();
    // Asks "Save changes?" and opens path, or says it no longer exists: a click on a
    // recent-files entry (which has already left the list), or a design named at start.
    void OpenRecent(const QString& path);
    void Delete();
    void Save();
    void SaveAs();
    // The bottom bar's save button: Save As for an untitled design, else Save.
    void SaveButton();
    void CancelChanges();
    void Exit();

    // Clears the panel, reads the design and its background art; on failure says so and
    // leaves an empty design.
    void OpenBCFile(const QString& path);
    // Writes the design at 100 % and its companion file; false (after saying why) on failure.
    bool SaveBCFile(const QString& path);

    // "BC" + four digits + ".PTV", the first not in the Saved folder; empty when all are.
    static QString FreeDesignName(const QString& folder);
    static QString SavedFolder(); // the program folder's "Saved/"

private:
    void ChangesMadeTo(bool value);
    void UpdateButtons();
    bool PickDesignFile(const QString& title, QString& path);

    TGBasePanel& FPanel;
    TDesignState FState;
    TRecentFiles& FRecent;
    QWidget* FDialogParent;
    QString FSaveDialogName = QStringLiteral("BC1.PTV");
};
