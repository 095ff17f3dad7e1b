#include "objects/ClipArt.h"

#include "objects/Image.h"
#include "surface/BusinessCardPanel.h"
#include "surface/ClassRegistry.h"

void RegisterClipArt() {
    TClassRegistry::Register(QStringLiteral("TGImage"), [] { return std::make_unique<TGImage>(); });
    TToolKind tool;
    tool.Create = [](TGBusinessCardPanel32&) {
        auto image = std::make_unique<TGImage>();
        image->Loaded();
        return std::unique_ptr<TGGraphicControl>(std::move(image));
    };
    tool.BackToPointing = true;
    tool.FirstEdit = [](TGBusinessCardPanel32&, TGGraphicControl& object) {
        static_cast<TGImage&>(object).LoadImage();
    };
    TGBusinessCardPanel32::RegisterTool(psImage, std::move(tool));
}
