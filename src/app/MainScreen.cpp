#include "app/MainScreen.h"

#include "app/BackSide.h"
#include "app/CommandAction.h"
#include "app/LoadBackGround.h"
#include "app/MainSettings.h"
#include "app/MergeBar.h"
#include "app/PrintCommands.h"
#include "app/RecentFiles.h"
#include "app/ShippedPictures.h"
#include "app/Splashform.h"
#include "app/ToolIcons.h"
#include "effects/BrushTextures.h"
#include "help/HelpContexts.h"
#include "platform/HelpRequest.h"
#include "platform/Interaction.h"
#include "platform/ProgramFolder.h"
#include "richtext/WPRichText.h"
#include "surface/BusinessCardPanel.h"
#include "surface/GraphicControl.h"
#include "surface/Handle.h"
#include "surface/ObjectStream.h"
#include "surface/UndoHistory.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
// One line of the scroll box, as Page Up and Page Down move it.
constexpr int ScrollLine = 8;
} // namespace

TMainScreen::TMainScreen(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Pentavo"));
    setWindowIcon(ToolIcon(TToolIcon::Program));
    setFont(QFont(QStringLiteral("Arial"), 8));

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    ScrollBox1 = new QScrollArea(central);
    ScrollBox1->setBackgroundRole(QPalette::Button);
    ScrollBox1->setWidgetResizable(true);
    ScrollBox1->verticalScrollBar()->setSingleStep(ScrollLine);
    ScrollBox1->horizontalScrollBar()->setSingleStep(ScrollLine);
    FScrollContent = new QWidget;
    BusinessCardPanel = new TGBusinessCardPanel32(FScrollContent);
    BusinessCardPanel->setGeometry(10, 8, 343, 191);
    BusinessCardPanel->SetDrawOutline(true);
    BusinessCardPanel->SetShape(lsRectangle);
    BusinessCardPanel->SetGridSize(gs4x4);
    BusinessCardPanel->SetPanelState(psPointing);
    BusinessCardPanel->ClearColorPicture();
    BusinessCardPanel->SetOwnsClipboardFile(true);
    BusinessCardPanel->DroppedObjectEvent = [this](QRect&) { DroppedObject(); };
    // The card opens its own menus on a right-click; its text is for "What's this?" mode.
    BusinessCardPanel->setContextMenuPolicy(Qt::PreventContextMenu);
    BusinessCardPanel->setWhatsThis(
        QStringLiteral("The card. Draw on it with the tools above; right-click it or an "
                       "object on it for the arranging and editing commands."));
    FScrollContent->setWhatsThis(
        QStringLiteral("The area around the card. Click here to clear the selection."));
    // The hidden control through which every rich text object paints.
    CreateMasterRichText(ScrollBox1);
    ScrollBox1->setWidget(FScrollContent);
    column->addWidget(ScrollBox1, 1);
    auto* bottomBar = new QWidget(central);
    bottomBar->setFixedHeight(47);
    column->addWidget(bottomBar);
    setCentralWidget(central);

    BuildMenus();
    BuildToolBar();
    BuildBottomBar(bottomBar);
    Settings = new TMainSettings(*this);
    WireCommands();

    // The client area below the menu bar is 622 x 404.
    resize(622, 404 + menuBar()->sizeHint().height());
    FitScrollContent();
    BusinessCardPanel->installEventFilter(this);
    FScrollContent->installEventFilter(this);
    ScrollBox1->viewport()->installEventFilter(this);
    // The window sees every key before the control that has the focus.
    qApp->installEventFilter(this);

    FormCreate();
}

TMainScreen::~TMainScreen() {
    qApp->removeEventFilter(this);
    BusinessCardPanel->DroppedObjectEvent = nullptr;
    BusinessCardPanel->LabelChangedEvent = nullptr;
}

void TMainScreen::WireCommands() {
    FileCommands = std::make_unique<TFileCommands>(
        *BusinessCardPanel, TDesignState{CurrentFileName, BackgroundFileName, ChangesMade, Loading},
        *Settings->RecentFiles, this);
    FileCommands->SetChangesMade = [this](bool value) { SetChangesMade(value); };
    FileCommands->Setbuttons = [this] { Setbuttons(); };
    FileCommands->DesignRead = [this](const QString& path) {
        if (path.isEmpty())
            MergeBar->Clear();
        else
            MergeBar->ReadFor(path, this);
    };
    FileCommands->DesignWritten = [this](const QString& path) {
        if (!MergeBar->WriteFor(path))
            TInteraction::Current().Information(
                this, StreamMessage::CannotCreate(MergeChoiceFileName(path)));
    };
    WireSides();
    TFileCommands* files = FileCommands.get();
    NewItem->Wire(this, [files] { files->New(); });
    OpenItem->Wire(this, [files] { files->Open(); });
    DeleteItem->Wire(this, [files] { files->Delete(); });
    Settings->RecentFiles->OnClick = [files](const QString& path) { files->OpenRecent(path); };
    SaveItem->Wire(this, [files] { files->Save(); });
    SaveAsItem->Wire(this, [files] { files->SaveAs(); });
    ExitItem->Wire(this, [this] { ExitClick(); });
    connect(Cancelbutton, &QPushButton::clicked, this, [files] { files->CancelChanges(); });

    // The print commands need the printer, which the first activation makes; until then
    // they are disabled.
    auto printing = [this](auto command) {
        return [this, command] {
            if (PrintCommands)
                command(PrintCommands->Printing());
        };
    };
    PrintItem->Wire(this, printing([](TCardPrinting& p) { p.Print(); }));
    PreviewItem->Wire(this, printing([](TCardPrinting& p) { p.Preview(); }));
    ExportPdfItem->Wire(this, printing([](TCardPrinting& p) { p.ExportPdf(); }));
    ExportPrintShopItem->Wire(this, printing([](TCardPrinting& p) { p.ExportForPrintShop(); }));
    ExportPictureItem->Wire(this, printing([](TCardPrinting& p) { p.ExportPicture(); }));
    PrinterSetupItem->Wire(this, printing([](TCardPrinting& p) { p.PrinterSetup(); }));
    FineTuningItem->Wire(this, printing([](TCardPrinting& p) { p.PrinterFineTuning(); }));
    OutlineTestPageItem->Wire(this, printing([](TCardPrinting& p) { p.PrintOutlineTestPage(); }));
    AlignmentSheetItem->Wire(this, printing([](TCardPrinting& p) { p.PrintAlignmentSheet(); }));
    ChangeLayoutItem->Wire(this, printing([](TCardPrinting& p) { p.ChangeBusinessCardLayout(); }));
    AboutItem->Wire(this, [this] { AboutClick(); });
    MergeListItem->Wire(this, [this] {
        if (MergeBar->ChooseList(this))
            SetChangesMade(true);
    });
    BackgroundArtItem->Wire(this, [this] {
        if (SetBackgroundArt(this, *BusinessCardPanel, BackgroundFileName))
            SetChangesMade(true);
    });
    ContentsItem->Wire(this, [] { RequestHelp(HelpContext::Contents); });
    HelpCommand->Wire(this, [] { RequestHelp(HelpContext::MainWindow); });

    TUndoHistory* history = BusinessCardPanel->History();
    history->SaveOutside = [this] { return BackgroundFileName; };
    history->RestoreOutside = [this](const QString& name) { BackgroundFileName = name; };
    UndoItem->Wire(this, [history] { history->Undo(); });
    RedoItem->Wire(this, [history] { history->Redo(); });
    connect(history, &TUndoHistory::Changed, this, &TMainScreen::HistoryChanged);
    HistoryChanged();
}

void TMainScreen::WireSides() {
    Sides = std::make_unique<TCardSides>(*BusinessCardPanel, BackgroundFileName, Loading);
    Sides->SideShown = [this](TCardSide side) {
        (side == TCardSide::Front ? FrontButton : BackButton)->setChecked(true);
        HistoryChanged();
    };
    connect(FrontButton, &QToolButton::clicked, this, [this] { ShowSide(TCardSide::Front); });
    connect(BackButton, &QToolButton::clicked, this, [this] { ShowSide(TCardSide::Back); });
    FileCommands->ShowFront = [this] {
        const bool back = Sides->Shown() == TCardSide::Back;
        Sides->Show(TCardSide::Front);
        return back;
    };
    FileCommands->ShowBack = [this] { Sides->Show(TCardSide::Back); };
    FileCommands->BackBackgroundFileName = [this] { return Sides->BackBackgroundFileName(); };
    const auto mergeRead = FileCommands->DesignRead;
    FileCommands->DesignRead = [this, mergeRead](const QString& path) {
        mergeRead(path);
        QString message;
        if (!Sides->ReadFor(path, &message))
            TInteraction::Current().Information(this, message);
    };
    const auto mergeWritten = FileCommands->DesignWritten;
    FileCommands->DesignWritten = [this, mergeWritten](const QString& path) {
        mergeWritten(path);
        if (!Sides->WriteFor(path))
            TInteraction::Current().Information(
                this, StreamMessage::CannotCreate(BackSideFileName(path)));
    };
}

void TMainScreen::ShowSide(TCardSide side) {
    BusinessCardPanel->Handle()->Clear();
    Sides->Show(side);
}

void TMainScreen::HistoryChanged() {
    const TUndoHistory* history = BusinessCardPanel->History();
    ShowHistoryIn(*history, UndoItem, RedoItem);
    if (!Loading)
        ShowChangesMade(history->Modified() || (Sides && Sides->OtherModified()));
}

void TMainScreen::FormCreate() {
    PrinterAvailable = false;
    Loading = true;
    SelectAllLabels();
    SetCardSizeFromInches(Settings->Prefs.Layout.Width, Settings->Prefs.Layout.Height);
    SetChangesMade(false);
    CreateProgramFolders();
}

void TMainScreen::SelectAllLabels() {
    CardSelection = TCardSelection();
    CardSelection.FitTo(Settings->Prefs.Layout);
}

void TMainScreen::CreateProgramFolders() {
    MakeProgramSubfolders(ProgramFolder());
    // The textures and pictures that come with the program are built into it.
    InstallBrushTextures(ProgramFolder() + QStringLiteral("bmbrush"));
    InstallShippedPictures(ProgramFolder());
}

void TMainScreen::SetCardSizeFromInches(double width, double height) {
    // The panel shows the card at the current zoom, so a new card size keeps the objects
    // and the card at the same scale.
    const double scale = ScreenPixelsPerInch * double(BusinessCardPanel->Zoom());
    BusinessCardPanel->resize(RoundHalfEven(scale * width), RoundHalfEven(scale * height));
}

bool TMainScreen::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QMainWindow::event(event);
}

void TMainScreen::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Without a window manager (a bare X server) a window is never activated; the start-up
    // then completes once the window is on the screen.
    if (!FActivated)
        QMetaObject::invokeMethod(this, &TMainScreen::FormActivate, Qt::QueuedConnection);
}

void TMainScreen::FormActivate() {
    BusinessCardPanel->update();
    // Only the first activation completes the start-up. A flag of its own, not Loading:
    // Loading is also set while zooming, and an activation then must not start over.
    if (FActivated)
        return;
    FActivated = true;
    Settings->RestorePlacement();
    QCoreApplication::processEvents();

    BusinessCardPanel->SetShape(lsRectangle);
    SetCardSizeFromInches(Settings->Prefs.Layout.Width, Settings->Prefs.Layout.Height);
    BusinessCardPanel->show();
    QCoreApplication::processEvents();
    unsetCursor();
    OpenMostRecent();

    SetChangesMade(false);
    QCoreApplication::processEvents();
    BusinessCardPanel->LabelChangedEvent = [this](TGBasePanel*) { LabelChanged(); };
    SetChangesMade(false);
    Loading = false;

    CheckPrinters();
    Setbuttons();
}

void TMainScreen::closeEvent(QCloseEvent* event) {
    // Every way of closing (Exit, the close box, Alt+F4, the end of the session) asks about
    // unsaved changes; a cancelled save keeps the window open.
    if (!FileCommands->CheckSaveNeeded()) {
        event->ignore();
        return;
    }
    BusinessCardPanel->History()->Clear();
    Settings->SavePlacement();
    QMainWindow::closeEvent(event);
}

void TMainScreen::CheckPrinters() {
    // The PDF printer is always installed and stands in as the default when the system has
    // no printer of its own, so printing and previewing always have a printer to use.
    PrintCommands = std::make_unique<TPrintCommands>(*this);
    PrinterAvailable = true;
}

void TMainScreen::SetChangesMade(bool value) {
    // Commands that change the design outside the panel's objects (the background art) say
    // so here only.
    if (value)
        BusinessCardPanel->History()->DesignChanged();
    ShowChangesMade(value);
}

void TMainScreen::ShowChangesMade(bool value) {
    ChangesMade = value;
    Cancelbutton->setVisible(value);
    Savebutton->setText(CurrentFileName.isEmpty() ? QStringLiteral("Save As")
                                                  : QStringLiteral("Save"));
    SaveItem->Enable(!CurrentFileName.isEmpty());
    Savebutton->setVisible(value);
}

void TMainScreen::SaveButtonClick() {
    FileCommands->SaveButton();
}

void TMainScreen::Setbuttons() {
    SaveItem->Enable(!CurrentFileName.isEmpty());
    setWindowTitle(CurrentFileName.isEmpty()
                       ? QStringLiteral("Pentavo")
                       : QStringLiteral("Pentavo - ") + QFileInfo(CurrentFileName).fileName());
    for (TCommandAction* item :
         {PrintItem, PreviewItem, ExportPdfItem, ExportPrintShopItem, ExportPictureItem,
          PrinterSetupItem, FineTuningItem, OutlineTestPageItem, AlignmentSheetItem})
        item->Enable(PrinterAvailable);
    for (TCommandAction* item :
         {NewItem, OpenItem, DeleteItem, SaveAsItem, ExitItem, DefaultFontItem,
          PersonalInformationItem, BackgroundArtItem, MergeListItem, ChangeLayoutItem, ContentsItem,
          AboutItem, HelpCommand})
        item->Enable();
}

void TMainScreen::DroppedObject() {
    BusinessCardPanel->SetPanelState(psPointing);
    Pointerbutton->setChecked(true);
}

void TMainScreen::LabelChanged() {
    if (!Loading)
        SetChangesMade(true);
}

void TMainScreen::ZoomIn() {
    StepZoom(true);
}

void TMainScreen::ZoomOut() {
    StepZoom(false);
}

void TMainScreen::StepZoom(bool up) {
    // Zooming never marks the design changed. Loading is put back as it was, so a zoom
    // before the start-up has finished does not end the start-up's quiet period early.
    const bool wasLoading = Loading;
    Loading = true;
    BusinessCardPanel->Handle()->Clear();
    // Single-precision steps of 0.1 from 1.0 reach 1.5000001 at 150 %, which stops zooming
    // in; zooming out stops at 100 %.
    const float zoom = BusinessCardPanel->Zoom();
    if (up) {
        if (!(zoom > 1.5f))
            BusinessCardPanel->SetZoom(zoom + 0.1f);
    } else if (!(zoom < 1.1f)) {
        BusinessCardPanel->SetZoom(zoom - 0.1f);
    }
    ZoomCaption->setText(QString::number(RoundHalfEven(BusinessCardPanel->Zoom() * 100)) + '%');
    QCoreApplication::processEvents();
    Loading = wasLoading;
}

bool TMainScreen::FormKeyDown(const QKeyEvent& key) {
    QScrollBar* bar = ScrollBox1->verticalScrollBar();
    switch (key.key()) {
    case Qt::Key_PageUp:
        bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
        return true;
    case Qt::Key_PageDown:
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        return true;
    case Qt::Key_Home:
        bar->triggerAction(QAbstractSlider::SliderToMinimum);
        return true;
    case Qt::Key_End:
        bar->triggerAction(QAbstractSlider::SliderToMaximum);
        return true;
    default:
        return false;
    }
}

bool TMainScreen::FormKeyUp(const QKeyEvent& key) {
    if (!(key.modifiers() & Qt::KeypadModifier))
        return false;
    if (key.key() == Qt::Key_Plus)
        ZoomIn();
    else if (key.key() == Qt::Key_Minus)
        ZoomOut();
    else
        return false;
    return true;
}

bool TMainScreen::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        // Only the first delivery of a key, to the focused control of this window (or the
        // window itself when nothing has the focus), not its propagation to the parents.
        auto* widget = qobject_cast<QWidget*>(watched);
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : this;
        if (!widget || widget != target || widget->window() != this)
            break;
        const auto& key = *static_cast<QKeyEvent*>(event);
        if (event->type() == QEvent::KeyRelease)
            return FormKeyUp(key);
        if (FormKeyDown(key))
            return true;
        // The panel runs its own key handling when it has the focus.
        if (widget != BusinessCardPanel)
            return BusinessCardPanel->PanelKeyDown(key.key(), key.modifiers());
        break;
    }
    case QEvent::MouseButtonPress:
        if (watched == FScrollContent || watched == ScrollBox1->viewport())
            BusinessCardPanel->Handle()->Clear();
        break;
    case QEvent::Resize:
    case QEvent::Move:
        if (watched == BusinessCardPanel)
            FitScrollContent();
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainScreen::FitScrollContent() {
    // The scroll range reaches past the panel by the same margin as its left and top.
    const QRect r = BusinessCardPanel->geometry();
    FScrollContent->setMinimumSize(r.right() + 1 + r.left(), r.bottom() + 1 + r.top());
}

void TMainScreen::ExitClick() {
    close();
}

void TMainScreen::AboutClick() {
    TSplashform about(this);
    TInteraction::Current().Exec(about);
}

void TMainScreen::BringToFront() {
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}
