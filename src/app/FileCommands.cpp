#include "app/FileCommands.h"

#include "app/BackSide.h"
#include "app/Companion.h"
#include "app/FileHistory.h"
#include "app/MergeChoice.h"
#include "platform/Interaction.h"
#include "platform/ProgramFolder.h"
#include "surface/BasePanel.h"
#include "surface/Handle.h"
#include "surface/ObjectStream.h"
#include "surface/UndoHistory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kOpenFilter = QStringLiteral("PTV File (*.ptv *.PTV)");
// Background art named by a companion file is opened only when it is a plain file of a
// size a picture can have.
constexpr qint64 kMaxPictureBytes = 256 * 1024 * 1024;

bool isDesignFile(const QString& path) {
    return QFileInfo(path).suffix().toUpper() == QLatin1String("PTV");
}

TInteraction& ui() {
    return TInteraction::Current();
}

} // namespace

TFileCommands::TFileCommands(TGBasePanel& panel, TDesignState state, TRecentFiles& recent,
                             QWidget* dialogParent)
    : FPanel(panel), FState(state), FRecent(recent), FDialogParent(dialogParent) {}

void TFileCommands::ChangesMadeTo(bool value) {
    if (SetChangesMade)
        SetChangesMade(value);
    else
        FState.ChangesMade = value;
}

void TFileCommands::UpdateButtons() {
    if (Setbuttons)
        Setbuttons();
}

QString TFileCommands::SavedFolder() {
    return ProgramFolder() + QStringLiteral("Saved/");
}

QString TFileCommands::FreeDesignName(const QString& folder) {
    for (int n = 10001; n <= 19999; ++n) {
        const QString name = QStringLiteral("BC%1.PTV").arg(QString::number(n).right(4));
        if (!QFileInfo::exists(folder + name))
            return name;
    }
    return {};
}

bool TFileCommands::CheckSaveNeeded() {
    if (!FState.ChangesMade ||
        !ui().Question(FDialogParent, QStringLiteral("Save changes?"), QStringLiteral("Save"))) {
        return true;
    }
    // A save that was cancelled or failed stops the command: the design is not thrown away
    // unsaved after the user asked to keep it.
    if (FState.CurrentFileName.isEmpty())
        return SaveAs();
    if (!SaveBCFile(FState.CurrentFileName))
        return false;
    FState.ChangesMade = false;
    return true;
}

void TFileCommands::New() {
    if (!CheckSaveNeeded())
        return;
    FrontFirst();
    FState.Loading = true;
    FPanel.ClearObjects();
    FState.BackgroundFileName.clear();
    FPanel.ClearColorPicture();
    FPanel.update();
    FState.CurrentFileName.clear();
    if (DesignRead)
        DesignRead(QString());
    ChangesMadeTo(false);
    FPanel.History()->Clear();
    FState.Loading = false;
    UpdateButtons();
}

bool TFileCommands::PickDesignFile(const QString& title, QString& path) {
    path = ui().OpenFileName(FDialogParent, title, SavedFolder(), kOpenFilter);
    if (path.isEmpty())
        return false;
    if (!isDesignFile(path)) {
        ui().Information(FDialogParent, QStringLiteral("Must be a PTV (Pentavo) file"));
        return false;
    }
    return true;
}

void TFileCommands::Open() {
    if (!CheckSaveNeeded())
        return;
    QString path;
    if (PickDesignFile(QStringLiteral("Open Business Card"), path))
        OpenBCFile(path);
}

void TFileCommands::OpenRecent(const QString& path) {
    OpenExisting(path, QStringLiteral(" no longer exists"));
}

void TFileCommands::OpenNamed(const QString& path) {
    OpenExisting(path, QStringLiteral(" does not exist"));
}

void TFileCommands::OpenExisting(const QString& path, const QString& missing) {
    if (!CheckSaveNeeded())
        return;
    if (QFileInfo::exists(path))
        OpenBCFile(path);
    else
        ui().Information(FDialogParent, path + missing);
}

void TFileCommands::Delete() {
    QString path;
    if (!PickDesignFile(QStringLiteral("Delete Business Card"), path))
        return;
    if (!ui().Question(FDialogParent, QStringLiteral("Delete ") + path + QStringLiteral("?"),
                       QStringLiteral("CONFIRM")))
        return;
    QFile::remove(path);
    DeleteCompanionFile(path);
    DeleteMergeChoice(path);
    DeleteBackSide(path);
}

void TFileCommands::Save() {
    FPanel.RemoveStrayObjects();
    if (FState.CurrentFileName.isEmpty()) {
        ui().Beep();
        return;
    }
    if (SaveBCFile(FState.CurrentFileName))
        ChangesMadeTo(false);
}

bool TFileCommands::SaveAs() {
    FPanel.RemoveStrayObjects();
    const QString folder = SavedFolder();
    if (FState.CurrentFileName.isEmpty()) {
        const QString free = FreeDesignName(folder);
        if (!free.isEmpty())
            FSaveDialogName = free;
    } else {
        FSaveDialogName = QFileInfo(FState.CurrentFileName).fileName();
    }
    const QString chosen = ChooseSaveName(folder + FSaveDialogName);
    bool saved = false;
    if (!chosen.isEmpty()) {
        FSaveDialogName = QFileInfo(chosen).fileName();
        const QString previous = FState.CurrentFileName;
        FState.CurrentFileName = chosen;
        saved = SaveBCFile(chosen);
        if (saved) {
            ChangesMadeTo(false);
            FRecent.Remember(chosen);
        } else {
            FState.CurrentFileName = previous;
        }
    }
    UpdateButtons();
    return saved;
}

QString TFileCommands::ChooseSaveName(QString proposed) {
    for (;;) {
        QString chosen =
            ui().SaveFileName(FDialogParent, QStringLiteral("Save As"), proposed, kOpenFilter);
        if (chosen.isEmpty() || !QFileInfo(chosen).suffix().isEmpty())
            return chosen; // the chooser asked about replacing a name it was given whole
        // The extension goes on before the question, so that an existing design is never
        // replaced without asking; No goes back to the chooser.
        chosen += QStringLiteral(".PTV");
        if (!QFileInfo::exists(chosen) ||
            ui().Question(FDialogParent,
                          QFileInfo(chosen).fileName() +
                              QStringLiteral(" already exists.\nDo you want to replace it?"),
                          QStringLiteral("Save As")))
            return chosen;
        proposed = chosen;
    }
}

void TFileCommands::SaveButton() {
    if (FState.CurrentFileName.isEmpty())
        SaveAs();
    else
        Save();
}

void TFileCommands::CancelChanges() {
    if (!ui().Question(FDialogParent, QStringLiteral("Cancel all changes?"),
                       QStringLiteral("CANCEL")))
        return;
    FrontFirst();
    FPanel.ClearObjects();
    FState.BackgroundFileName.clear();
    FPanel.ClearColorPicture();
    if (!FState.CurrentFileName.isEmpty())
        OpenBCFile(FState.CurrentFileName);
    else if (DesignRead)
        DesignRead(QString());
    ChangesMadeTo(false);
    FPanel.History()->Clear();
    FPanel.update();
}

void TFileCommands::OpenBCFile(QString path) {
    FrontFirst();
    FState.Loading = true;
    FPanel.ClearObjects();
    FPanel.Handle()->move(FPanel.width() + 1, FPanel.Handle()->y());
    FState.BackgroundFileName.clear();
    FPanel.ClearColorPicture();
    const bool hidden = FPanel.isHidden();
    try {
        FPanel.hide();
        FPanel.LoadFromFile(path);
        // Text boxes fit themselves to their text when first drawn; drawing the card now,
        // while loading, keeps that fitting from counting as a change of the design.
        FPanel.CardImage();
        FPanel.setHidden(hidden);
        FState.CurrentFileName = path;
        FRecent.Remember(path);
        if (const std::optional<QString> art = ReadCompanionFile(path)) {
            FState.BackgroundFileName = *art;
            const QFileInfo picture(*art);
            if (!art->isEmpty() && picture.isFile() && picture.size() <= kMaxPictureBytes)
                FPanel.LoadColorPicture(*art);
        }
        if (DesignRead)
            DesignRead(path);
        FPanel.update();
    } catch (const EStreamError&) {
        FPanel.ClearObjects();
        FPanel.setHidden(hidden);
        // The empty design is untitled: saving it must not overwrite the file that was open.
        FState.CurrentFileName.clear();
        if (DesignRead)
            DesignRead(QString());
        ui().Information(FDialogParent,
                         QStringLiteral("Unable to open ") + path +
                             QStringLiteral(". Possibly corrupted, posibly not a PTV file"));
    }
    ChangesMadeTo(false);
    FPanel.History()->Clear();
    FState.Loading = false;
    UpdateButtons();
    FPanel.update();
}

bool TFileCommands::SaveBCFile(const QString& path) {
    const bool backShown = FrontFirst();
    // The side the user was on comes back, whatever happens.
    struct TBackAgain {
        const TFileCommands& Commands;
        bool Back;
        ~TBackAgain() {
            if (Back && Commands.ShowBack)
                Commands.ShowBack();
        }
    } again{*this, backShown};
    try {
        FPanel.SaveToFile(path);
    } catch (const EStreamError& e) {
        ui().Information(FDialogParent, e.Message());
        return false;
    }
    FPanel.History()->MarkSaved();
    // The design itself is saved; a companion file that can't be written is only reported.
    const QString backArt = BackBackgroundFileName ? BackBackgroundFileName() : QString();
    if (FState.BackgroundFileName.isEmpty() && backArt.isEmpty())
        DeleteCompanionFile(path);
    else if (!WriteCompanionFile(path, FState.BackgroundFileName, backArt))
        ui().Information(FDialogParent, StreamMessage::CannotCreate(CompanionFileName(path)));
    if (DesignWritten)
        DesignWritten(path);
    return true;
}

bool TFileCommands::FrontFirst() {
    return ShowFront && ShowFront();
}
