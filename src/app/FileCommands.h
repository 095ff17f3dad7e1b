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

// The File commands of the main window: New, Open, Open recent, Delete, Save, Save As and
// Cancel changes, with the design file and its companion file. Every question and file
// chooser goes through TInteraction.
class TFileCommands {
public:
    TFileCommands(TGBasePanel& panel, TDesignState state, TRecentFiles& recent,
                  QWidget* dialogParent = nullptr);

    // Hooks into the main window; unset ones only update the state.
    std::function<void(bool)> SetChangesMade;
    std::function<void()> Setbuttons;
    // The design was read from, written to, or cleared to an untitled one (path empty).
    std::function<void(const QString& path)> DesignRead;
    std::function<void(const QString& path)> DesignWritten;
    // A card's sides: the design file holds the front, so the commands show it first;
    // ShowFront says whether the back was shown. The back's art goes into the companion file.
    std::function<bool()> ShowFront;
    std::function<void()> ShowBack;
    std::function<QString()> BackBackgroundFileName;

    // Asks "Save changes?" when the design changed and saves on Yes. False when that save
    // failed or its Save As was cancelled: the command that asked (New, Open, closing the
    // window) then stops instead of throwing the changes away.
    bool CheckSaveNeeded();
    void New();
    void Open();
    // Asks "Save changes?" and opens path, or says it no longer exists: a click on a
    // recent-files entry (which has already left the list).
    void OpenRecent(const QString& path);
    // The same for a design named at start or handed over by a second start, which may
    // never have existed: that one is said not to exist.
    void OpenNamed(const QString& path);
    void Delete();
    void Save();
    // True when the design was saved under the chosen name.
    bool SaveAs();
    // The bottom bar's save button: Save As for an untitled design, else Save.
    void SaveButton();
    void CancelChanges();

    // Clears the panel, reads the design and its background art; on failure says so and
    // leaves an empty, untitled design.
    // (The path is a copy: it may be an entry of the recent-files list, which this reorders.)
    void OpenBCFile(QString path);
    // Writes the design at 100 % and its companion file; false (after saying why) on failure.
    bool SaveBCFile(const QString& path);

    // "BC" + four digits + ".PTV", the first not in the Saved folder; empty when all are.
    static QString FreeDesignName(const QString& folder);
    static QString SavedFolder(); // the program folder's "Saved/"

private:
    void ChangesMadeTo(bool value);
    // Shows the front; true when the back was shown.
    bool FrontFirst();
    void UpdateButtons();
    bool PickDesignFile(const QString& title, QString& path);
    // Asks "Save changes?" and opens path; a missing path gets path + missing.
    void OpenExisting(const QString& path, const QString& missing);
    // The Save As chooser; a name typed without extension gets ".PTV" and, when that file
    // exists, the question whether to replace it. Empty when the user cancelled.
    QString ChooseSaveName(QString proposed);

    TGBasePanel& FPanel;
    TDesignState FState;
    TRecentFiles& FRecent;
    QWidget* FDialogParent;
    QString FSaveDialogName = QStringLiteral("BC1.PTV");
};
