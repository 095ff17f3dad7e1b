#include "objects/RichTextKind.h"

#include "objects/RichBaseLabel.h"
#include "platform/Interaction.h"
#include "surface/BusinessCardPanel.h"
#include "surface/ClassRegistry.h"

void RegisterRichText() {
    TClassRegistry::Register(QStringLiteral("TGPRichBaseLabel"),
                             [] { return std::make_unique<TGPRichBaseLabel>(); });
    TToolKind rich;
    rich.Create = [](TGBusinessCardPanel32& panel) -> std::unique_ptr<TGGraphicControl> {
        auto object = std::make_unique<TGPRichBaseLabel>();
        object->SetPanel(&panel);
        try {
            object->Loaded();
        } catch (const ENoMasterWPRich& e) {
            TInteraction::Current().Information(panel.window(), e.Message());
            return nullptr;
        }
        return object;
    };
    rich.FirstEdit = [](TGBusinessCardPanel32&, TGGraphicControl& object) {
        static_cast<TGPRichBaseLabel&>(object).EditRichText();
    };
    rich.BackToPointing = true;
    TGBusinessCardPanel32::RegisterTool(psRichLabel, std::move(rich));
}
