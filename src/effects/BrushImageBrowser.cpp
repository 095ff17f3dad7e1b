#include "effects/BrushImageBrowser.h"

#include "effects/SmartImage.h"
#include "effects/WiaTile.h"
#include "help/HelpContexts.h"
#include "platform/Interaction.h"
#include "platform/Picture.h"
#include "platform/PictureFile.h"
#include "widgets/DialogButtonBar.h"
#include "widgets/DialogFrame.h"
#include "widgets/EnterStaysInControl.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QVBoxLayout>

TGBrushImageBrowser::TGBrushImageBrowser(QWidget* mainWindow) : QDialog(mainWindow) {
    setWindowTitle(QStringLiteral("Load Texture Bitmap"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFont(DialogFont());

    DriveComboBox1 = new QComboBox(this);
    DriveComboBox1->setObjectName(QStringLiteral("DriveComboBox1"));
    DriveComboBox1->setWhatsThis(QStringLiteral("Choose the drive the textures are on"));
    for (const QFileInfo& drive : QDir::drives())
        DriveComboBox1->addItem(drive.absoluteFilePath());
    connect(DriveComboBox1, &QComboBox::textActivated, this,
            [this](const QString& drive) { OpenFolder(drive); });
    FFolderLabel = new QLabel(this);
    DirectoryListBox1 = new QListWidget(this);
    DirectoryListBox1->setObjectName(QStringLiteral("DirectoryListBox1"));
    DirectoryListBox1->setWhatsThis(QStringLiteral("Double-click a folder to open it"));
    connect(DirectoryListBox1, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { EnterFolder(item->text()); });
    // Enter opens the folder; it does not also take the dialog's Ok.
    KeepEnterIn(DirectoryListBox1);
    FileListBox1 = new QListWidget(this);
    FileListBox1->setObjectName(QStringLiteral("FileListBox1"));
    FileListBox1->setWhatsThis(QStringLiteral("Select a picture to see it as a texture"));
    // A selection, not the focus's current row, loads a file: the list takes the focus when
    // the dialog opens, and the texture shown then must stay until the user picks a file.
    connect(FileListBox1, &QListWidget::itemSelectionChanged, this,
            [this] { FileListBox1Change(); });

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFixedSize(233, 217);
    wiaTile1 = new TwiaTile(panel);
    wiaTile1->setGeometry(2, 2, 229, 213);
    QImage dot(1, 1, QImage::Format_RGB32);
    dot.fill(Qt::white);
    wiaTile1->SetImage(dot);
    // Only a loader: never shown.
    SmartImage1 = new TSmartImage(this);
    SmartImage1->hide();

    auto* lists = new QVBoxLayout;
    lists->addWidget(DriveComboBox1);
    lists->addWidget(FFolderLabel);
    auto* columns = new QHBoxLayout;
    columns->addWidget(DirectoryListBox1);
    columns->addWidget(FileListBox1);
    lists->addLayout(columns, 1);
    auto* body = new QHBoxLayout;
    body->setContentsMargins(8, 8, 8, 0);
    body->addLayout(lists, 1);
    body->addWidget(panel, 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(body);
    layout->addWidget(new TDialogButtonBar(*this, HelpContext::LoadTextureBitmap));
    resize(620, 330);
    FileListBox1->setFocus();
    CenterOverMainWindow(*this, mainWindow);
    QApplication::restoreOverrideCursor();
}

const QStringList& TGBrushImageBrowser::FileMask() {
    static const QStringList mask = PictureFileMasks(
        {TPictureKind::Bmp, TPictureKind::Dib, TPictureKind::Jpg, TPictureKind::Jif,
         TPictureKind::Pcx, TPictureKind::Rle, TPictureKind::Tga, TPictureKind::Icon,
         TPictureKind::Png, TPictureKind::Svg, TPictureKind::Webp});
    return mask;
}

void TGBrushImageBrowser::OpenFolder(const QString& folder) {
    const QDir dir(folder);
    FFolder = dir.absolutePath();
    FFolderLabel->setText(QDir::toNativeSeparators(FFolder));
    DirectoryListBox1->clear();
    if (!dir.isRoot())
        DirectoryListBox1->addItem(QStringLiteral(".."));
    DirectoryListBox1->addItems(dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name));
    // Without QDir::CaseSensitive the mask matches the extensions in any case.
    const QSignalBlocker quiet(FileListBox1);
    FileListBox1->clear();
    FileListBox1->addItems(dir.entryList(FileMask(), QDir::Files, QDir::Name | QDir::IgnoreCase));
}

void TGBrushImageBrowser::EnterFolder(const QString& name) {
    OpenFolder(QDir(FFolder).absoluteFilePath(name));
}

void TGBrushImageBrowser::SelectFile(const QString& fileName) {
    const QFileInfo info(fileName);
    OpenFolder(info.absolutePath());
    const QList<QListWidgetItem*> found =
        FileListBox1->findItems(info.fileName(), Qt::MatchExactly);
    if (!found.isEmpty())
        FileListBox1->setCurrentItem(found.first());
}

QString TGBrushImageBrowser::SelectedFile() const {
    const QList<QListWidgetItem*> selected = FileListBox1->selectedItems();
    return selected.isEmpty() ? QString()
                              : QDir(FFolder).absoluteFilePath(selected.first()->text());
}

void TGBrushImageBrowser::FileListBox1Change() {
    const QString file = SelectedFile();
    if (file.isEmpty())
        return;
    try {
        SmartImage1->LoadPictureFromFile(file);
        // A texture is a bitmap of the picture's size: the transparent parts of an icon, a
        // PNG or an SVG turn white.
        const QImage& picture = SmartImage1->Picture();
        wiaTile1->SetImage(picture.hasAlphaChannel() ? OnWhite(picture) : picture);
    } catch (const EPictureError& e) {
        wiaTile1->SetImage(QImage());
        const bool bitmap = PictureKindOf(file) == TPictureKind::Bmp;
        if (bitmap)
            TInteraction::Current().Error(this, QStringLiteral("Error loading file!"));
        else
            TInteraction::Current().Information(this, e.Message());
    }
}
