#pragma once

#include "app/CardSides.h"
#include "app/FileCommands.h"
#include "app/PrintCommands.h"

#include <QMainWindow>

#include <memory>

class QButtonGroup;
class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;
class QToolBar;
class QToolButton;
class TCommandAction;
class TGBusinessCardPanel32;
class TMainSettings;
class TMergeBar;
class TSpinButton;

// The program's one top-level window and the owner of all program-wide state: the tool
// bar, the card panel in its scroll box, the bottom button bar and the menus. Commands
// that other parts of the program supply are public TCommandAction members; each stays
// disabled until its handler is attached with Wire.
class TMainScreen : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainScreen(QWidget* parent = nullptr);
    ~TMainScreen() override;

    // Program-wide state.
    QString CurrentFileName;    // full path of the open design; empty = untitled
    QString BackgroundFileName; // full path of the background art; empty = none
    bool ChangesMade = false;
    // While true, change notifications from the panel are ignored: from creation to the end
    // of the first activation, and while opening, clearing or zooming.
    bool Loading = true;
    TCardSelection CardSelection; // card positions of a sheet to print
    bool PrinterAvailable = false;
    // Preferences (layout, nudges, default font, personal information), recent files and
    // window placement.
    TMainSettings* Settings = nullptr;
    std::unique_ptr<TFileCommands> FileCommands;
    // The card's front and back: the panel shows one, the other waits.
    std::unique_ptr<TCardSides> Sides;
    // The program's printer and the print commands; made at the first activation.
    std::unique_ptr<TPrintCommands> PrintCommands;

    // Controls.
    TGBusinessCardPanel32* BusinessCardPanel = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    QToolBar* ToolBar = nullptr;
    QButtonGroup* ToolButtons = nullptr; // the exclusive drawing tools, id = panel state
    QToolButton* Pointerbutton = nullptr;
    QToolButton* DrawLabelButton = nullptr;
    QToolButton* DrawMLTextButton = nullptr;
    QToolButton* DrawSymbolButton = nullptr;
    QToolButton* DrawRectanglebutton = nullptr;
    QToolButton* DrawEllipseButton = nullptr;
    QToolButton* DrawRoundrectbutton = nullptr;
    QToolButton* DrawLinebutton = nullptr;
    QToolButton* DrawImageButton = nullptr;
    QToolButton* DrawRirizizadu = nullptr;
    QToolButton* DrawRichText = nullptr;
    QToolButton* DrawDiduzOvozButton = nullptr;
    QToolButton* DrawBarcodeButton = nullptr;
    QToolButton* ShowGrid = nullptr;
    QToolButton* SnapToGrid = nullptr;
    QToolButton* SetBackgroundArtButton = nullptr;
    TSpinButton* ZoomSpinner = nullptr;
    TMergeBar* MergeBar = nullptr;      // the merge list's record controls
    QToolButton* FrontButton = nullptr; // the side of the card the panel shows
    QToolButton* BackButton = nullptr;
    QLabel* ZoomCaption = nullptr;
    QPushButton* Savebutton = nullptr;    // runs SaveAsItem when untitled, else SaveItem
    QPushButton* Cancelbutton = nullptr;  // "Cancel all changes?", for the design-file commands
    QPushButton* PrintButton = nullptr;   // runs PrintItem
    QPushButton* Previewbutton = nullptr; // runs PreviewItem
    QPushButton* Helpbutton = nullptr;    // runs HelpCommand
    QPushButton* MouseHelpButton = nullptr;
    QPushButton* CloseButton = nullptr; // runs ExitItem

    // Menus and their commands, in menu order.
    QMenu* FileMenu = nullptr; // the recent-files entries go at its end
    QMenu* EditMenu = nullptr;
    QMenu* HelpMenu = nullptr;
    TCommandAction* NewItem = nullptr;
    TCommandAction* OpenItem = nullptr;
    TCommandAction* DeleteItem = nullptr;
    TCommandAction* SaveItem = nullptr;
    TCommandAction* SaveAsItem = nullptr;
    TCommandAction* PrintItem = nullptr;
    TCommandAction* PreviewItem = nullptr;
    TCommandAction* ExportPdfItem = nullptr;
    TCommandAction* ExportPrintShopItem = nullptr;
    TCommandAction* ExportPictureItem = nullptr;
    TCommandAction* MergeListItem = nullptr;
    TCommandAction* PrinterSetupItem = nullptr;
    TCommandAction* FineTuningItem = nullptr;
    TCommandAction* OutlineTestPageItem = nullptr;
    TCommandAction* AlignmentSheetItem = nullptr;
    TCommandAction* ExitItem = nullptr;
    TCommandAction* UndoItem = nullptr; // caption names the step, as "Undo Move"
    TCommandAction* RedoItem = nullptr;
    TCommandAction* DefaultFontItem = nullptr; // caption set by SetDefaultFontCaption
    TCommandAction* PersonalInformationItem = nullptr;
    TCommandAction* BackgroundArtItem = nullptr; // also behind SetBackgroundArtButton
    TCommandAction* ChangeLayoutItem = nullptr;
    TCommandAction* ContentsItem = nullptr;
    TCommandAction* AboutItem = nullptr;
    TCommandAction* HelpCommand = nullptr; // the main window's help page; not in a menu

    // Sets the change flag and the Save and Cancel buttons that follow it. A change is also a
    // step of the undo history.
    void SetChangesMade(bool value);
    // Caption, the Save item, and the print commands.
    void Setbuttons();
    // Sizes the card panel for a card of the given size in inches at the current zoom.
    void SetCardSizeFromInches(double width, double height);
    void SelectAllLabels();
    // Shows the card's front or back on the panel.
    void ShowSide(TCardSide side);

    void ZoomIn();
    void ZoomOut();

    // Runs on every activation; the first one completes the start-up.
    void FormActivate();
    void ExitClick();
    void AboutClick();
    // Restores a minimised window or brings it to the front (a second start asked for it).
    void BringToFront();
    // Opens a design named on the command line or handed over by a later start. Before the
    // first activation it takes the place of the most recent design; while a dialog is open
    // it waits until the dialog has closed.
    void OpenDesignFile(const QString& path);

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void BuildToolBar();
    void BuildBottomBar(QWidget* bar);
    void BuildMenus();
    void CreateProgramFolders();
    void CheckPrinters();
    void WireCommands();
    void WireSides();
    void DroppedObject();
    void LabelChanged();
    void ShowChangesMade(bool value);
    // Undo and Redo follow the panel's history; the change flag follows the saved state.
    void HistoryChanged();
    void StepZoom(bool up);
    void SaveButtonClick();
    bool FormKeyDown(const QKeyEvent& key);
    bool FormKeyUp(const QKeyEvent& key);
    void FitScrollContent();
    void OpenMostRecent();
    void OpenPendingDesign();

    QWidget* FScrollContent = nullptr;
    bool FActivated = false;
    QString FPendingOpen; // a design to open once the start-up or a dialog allows
};
