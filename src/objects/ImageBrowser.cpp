#include "objects/ImageBrowser.h"

#include "help/HelpContexts.h"
#include "platform/Interaction.h"
#include "platform/PictureFile.h"
#include "platform/ProgramFolder.h"
#include "widgets/DialogButtonBar.h"
#include "widgets/DialogFrame.h"
#include "widgets/ListSelection.h"
#include "widgets/PicturePreview.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>

namespace {

const QStringList kMask = PictureFileMasks(
    {TPictureKind::Bmp, TPictureKind::Dib, TPictureKind::Jpg, TPictureKind::Jif, TPictureKind::Pcx,
     TPictureKind::Rle, TPictureKind::Tga, TPictureKind::Wmf, TPictureKind::Icon, TPictureKind::Png,
     TPictureKind::Svg, TPictureKind::Webp});
constexpr int kPreviewMargin = 10;

} // namespace

TGImageBrowser::TGImageBrowser(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Load Image File "));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    QFont font = DialogFont();
    font.setFamily(QStringLiteral("MS Sans Serif"));
    font.setBold(true);
    setFont(font);
    setFixedSize(534, 286);

    DriveComboBox1 = new QComboBox(this);
    DriveComboBox1->setGeometry(8, 8, 145, 22);
    DriveComboBox1->setWhatsThis(QStringLiteral("Click here to select a drive"));
    for (const QFileInfo& drive : QDir::drives())
        DriveComboBox1->addItem(drive.absolutePath());
    DriveComboBox1->addItem(QDir::homePath());
    DirectoryListBox1 = new QListWidget(this);
    DirectoryListBox1->setGeometry(8, 34, 145, 192);
    DirectoryListBox1->setWhatsThis(QStringLiteral("Click here to select a directory"));
    FileListBox1 = new QListWidget(this);
    FileListBox1->setGeometry(160, 8, 119, 215);
    FileListBox1->setWhatsThis(QStringLiteral("Click here to select a file"));
    Panel1 = new QFrame(this);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setGeometry(290, 8, 233, 215);
    Image1 = new TPicturePreview(Panel1);
    Image1->setGeometry(7, 6, 218, 203);

    Buttons = new TDialogButtonBar(*this, HelpContext::ImageBrowser);
    Buttons->setGeometry(0, height() - TDialogButtonBar::BarHeight, width(),
                         TDialogButtonBar::BarHeight);
    GroupBox1 = new QGroupBox(QStringLiteral(" Options "), Buttons);
    GroupBox1->setFixedSize(200, 42);
    auto* options = new QHBoxLayout(GroupBox1);
    options->setContentsMargins(8, 2, 8, 2);
    CBStretch = new QCheckBox(QStringLiteral("Stretch"), GroupBox1);
    CBStretch->setToolTip(QStringLiteral("Stretch image to max display size"));
    CBStretch->setWhatsThis(QStringLiteral("Check here to indicate that the image should "
                                           "automatically stretch or shrink to fit the size "
                                           "of the frame"));
    CBAutoSize = new QCheckBox(QStringLiteral("AutoSize"), GroupBox1);
    CBAutoSize->setToolTip(QStringLiteral("AutoSize TImage"));
    CBAutoSize->setWhatsThis(QStringLiteral("Check here to indicate that the image should "
                                            "automatically stretch or shrink to its actual "
                                            "size"));
    options->addWidget(CBStretch);
    options->addWidget(CBAutoSize);
    static_cast<QHBoxLayout*>(Buttons->layout())->insertWidget(0, GroupBox1);

    connect(DriveComboBox1, &QComboBox::activated, this,
            [this](int i) { SetFolder(DriveComboBox1->itemText(i)); });
    connect(DirectoryListBox1, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { EnterFolder(item->text()); });
    // A selection, not the focus's current row, loads a file: the list takes the focus when
    // the dialog opens, and nothing is chosen until the user picks a file.
    connect(FileListBox1, &QListWidget::itemSelectionChanged, this,
            [this] { FileListBox1Change(); });
    connect(CBStretch, &QCheckBox::clicked, this, [this] { CBStretchClick(); });
    connect(CBAutoSize, &QCheckBox::clicked, this, [this] { CBAutoSizeClick(); });

    SetFolder(ProgramFolder());
    FileListBox1->setFocus();
    CenterOverMainWindow(*this, parent ? parent->window() : nullptr);
    QApplication::restoreOverrideCursor();
}

void TGImageBrowser::SetFolder(const QString& folder) {
    const QDir dir(folder);
    if (!dir.exists())
        return;
    FFolder = dir.absolutePath();
    DirectoryListBox1->clear();
    if (!dir.isRoot())
        DirectoryListBox1->addItem(QStringLiteral(".."));
    DirectoryListBox1->addItems(dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name));
    FileListBox1->clear();
    FileListBox1->addItems(dir.entryList(kMask, QDir::Files, QDir::Name | QDir::IgnoreCase));
    Image1->SetPicture(TPicture());
}

void TGImageBrowser::EnterFolder(const QString& name) {
    SetFolder(QDir(FFolder).absoluteFilePath(name));
}

bool TGImageBrowser::SelectFile(const QString& name) {
    return SelectListItem(*FileListBox1, name);
}

bool TGImageBrowser::HasSelectedFile() const {
    return !FileListBox1->selectedItems().isEmpty();
}

const TPicture& TGImageBrowser::Preview() const {
    return Image1->Picture();
}

void TGImageBrowser::FileListBox1Change() {
    if (!HasSelectedFile())
        return;
    const QString name =
        QDir(FFolder).absoluteFilePath(FileListBox1->selectedItems().first()->text());
    const QString ext = QFileInfo(name).suffix().toUpper();
    try {
        // Icons become bitmaps of their size on white.
        Image1->SetPicture(TPicture::LoadFromFile(name, true));
    } catch (const EPictureError&) {
        Image1->SetPicture(TPicture());
        // Only the kinds read without the external library say that they failed.
        if (ext == QLatin1String("BMP") || ext == QLatin1String("WMF"))
            TInteraction::Current().Error(this, QStringLiteral("Error loading file!"));
    }
}

bool TGImageBrowser::Stretch() const {
    return CBStretch->isChecked();
}

void TGImageBrowser::SetStretch(bool v) {
    CBStretch->setChecked(v);
    CBStretchClick();
}

bool TGImageBrowser::AutoSize() const {
    return CBAutoSize->isChecked();
}

void TGImageBrowser::SetAutoSize(bool v) {
    CBAutoSize->setChecked(v);
    CBAutoSizeClick();
}

void TGImageBrowser::CBStretchClick() {
    Image1->SetStretch(CBStretch->isChecked());
    if (CBStretch->isChecked())
        CBAutoSize->setChecked(false);
}

void TGImageBrowser::CBAutoSizeClick() {
    Image1->SetAutoSize(CBAutoSize->isChecked());
    if (CBAutoSize->isChecked())
        CBStretch->setChecked(false);
    else
        Image1->resize(Panel1->width() - kPreviewMargin, Panel1->height() - kPreviewMargin);
}
