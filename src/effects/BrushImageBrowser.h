#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QListWidget;
class TSmartImage;
class TwiaTile;

// "Load Texture Bitmap": drive, folder and file lists and a tiled preview of the selected
// picture. The caller opens it at a file or folder, puts the current texture in the tile,
// and after Ok reads the tile's image and the selected file.
class TGBrushImageBrowser : public QDialog {
    Q_OBJECT
public:
    explicit TGBrushImageBrowser(QWidget* mainWindow);

    // The kinds of picture the file list shows.
    static const QStringList& FileMask();

    // Lists a folder's subfolders and pictures; the tile keeps what it shows.
    void OpenFolder(const QString& folder);
    // Opens the file's folder and selects the file, which loads it into the tile.
    void SelectFile(const QString& fileName);
    QString Folder() const { return FFolder; }
    // The selected file's full path; empty when none is selected.
    QString SelectedFile() const;
    TwiaTile& Tile() const { return *wiaTile1; }

    QComboBox* DriveComboBox1 = nullptr;
    QListWidget* DirectoryListBox1 = nullptr;
    QListWidget* FileListBox1 = nullptr;

private:
    void FileListBox1Change();
    void EnterFolder(const QString& name);

    QLabel* FFolderLabel = nullptr;
    TwiaTile* wiaTile1 = nullptr;
    TSmartImage* SmartImage1 = nullptr;
    QString FFolder;
};
