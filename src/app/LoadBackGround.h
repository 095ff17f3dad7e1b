#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;
class TDialogButtonBar;
class TGBasePanel;
class TPicturePreview;

// "Load  Business Card Background Art (BMP/WMF)": the pictures of one folder, the selected
// one shown at its own size, and "None" for no background art.
class TLoadBackGround : public QDialog {
public:
    // The result when "None" closes the dialog.
    static constexpr int NoneResult = 2;

    explicit TLoadBackGround(QWidget* mainWindow);

    QString Folder() const { return FFolder; }
    void SetFolder(const QString& folder);
    // Selects a listed file by name; false when the list has none of that name.
    bool SelectFile(const QString& name);
    // The selected file's full path; empty when none is selected.
    QString SelectedFile() const;

    QListWidget* FileListBox1 = nullptr;
    TPicturePreview* Image1 = nullptr;
    QPushButton* NoneButton = nullptr;
    TDialogButtonBar* Buttons = nullptr;

private:
    void FileListBox1Change();
    void OKButtonClick();

    QString FFolder;
};

// The "Set or Change Background Art" command: the chooser starts at the current art, or at
// the file of the same name in the program folder's "BG". Ok loads the chosen picture into
// the panel, None removes the art; both mark the design changed. Returns true when they did.
bool SetBackgroundArt(QWidget* mainWindow, TGBasePanel& panel, QString& backgroundFileName);
