#pragma once

#include "objects/BaseLabel.h"

// One character of a symbol font (a telephone, an envelope, a star) whose box always hugs
// the character. The character and its font are chosen in the symbol selector only: the
// panel's font command leaves symbols alone, and resizing snaps back to the character.
class TGSymbolLabel : public TGBaseLabel {
public:
    TGSymbolLabel();

    QString ClassName() const override { return QStringLiteral("TGSymbolLabel"); }

    void BoundsChanged() override;
    void ApplyFont(const TFont&) override {}

    // The character's code (32 to 255), or -1 when the caption holds none.
    int SymbolCode() const;
    // Runs the symbol selector; on Ok the object takes the chosen character and font.
    void ChooseSymbol();

protected:
    void BuildContextMenu() override;
    // The box hugs the character (see BoundsChanged); the text layout leaves it alone.
    void FitBoxToText(int, int) override {}
};
