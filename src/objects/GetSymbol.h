#pragma once

#include "platform/GraphicsValues.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;
class TDialogButtonBar;

// Grid columns of the symbol list for a grid font of the given size in points.
int SymbolListColumns(int points);
// The font button's caption: "name, Npt " and "Bold " or, for italic fonts, "Italic ".
QString SymbolFontCaption(const TFont& gridFont);

// The symbol selector: a grid of the 224 characters with codes 32 to 255 in a symbol font,
// and the font they are chosen in. The grid keeps its own size; the chosen font (face, size,
// styles, colour) is held apart and only its face, colour and styles reach the grid.
class TGetSymbol : public QDialog {
public:
    static constexpr int FirstCode = 32;
    static constexpr int ItemCount = 224;

    explicit TGetSymbol(QWidget* parent);

    const TFont& SelectedFont() const { return FSelectedFont; }
    void SetSelectedFont(const TFont& font) { FSelectedFont = font; }
    const TFont& GridFont() const { return FGridFont; }
    // The grid takes the face and styles only; its size stays.
    void SetGridFontFace(const QString& name, TFontStyles style);
    // Position in the grid (code - 32); -1 when nothing is selected.
    int SelectedIndex() const;
    void SetSelectedIndex(int index);

    QPushButton* FontButton() const { return FFontButton; }
    QListWidget* SymbolList() const { return FSymbolList; }

    void FontbuttonClick();
    void UpdateFontbutton();
    void SetSymbolListcolumns();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Draws the grid's characters in the grid font (through the stand-in where one applies).
    void FillSymbolList();

    TFont FSelectedFont;
    TFont FGridFont;
    QPushButton* FFontButton;
    QListWidget* FSymbolList;
    TDialogButtonBar* FButtons;
};
