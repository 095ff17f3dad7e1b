#include "objects/BarcodeKind.h"

#include "objects/Barcode.h"
#include "surface/BusinessCardPanel.h"
#include "surface/ClassRegistry.h"

#include <algorithm>

namespace {

// A click or a small drag leaves a box no reader could use: the code then gets an inch.
constexpr int SmallestUsable = 48;

} // namespace

void RegisterBarcode() {
    TClassRegistry::Register(QStringLiteral("TGBarcode"),
                             [] { return std::make_unique<TGBarcode>(); });
    TToolKind tool;
    tool.Create = [](TGBusinessCardPanel32& panel) {
        auto barcode = std::make_unique<TGBarcode>();
        barcode->Loaded();
        // A card's code is most often its owner's contact.
        const TContact& own = panel.PersonalInfo();
        if (std::any_of(own.begin(), own.end(), [](const QString& v) { return !v.isEmpty(); })) {
            barcode->SetContentKind(ckContact);
            barcode->SetContent(BuildVCard(own));
        }
        return std::unique_ptr<TGGraphicControl>(std::move(barcode));
    };
    tool.BackToPointing = true;
    tool.FirstEdit = [](TGBusinessCardPanel32&, TGGraphicControl& object) {
        auto& barcode = static_cast<TGBarcode&>(object);
        barcode.EditProperties();
        if (barcode.Width() < SmallestUsable || barcode.Height() < SmallestUsable) {
            const int inch = int(96 * barcode.Zoom());
            barcode.SetBounds(barcode.Left(), barcode.Top(),
                              IsLinearSymbology(barcode.Symbology()) ? 2 * inch : inch, inch);
        }
    };
    TGBusinessCardPanel32::RegisterTool(psBarcode, std::move(tool));
}
