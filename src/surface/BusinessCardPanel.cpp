#include "surface/BusinessCardPanel.h"

#include "surface/GraphicControl.h"
#include "surface/UndoHistory.h"

#include <QHash>

namespace {
QHash<int, TToolKind>& tools() {
    static QHash<int, TToolKind> map;
    return map;
}
} // namespace

TGBusinessCardPanel32::TGBusinessCardPanel32(QWidget* parent) : TGBasePanel(parent) {}

void TGBusinessCardPanel32::RegisterTool(TLPanelState state, TToolKind kind) {
    tools().insert(state, std::move(kind));
}

void TGBusinessCardPanel32::SetPanelState(TLPanelState state) {
    if (state == FPanelState)
        return;
    FPanelState = state;
    SetPointing(state == psPointing);
    RestoreCursor();
}

void TGBusinessCardPanel32::CreateObjectInRect(QRect& rect) {
    // A click or a narrow drag gives a 50-pixel-wide object; a flat one 15 pixels high.
    if (rect.width() < 25)
        rect.setWidth(50);
    if (rect.height() < 15)
        rect.setHeight(15);
    const auto it = tools().constFind(FPanelState);
    if (it == tools().constEnd() || !it->Create)
        return;
    // The new object and what its first edit gives it are one step.
    TUndoStep step(*History(), QStringLiteral("Draw"));
    std::unique_ptr<TGGraphicControl> created = it->Create(*this);
    if (!created)
        return;
    TGGraphicControl* object = AddObject(std::move(created));
    PlaceNewObject(object, rect);
    if (it->BackToPointing)
        SetPanelState(psPointing);
    if (it->FirstEdit)
        it->FirstEdit(*this, *object);
}
