#pragma once

#include "platform/Picture.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QListWidget;
class TDialogButtonBar;
class TPicturePreview;

// "Load Image File ": a folder's picture files with a preview of the selected one, and the
// Stretch and AutoSize choices for the clip-art object.
class TGImageBrowser : public QDialog {
public:
    explicit TGImageBrowser(QWidget* parent);

    // The folder listed; the browser starts in the program folder.
    QString Folder() const { return FFolder; }
    void SetFolder(const QString& folder);
    // Selects a file of the list by name; false when the list has none of that name.
    bool SelectFile(const QString& name);
    bool HasSelectedFile() const;
    // The selected file's picture (empty when it could not be read).
    const TPicture& Preview() const;

    // Setting a box runs its click handler, as a click would.
    bool Stretch() const;
    void SetStretch(bool v);
    bool AutoSize() const;
    void SetAutoSize(bool v);

    QComboBox* DriveComboBox1 = nullptr;
    QListWidget* DirectoryListBox1 = nullptr;
    QListWidget* FileListBox1 = nullptr;
    QFrame* Panel1 = nullptr;
    TPicturePreview* Image1 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QCheckBox* CBStretch = nullptr;
    QCheckBox* CBAutoSize = nullptr;
    TDialogButtonBar* Buttons = nullptr;

private:
    void FileListBox1Change();
    void CBStretchClick();
    void CBAutoSizeClick();
    void EnterFolder(const QString& name);

    QString FFolder;
};
