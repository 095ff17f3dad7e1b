#include "objects/DrawingObjects.h"

#include "objects/LabelShapes.h"
#include "objects/LineShape.h"
#include "objects/MultiLineLabel.h"
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
    registerClass<TGMultiLineLabel>();

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

    TToolKind multiLine;
    multiLine.Create = [](TGBusinessCardPanel32& panel) {
        auto object = std::make_unique<TGMultiLineLabel>();
        object->Loaded();
        object->SetFont(panel.Font());
        return std::unique_ptr<TGGraphicControl>(std::move(object));
    };
    multiLine.FirstEdit = [](TGBusinessCardPanel32&, TGGraphicControl& object) {
        auto& label = static_cast<TGMultiLineLabel&>(object);
        label.EditText();
        label.FitToText();
    };
    TGBusinessCardPanel32::RegisterTool(psMultiLineLabel, multiLine);
}
