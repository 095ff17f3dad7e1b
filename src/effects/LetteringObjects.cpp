#include "effects/LetteringObjects.h"

#include "effects/DiduzOvoz.h"
#include "surface/BusinessCardPanel.h"
#include "surface/ClassRegistry.h"

void RegisterLetteringObjects() {
    TClassRegistry::Register(QStringLiteral("TGDiduzOvoz"),
                             [] { return std::make_unique<TGDiduzOvoz>(); });
    TToolKind tool;
    tool.Create = [](TGBusinessCardPanel32&) {
        auto object = std::make_unique<TGDiduzOvoz>();
        object->Loaded();
        return std::unique_ptr<TGGraphicControl>(std::move(object));
    };
    tool.BackToPointing = true;
    tool.FirstEdit = [](TGBusinessCardPanel32&, TGGraphicControl& object) {
        static_cast<TGDiduzOvoz&>(object).EditProperties();
    };
    TGBusinessCardPanel32::RegisterTool(psDiduzOvoz, std::move(tool));
}
