// Builds the main window's tool bar, bottom button bar and menus.
#include "app/MainScreen.h"

#include "app/CommandAction.h"
#include "app/MergeBar.h"
#include "app/ToolIcons.h"
#include "surface/BusinessCardPanel.h"
#include "surface/UndoHistory.h"
#include "widgets/SpinButton.h"

#include <QButtonGroup>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>
#include <QWhatsThis>

namespace {

// Hints keep the program's line breaks as \r; a tool tip breaks lines at \n.
QString tipText(const char* hint) {
    return QString::fromLatin1(hint).replace('\r', '\n');
}

struct TToolButtonInfo {
    QToolButton* TMainScreen::*Member;
    const char* Hint;
    TToolIcon Icon;
    const char* WhatsThis;
};

struct TDrawingTool {
    TToolButtonInfo Button;
    TLPanelState State;
};

const TDrawingTool DrawingTools[] = {
    {{&TMainScreen::Pointerbutton, "Selection tool", TToolIcon::Pointer,
      "Selects, moves and resizes the objects on the card."},
     psPointing},
    {{&TMainScreen::DrawLabelButton, "Text tool", TToolIcon::Text,
      "Draws a line of text: drag a box on the card or click where the text goes."},
     psLabel},
    {{&TMainScreen::DrawMLTextButton, "Multi-line text tool", TToolIcon::MultiLineText,
      "Draws a block of several lines of text."},
     psMultiLineLabel},
    {{&TMainScreen::DrawSymbolButton, "Symbol tool", TToolIcon::Symbol,
      "Places one character of a symbol font."},
     psSymbolLabel},
    {{&TMainScreen::DrawRectanglebutton, "Rectangle tool", TToolIcon::Rectangle,
      "Draws a rectangle."},
     psRectangle},
    {{&TMainScreen::DrawEllipseButton, "Ellipse tool", TToolIcon::Ellipse,
      "Draws an ellipse or a circle."},
     psEllipse},
    {{&TMainScreen::DrawRoundrectbutton, "Round Rectangle tool", TToolIcon::RoundRect,
      "Draws a rectangle with rounded corners."},
     psRoundRectangle},
    {{&TMainScreen::DrawLinebutton, "Line Tool", TToolIcon::Line, "Draws a straight line."},
     psLine},
    {{&TMainScreen::DrawImageButton, "Clip Art Tool", TToolIcon::ClipArt,
      "Places a picture from a file."},
     psImage},
    {{&TMainScreen::DrawRirizizadu, "Ririzizadu tool \rMulti-purpose shapes and surfaces",
      TToolIcon::RirizIzadu, "Draws a shape filled with a pattern, a picture or a gradient."},
     psRirizIzadu},
    {{&TMainScreen::DrawRichText, "Rich Text tool \rMixed fonts, colors and styles",
      TToolIcon::RichText, "Draws text that mixes fonts, colours and styles."},
     psRichLabel},
    {{&TMainScreen::DrawDiduzOvozButton,
      "DiduzOvoz tool \rSpecial Effects Text - fill with gradients or bitmaps",
      TToolIcon::DiduzOvoz, "Draws lettering filled with a gradient or a picture."},
     psDiduzOvoz},
    {{&TMainScreen::DrawBarcodeButton, "Barcode tool \rQR codes and barcodes", TToolIcon::Barcode,
      "Draws a QR code or barcode: a contact card, web address, phone number or any text."},
     psBarcode},
};

const TToolButtonInfo OtherButtons[] = {
    {&TMainScreen::ShowGrid, "Show grid", TToolIcon::ShowGrid,
     "Shows or hides the grid dots on the card."},
    {&TMainScreen::SnapToGrid, "Snap to Grid", TToolIcon::SnapToGrid,
     "Makes objects jump to the grid while they are moved or resized."},
    {&TMainScreen::SetBackgroundArtButton, "Set or change background art", TToolIcon::BackgroundArt,
     "Chooses the picture printed behind the card."},
};

QToolButton* makeToolButton(TMainScreen* owner, QToolBar* bar, const TToolButtonInfo& info) {
    auto* b = new QToolButton(bar);
    b->setIcon(ToolIcon(info.Icon));
    b->setIconSize(QSize(24, 24));
    b->setToolTip(tipText(info.Hint));
    b->setWhatsThis(QString::fromLatin1(info.WhatsThis));
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    bar->addWidget(b);
    owner->*info.Member = b;
    return b;
}

QPushButton* makePushButton(QWidget* bar, const QString& caption, const QString& whatsThis) {
    auto* b = new QPushButton(caption, bar);
    b->setWhatsThis(whatsThis);
    return b;
}

// A bottom-bar button that runs a menu command and is enabled exactly when the command is.
void followCommand(QAbstractButton* button, TCommandAction* command) {
    button->setEnabled(command->isEnabled());
    QObject::connect(button, &QAbstractButton::clicked, command, &QAction::trigger);
    QObject::connect(command, &QAction::enabledChanged, button, &QWidget::setEnabled);
}

} // namespace

void TMainScreen::BuildToolBar() {
    ToolBar = new QToolBar(this);
    ToolBar->setMovable(false);
    ToolBar->setFloatable(false);
    ToolBar->setFixedHeight(38);
    ToolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    addToolBar(Qt::TopToolBarArea, ToolBar);

    ToolButtons = new QButtonGroup(this);
    ToolButtons->setExclusive(true);
    for (const TDrawingTool& tool : DrawingTools) {
        QToolButton* b = makeToolButton(this, ToolBar, tool.Button);
        b->setCheckable(true);
        ToolButtons->addButton(b, tool.State);
    }
    Pointerbutton->setChecked(true);
    connect(ToolButtons, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            BusinessCardPanel->SetPanelState(TLPanelState(id));
    });

    ToolBar->addSeparator();
    for (const TToolButtonInfo& info : OtherButtons)
        makeToolButton(this, ToolBar, info);
    ShowGrid->setCheckable(true);
    SnapToGrid->setCheckable(true);
    connect(ShowGrid, &QToolButton::toggled, this,
            [this](bool down) { BusinessCardPanel->SetShowGrid(down); });
    connect(SnapToGrid, &QToolButton::toggled, this,
            [this](bool down) { BusinessCardPanel->SetSnapToGrid(down); });
    followCommand(SetBackgroundArtButton, BackgroundArtItem);

    // The side of the card the panel shows. The tools sit close together, so that both
    // buttons fit beside them in the window's fixed width.
    ToolBar->layout()->setSpacing(0);
    auto* sides = new QButtonGroup(this);
    for (QToolButton** b : {&FrontButton, &BackButton}) {
        *b = new QToolButton(ToolBar);
        (*b)->setCheckable(true);
        (*b)->setToolButtonStyle(Qt::ToolButtonTextOnly);
        sides->addButton(*b);
        ToolBar->addWidget(*b);
    }
    FrontButton->setText(QStringLiteral("Front"));
    BackButton->setText(QStringLiteral("Back"));
    FrontButton->setToolTip(tipText("Work on the front of the card"));
    BackButton->setToolTip(tipText("Work on the back of the card"));
    FrontButton->setChecked(true);
    FrontButton->setWhatsThis(QStringLiteral("Shows the front of the card to work on."));
    BackButton->setWhatsThis(
        QStringLiteral("Shows the back of the card to work on. Every tool and command, undo "
                       "and the background art work on the side shown; Print can print the "
                       "backs behind their fronts."));
}

void TMainScreen::BuildBottomBar(QWidget* bar) {
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(8, 6, 8, 6);

    ZoomSpinner = new TSpinButton(bar);
    ZoomSpinner->setFixedSize(18, 30);
    ZoomSpinner->setToolTip(
        tipText("Press plus (+) or minus (-) to \rincrease or decrease the zoom percentage"));
    ZoomSpinner->setWhatsThis(QStringLiteral("Enlarges or reduces the card on the screen, from "
                                             "100% to 150%. Printing is not affected."));
    connect(ZoomSpinner, &TSpinButton::UpClick, this, &TMainScreen::ZoomIn);
    connect(ZoomSpinner, &TSpinButton::DownClick, this, &TMainScreen::ZoomOut);
    row->addWidget(ZoomSpinner);

    auto* zoomBox = new QFrame(bar);
    zoomBox->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* zoomRow = new QHBoxLayout(zoomBox);
    zoomRow->setContentsMargins(6, 2, 6, 2);
    zoomRow->addWidget(new QLabel(QStringLiteral("Zoom:"), zoomBox));
    ZoomCaption = new QLabel(QStringLiteral("100%"), zoomBox);
    ZoomCaption->setStyleSheet(QStringLiteral("color: navy"));
    ZoomCaption->setMinimumWidth(ZoomCaption->fontMetrics().horizontalAdvance("8888%"));
    zoomRow->addWidget(ZoomCaption);
    zoomBox->setWhatsThis(QStringLiteral("The zoom of the card on the screen."));
    row->addWidget(zoomBox);
    MergeBar = new TMergeBar(*BusinessCardPanel, bar);
    row->addWidget(MergeBar);
    row->addStretch();

    Savebutton =
        makePushButton(bar, QStringLiteral("Save as"), QStringLiteral("Saves the changed design."));
    Savebutton->setDefault(true);
    Savebutton->hide();
    connect(Savebutton, &QPushButton::clicked, this, &TMainScreen::SaveButtonClick);
    Cancelbutton = makePushButton(bar, QStringLiteral("Cancel"),
                                  QStringLiteral("Throws away the changes since the design "
                                                 "was opened or last saved."));
    Cancelbutton->hide();
    PrintButton = makePushButton(bar, QStringLiteral("&Print"),
                                 QStringLiteral("Prints cards of this design on a sheet."));
    Previewbutton = makePushButton(bar, QStringLiteral("Pre&view"),
                                   QStringLiteral("Shows the printed sheet before printing."));
    Helpbutton = makePushButton(bar, QStringLiteral("&Help"),
                                QStringLiteral("Opens help for the main window."));
    MouseHelpButton = makePushButton(bar, QString(),
                                     QStringLiteral("Click here, then on any control, to "
                                                    "learn what it does."));
    MouseHelpButton->setIcon(ToolIcon(TToolIcon::WhatsThis));
    MouseHelpButton->setToolTip(QStringLiteral("What's this?"));
    connect(MouseHelpButton, &QPushButton::clicked, this, [] { QWhatsThis::enterWhatsThisMode(); });
    CloseButton = makePushButton(bar, QStringLiteral("E&xit"), QStringLiteral("Ends Pentavo."));
    CloseButton->setIcon(ToolIcon(TToolIcon::Exit));
    CloseButton->setLayoutDirection(Qt::RightToLeft); // glyph on the right
    for (QPushButton* b : {Savebutton, Cancelbutton, PrintButton, Previewbutton, Helpbutton,
                           MouseHelpButton, CloseButton})
        row->addWidget(b);
    followCommand(PrintButton, PrintItem);
    followCommand(Previewbutton, PreviewItem);
    followCommand(Helpbutton, HelpCommand);
    followCommand(CloseButton, ExitItem);
}

void TMainScreen::BuildMenus() {
    auto command = [this](QMenu* menu, const QString& caption, const QString& whatsThis) {
        auto* a = new TCommandAction(caption, this);
        a->setWhatsThis(whatsThis);
        a->setEnabled(false);
        if (menu)
            menu->addAction(a);
        return a;
    };
    FileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    NewItem = command(FileMenu, QStringLiteral("&New"), QStringLiteral("Starts a new design."));
    OpenItem = command(FileMenu, QStringLiteral("&Open"), QStringLiteral("Opens a design."));
    DeleteItem = command(FileMenu, QStringLiteral("&Delete"),
                         QStringLiteral("Deletes a saved design file."));
    FileMenu->addSeparator();
    SaveItem = command(FileMenu, QStringLiteral("Save"), QStringLiteral("Saves the design."));
    SaveItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    SaveAsItem = command(FileMenu, QStringLiteral("Save &As..."),
                         QStringLiteral("Saves the design under a new name."));
    FileMenu->addSeparator();
    PrintItem = command(FileMenu, QStringLiteral("&Print"),
                        QStringLiteral("Prints cards of this design on a sheet."));
    PreviewItem = command(FileMenu, QStringLiteral("Pre&view"),
                          QStringLiteral("Shows the printed sheet before printing."));
    ExportPdfItem = command(FileMenu, QStringLiteral("Export PD&F..."),
                            QStringLiteral("Writes the sheet of cards into a PDF file."));
    ExportPrintShopItem = command(
        FileMenu, QStringLiteral("Export for Print S&hop\u2026"),
        QStringLiteral("Writes one card per page into a PDF file for a print shop, with bleed "
                       "and, if you like, crop marks."));
    ExportPictureItem =
        command(FileMenu, QStringLiteral("Export Pict&ure\u2026"),
                QStringLiteral("Saves the card as printed into a PNG picture at 300 dots per "
                               "inch."));
    MergeListItem = command(FileMenu, QStringLiteral("Merge &List..."),
                            QStringLiteral("Chooses a list of people (CSV or vCard) to print "
                                           "one card each for, with the values of their "
                                           "${Column} fields."));
    FileMenu->addSeparator();
    PrinterSetupItem = command(FileMenu, QStringLiteral("Printer S&etup"),
                               QStringLiteral("Chooses the printer and its paper."));
    FineTuningItem = command(FileMenu, QStringLiteral("Printer Fine &Tuning"),
                             QStringLiteral("Moves the printout to suit the printer."));
    OutlineTestPageItem = command(FileMenu, QStringLiteral("Print O&utline Test Page"),
                                  QStringLiteral("Prints the outlines of the card positions."));
    AlignmentSheetItem =
        command(FileMenu, QStringLiteral("Print Alignment Sheet"),
                QStringLiteral("Prints marks on both sides of one sheet that show how far the "
                               "printer shifts the backs of two-sided cards, in 1/32 inch."));
    FileMenu->addSeparator();
    ExitItem = command(FileMenu, QStringLiteral("E&xit"), QStringLiteral("Ends Pentavo."));

    EditMenu = menuBar()->addMenu(QStringLiteral("&Edit"));
    UndoItem = command(EditMenu, QStringLiteral("Undo"),
                       QStringLiteral("Takes back the last change to the design."));
    UndoItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    RedoItem = command(EditMenu, QStringLiteral("Redo"),
                       QStringLiteral("Makes the last change taken back again."));
    RedoItem->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    EditMenu->addSeparator();
    DefaultFontItem = command(EditMenu, QStringLiteral("&Default Font - "),
                              QStringLiteral("Chooses the font that new text starts with."));
    PersonalInformationItem =
        command(EditMenu, QStringLiteral("&Personal Information"),
                QStringLiteral("Your name, address and numbers, ready to put on a card."));
    BackgroundArtItem = command(EditMenu, QStringLiteral("&Set or Change Background Art"),
                                QStringLiteral("Chooses the picture printed behind the card."));
    // Named before the command, which is connected later, runs.
    connect(BackgroundArtItem, &QAction::triggered, this,
            [this] { BusinessCardPanel->History()->BeginStep(QStringLiteral("Background Art")); });
    EditMenu->addSeparator();
    ChangeLayoutItem = command(EditMenu, QStringLiteral("Change Business Card Layout"),
                               QStringLiteral("Sets the card size and the sheet layout."));

    HelpMenu = menuBar()->addMenu(QStringLiteral("&Help"));
    ContentsItem =
        command(HelpMenu, QStringLiteral("&Contents"), QStringLiteral("Opens the help contents."));
    AboutItem = command(HelpMenu, QStringLiteral("&About"),
                        QStringLiteral("Shows the program's name and version."));
    HelpCommand = command(nullptr, QStringLiteral("&Help"), QString());
    // F1 anywhere in the window opens its help page.
    HelpCommand->setShortcut(QKeySequence(Qt::Key_F1));
    addAction(HelpCommand);
}
