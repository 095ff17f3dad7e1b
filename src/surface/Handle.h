#pragma once

#include "platform/Color.h"

#include <QWidget>

#include <vector>

class TGBasePanel;
class TGGraphicControl;

// The panel's selection frame: holds the selected objects in the order they were added.
class TGHandle : public QWidget {
    Q_OBJECT
public:
    explicit TGHandle(TGBasePanel* panel);

    const std::vector<TGGraphicControl*>& Selection() const { return FSelection; }
    int Count() const { return int(FSelection.size()); }
    bool Contains(const TGGraphicControl* object) const;

    // Adds a selectable object once; Remove and Clear take objects out.
    void Add(TGGraphicControl* object);
    void Remove(TGGraphicControl* object);
    void Clear();
    // Fits the frame around the selection.
    void Refit();

    TColor Color() const { return FColor; }
    void SetColor(TColor c);
    TColor SecondaryColor() const { return FSecondaryColor; }
    void SetSecondaryColor(TColor c);

    bool Locked() const { return FLocked; }
    void SetLocked(bool v) { FLocked = v; }

    int GridX() const { return FGridX; }
    int GridY() const { return FGridY; }
    void SetGridX(int v);
    void SetGridY(int v);
    // Snapping uses the active steps; 1 means no snapping.
    bool SnapToGrid() const { return FActiveGridX > 1 || FActiveGridY > 1; }
    void SetSnapToGrid(bool v);
    int ActiveGridX() const { return FActiveGridX; }
    int ActiveGridY() const { return FActiveGridY; }

private:
    void SelectionChanged();

    TGBasePanel* FPanel;
    std::vector<TGGraphicControl*> FSelection;
    TColor FColor = clBlack;
    TColor FSecondaryColor = clGray;
    bool FLocked = false;
    int FGridX = 8, FGridY = 8;
    int FActiveGridX = 1, FActiveGridY = 1;
};
