#include "objects/CardObjects.h"

#include "objects/BarcodeKind.h"
#include "objects/BusinessCardLabel.h"
#include "objects/ClipArt.h"
#include "objects/DrawingObjects.h"
#include "objects/RichTextKind.h"
#include "surface/BusinessCardPanel.h"
#include "surface/ClassRegistry.h"

namespace {

void registerText() {
    TClassRegistry::Register(QStringLiteral("TGPLabel"),
                             [] { return std::make_unique<TGPLabel>(); });
    TClassRegistry::Register(QStringLiteral("TGBusinessCardLabel"),
                             [] { return std::make_unique<TGBusinessCardLabel>(); });
    TToolKind text;
    text.Create = [](TGBusinessCardPanel32& panel) {
        auto label = std::make_unique<TGBusinessCardLabel>();
        label->SetPanel(&panel);
        label->Loaded();
        label->SetCaption(QStringLiteral("Text"));
        label->SetFont(panel.Font());
        return std::unique_ptr<TGGraphicControl>(std::move(label));
    };
    text.FirstEdit = [](TGBusinessCardPanel32&, TGGraphicControl& object) {
        auto& label = static_cast<TGBusinessCardLabel&>(object);
        label.EditBusinessCardText();
        label.GrowToFitText();
    };
    TGBusinessCardPanel32::RegisterTool(psLabel, std::move(text));
}

} // namespace

void RegisterCardObjects() {
    registerText();
    RegisterDrawingObjects();
    RegisterClipArt();
    RegisterRichText();
    RegisterBarcode();
}
