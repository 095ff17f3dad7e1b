#include "objects/DrawingObjects.h"

#include "objects/LabelShapes.h"
#include "objects/LineShape.h"
#include "surface/BusinessCardPanel.h"
#include "surface/ClassRegistry.h"

namespace {

template <class T> void registerClass() {
    TClassRegistry::Register(T().ClassName(), [] { return std::make_unique<T>(); });
}

TToolKind shapeTool(TShapeType shape) {
    TToolKind kind;
    kind.Create = [shape](TGBusinessCardPanel32&) {
        auto object = std::make_unique<TBCShapes>();
        object->SetShape(shape);
        object->Loaded();
        return std::unique_ptr<TGGraphicControl>(std::move(object));
    };
    return kind;
}

} // namespace

void RegisterDrawingObjects() {
    registerClass<TGLabelShapes>();
    registerClass<TBCShapes>();
    registerClass<TGLineShape>();

    TGBusinessCardPanel32::RegisterTool(psRectangle, shapeTool(stRectangle));
    TGBusinessCardPanel32::RegisterTool(psEllipse, shapeTool(stEllipse));
    TGBusinessCardPanel32::RegisterTool(psRoundRectangle, shapeTool(stRoundRect));
    TToolKind line;
    line.Create = [](TGBusinessCardPanel32&) {
        auto object = std::make_unique<TGLineShape>();
        object->SetLineStyle(stVertical);
        object->Loaded();
        return std::unique_ptr<TGGraphicControl>(std::move(object));
    };
    TGBusinessCardPanel32::RegisterTool(psLine, line);
}
