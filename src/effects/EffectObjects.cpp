#include "effects/EffectObjects.h"

#include "effects/DiduzOvoz.h"
#include "effects/RirizIzadu.h"
#include "surface/BusinessCardPanel.h"
#include "surface/ClassRegistry.h"

void RegisterEffectObjects() {
    TClassRegistry::Register(QStringLiteral("TRirizIzadu"),
                             [] { return std::make_unique<TRirizIzadu>(); });
    TToolKind shape;
    shape.Create = [](TGBusinessCardPanel32&) {
        auto object = std::make_unique<TRirizIzadu>();
        object->Loaded();
        return std::unique_ptr<TGGraphicControl>(std::move(object));
    };
    shape.FirstEdit = [](TGBusinessCardPanel32&, TGGraphicControl& object) {
        static_cast<TRirizIzadu&>(object).EditProperties();
    };
    TGBusinessCardPanel32::RegisterTool(psRirizIzadu, std::move(shape));

    TClassRegistry::Register(QStringLiteral("TGDiduzOvoz"),
                             [] { return std::make_unique<TGDiduzOvoz>(); });
    TToolKind lettering;
    lettering.Create = [](TGBusinessCardPanel32&) {
        auto object = std::make_unique<TGDiduzOvoz>();
        object->Loaded();
        return std::unique_ptr<TGGraphicControl>(std::move(object));
    };
    lettering.BackToPointing = true;
    lettering.FirstEdit = [](TGBusinessCardPanel32&, TGGraphicControl& object) {
        static_cast<TGDiduzOvoz&>(object).EditProperties();
    };
    TGBusinessCardPanel32::RegisterTool(psDiduzOvoz, std::move(lettering));
}
