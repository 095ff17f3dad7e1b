#include "surface/Handle.h"

#include "surface/BasePanel.h"
#include "surface/GraphicControl.h"

#include <algorithm>

TGHandle::TGHandle(TGBasePanel* panel) : QWidget(panel), FPanel(panel) {
    setGeometry(0, 0, 24, 24);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

bool TGHandle::Contains(const TGGraphicControl* object) const {
    return std::find(FSelection.begin(), FSelection.end(), object) != FSelection.end();
}

void TGHandle::Add(TGGraphicControl* object) {
    if (!object || object->Unselectable() || Contains(object))
        return;
    FSelection.push_back(object);
    SelectionChanged();
}

void TGHandle::Remove(TGGraphicControl* object) {
    const auto it = std::find(FSelection.begin(), FSelection.end(), object);
    if (it == FSelection.end())
        return;
    FSelection.erase(it);
    SelectionChanged();
}

void TGHandle::Clear() {
    if (FSelection.empty())
        return;
    FSelection.clear();
    SelectionChanged();
}

void TGHandle::SelectionChanged() {
    if (FSelection.empty())
        FLocked = false;
    Refit();
    FPanel->update();
}

void TGHandle::Refit() {
    if (FSelection.empty()) {
        setGeometry(0, 0, 24, 24);
        return;
    }
    QRect r;
    for (const TGGraphicControl* o : FSelection)
        r = r.united(o->BoundsRect());
    setGeometry(r.adjusted(-3, -3, 4, 4));
}

void TGHandle::SetColor(TColor c) {
    FColor = c;
    FPanel->update();
}

void TGHandle::SetSecondaryColor(TColor c) {
    FSecondaryColor = c;
    FPanel->update();
}

void TGHandle::SetGridX(int v) {
    if (v == FGridX)
        return;
    FGridX = v;
    FActiveGridX = v;
}

void TGHandle::SetGridY(int v) {
    if (v == FGridY)
        return;
    FGridY = v;
    FActiveGridY = v;
}

void TGHandle::SetSnapToGrid(bool v) {
    FActiveGridX = v ? FGridX : 1;
    FActiveGridY = v ? FGridY : 1;
}
