#pragma once

#include "objects/BaseLabel.h"
#include "objects/RichTextBox.h"
#include "richtext/WPRtfStorage.h"
#include "surface/ObjectStream.h"

class TWPRichText;

// Raised when a rich text object finds no shared rich text control in its window.
class ENoMasterWPRich : public EStreamError {
public:
    ENoMasterWPRich() : EStreamError(QStringLiteral("No master rich text object found")) {}
};

// A small formatted document (fonts, sizes, colours, styles, paragraph alignment) in a box
// on the card, stored as RTF. It paints through the window's shared rich text control,
// prints as vector text and is edited in the rich text editor.
class TGPRichBaseLabel : public TGGraphicControl {
public:
    TGPRichBaseLabel();

    QString ClassName() const override { return QStringLiteral("TGPRichBaseLabel"); }
    const TPropertyList& Properties() const override { return ClassProperties(); }
    static const TPropertyList& ClassProperties();

    // Finds the window's shared control (ENoMasterWPRich when there is none), adds the
    // menu items and makes a double-click open the editor.
    void Loaded() override;
    void Paint(QPainter& canvas) override;
    void PopupOpening() override;
    void PrintTo(TReportCanvas& report, double x, double y) override;

    const TWPRtfStorage& RTFText() const { return FRTFText; }
    void SetRTFText(const TWPRtfStorage& text);
    int BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(int v);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    TColor BGColor() const { return FBGColor; }
    void SetBGColor(TColor v);
    TWPRichText* MasterRichText() const { return FMasterRichText; }

    // Opens the rich text editor on a copy of the document; Ok takes the edited document.
    void EditRichText();
    // Draws the object at its size and zoom from the canvas's origin.
    void PaintRich(QPainter& canvas);

private:
    TRichBox Box() const;
    void ChooseBackgroundColor();

    TWPRtfStorage FRTFText;
    int FBorderStyle = bsSingle;
    bool FTransparent = true;
    TColor FBGColor = clWhite;
    TWPRichText* FMasterRichText = nullptr;
    QAction* FTransparentItem = nullptr;
    QAction* FBorderItem = nullptr;
};
