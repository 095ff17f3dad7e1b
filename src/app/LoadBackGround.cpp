#include "app/LoadBackGround.h"

#include "help/HelpContexts.h"
#include "platform/Interaction.h"
#include "platform/Picture.h"
#include "platform/PictureFile.h"
#include "platform/ProgramFolder.h"
#include "surface/BasePanel.h"
#include "widgets/DialogButtonBar.h"
#include "widgets/DialogFrame.h"
#include "widgets/ListSelection.h"
#include "widgets/PicturePreview.h"

#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>

TLoadBackGround::TLoadBackGround(QWidget* mainWindow) : QDialog(mainWindow) {
    setWindowTitle(QStringLiteral("Load  Business Card Background Art (BMP/WMF)"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFont(DialogFont());
    setFixedSize(540, 300);
    FileListBox1 = new QListWidget(this);
    FileListBox1->setGeometry(8, 8, 160, 234);
    FileListBox1->setWhatsThis(QStringLiteral("Click here to select a background picture"));
    // The picture at its own size; a larger one scrolls.
    auto* frame = new QScrollArea(this);
    frame->setGeometry(176, 8, 356, 234);
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame->setWhatsThis(QStringLiteral("The selected picture at its own size"));
    Image1 = new TPicturePreview;
    Image1->SetAutoSize(true);
    frame->setWidget(Image1);
    Buttons = new TDialogButtonBar(*this, HelpContext::BackgroundArt);
    Buttons->setGeometry(0, height() - TDialogButtonBar::BarHeight, width(),
                         TDialogButtonBar::BarHeight);
    NoneButton = Buttons->AddButton(QStringLiteral("None"));
    NoneButton->setObjectName(QStringLiteral("NoneButton"));
    NoneButton->setWhatsThis(QStringLiteral("Click here to print the card without background art"));
    Buttons->SetOkAction([this] { OKButtonClick(); });
    connect(NoneButton, &QPushButton::clicked, this, [this] { done(NoneResult); });
    // A selection, not the focus's current row, loads a file: nothing is chosen until the
    // user picks one.
    connect(FileListBox1, &QListWidget::itemSelectionChanged, this,
            [this] { FileListBox1Change(); });
    SetFolder(ProgramFolder() + QStringLiteral("BG"));
    CenterOverMainWindow(*this, mainWindow);
}

void TLoadBackGround::SetFolder(const QString& folder) {
    FFolder = QDir(folder).absolutePath();
    FileListBox1->clear();
    FileListBox1->addItems(QDir(folder).entryList(
        PictureFileMasks({TPictureKind::Bmp, TPictureKind::Wmf, TPictureKind::Png,
                          TPictureKind::Svg, TPictureKind::Webp}),
        QDir::Files, QDir::Name | QDir::IgnoreCase));
    Image1->SetPicture(TPicture());
}

bool TLoadBackGround::SelectFile(const QString& name) {
    return SelectListItem(*FileListBox1, name);
}

QString TLoadBackGround::SelectedFile() const {
    const QList<QListWidgetItem*> selected = FileListBox1->selectedItems();
    return selected.isEmpty() ? QString()
                              : QDir(FFolder).absoluteFilePath(selected.first()->text());
}

void TLoadBackGround::FileListBox1Change() {
    const QString file = SelectedFile();
    if (file.isEmpty())
        return;
    try {
        Image1->SetPicture(TPicture::LoadFromFile(file, false));
    } catch (const EPictureError&) {
        Image1->SetPicture(TPicture());
        TInteraction::Current().Error(this, QStringLiteral("Error loading file!"));
    }
}

void TLoadBackGround::OKButtonClick() {
    if (SelectedFile().isEmpty())
        TInteraction::Current().Beep();
    else
        accept();
}

bool SetBackgroundArt(QWidget* mainWindow, TGBasePanel& panel, QString& backgroundFileName) {
    TLoadBackGround dialog(mainWindow);
    const QFileInfo current(backgroundFileName);
    if (!backgroundFileName.isEmpty() && current.isFile()) {
        dialog.SetFolder(current.absolutePath());
        dialog.SelectFile(current.fileName());
    } else if (!backgroundFileName.isEmpty()) {
        dialog.SelectFile(current.fileName());
    }
    switch (TInteraction::Current().Exec(dialog)) {
    case QDialog::Accepted:
        backgroundFileName = dialog.SelectedFile();
        panel.LoadColorPicture(backgroundFileName);
        break;
    case TLoadBackGround::NoneResult:
        backgroundFileName.clear();
        panel.ClearColorPicture();
        break;
    default:
        return false;
    }
    panel.update();
    return true;
}
