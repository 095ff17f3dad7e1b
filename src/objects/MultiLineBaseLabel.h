#pragma once

#include "objects/TextAlignment.h"
#include "surface/GraphicControl.h"

#include <QStringList>

class QFontMetrics;

// A block of text lines in one font, aligned left, right or centred, optionally wrapped
// at the object's width. The card shows between the letters.
class TGMultiLineBaseLabel : public TGGraphicControl {
public:
    TGMultiLineBaseLabel();

    QString ClassName() const override { return QStringLiteral("TGMultiLineBaseLabel"); }
    const TPropertyList& Properties() const override { return ClassProperties(); }
    static const TPropertyList& ClassProperties();

    void Paint(QPainter& canvas) override;
    void BoundsChanged() override;
    void PopupOpening() override;
    void ApplyFont(const TFont& font) override;
    void PrintTo(TReportCanvas& report, double x, double y) override;
    // Rebuilds the display lines from Items at the current width and zoom (word wrap only).
    virtual void Rewrap();

    const QStringList& Items() const { return FItems; }
    void SetItems(const QStringList& items);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v) { FAutoSize = v; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    const TFont& Font() const { return FFont; }
    void SetFont(const TFont& font);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    // Wrapped when first asked for after the last Rewrap.
    const QStringList& WrappedLines() const;

    // The lines as shown: wrapped or as typed, without the placeholder.
    const QStringList& DisplayLines() const { return FWordWrap ? WrappedLines() : FItems; }
    // The display lines with the merge fields filled from the panel's record (wrapped anew
    // when the values change the lines' lengths); at most maxLines of them when that is 0
    // or more, so that painting a box wraps only what it shows.
    QStringList ShownLines(qsizetype maxLines = -1) const;
    // After the first edit: one line height per line, widened to the widest line.
    void FitToText();

protected:
    void BuildContextMenu() override;

private:
    QFontMetrics ScreenMetrics() const;
    void ChooseFontFromMenu();

    QStringList FItems;
    bool FAutoSize = false;
    TAlignment FAlignment = taLeftJustify;
    TFont FFont;
    bool FWordWrap = false;
    // What the last Rewrap was asked to wrap; the lines are made from it when needed.
    QStringList FWrapItems;
    QFont FWrapFont;
    int FWrapWidth = 0;
    mutable bool FWrapPending = false;
    mutable QStringList FWrappedLines;
    QList<QAction*> FAlignmentItems; // "Left", "Center", "Right"
};
