// The reader's seed designs: an empty one, three objects of every property type, and one
// object of every kind the program registers.
#include "FuzzReplay.h"

#include "support/AllTypesObject.h"

#include "surface/BasePanel.h"
#include "surface/ObjectFiler.h"

#include <QDir>

namespace {

TAllTypes* addRich(TGBasePanel& panel, int i) {
    auto* o = static_cast<TAllTypes*>(panel.AddObject(std::make_unique<TAllTypes>()));
    o->SetName(QStringLiteral("Special%1").arg(i + 1));
    o->SetBounds(10 + i, 20 + i, 100, 30);
    o->Align = i % 3;
    o->Options = 5;
    o->BackColor = 0x123456;
    o->Ratio = 1.25;
    o->Caption = i == 1 ? QString(300, 'x') : QString::fromUtf8("Straße Ω");
    o->Lines = {"a", "b"};
    o->Data = QByteArray("\x07TBitmap\x00\x00\x00\x00", 12);
    o->Font.Charset = 2;
    o->Font.Pitch = fpFixed;
    o->Font.Style = 3;
    o->Pen.Width = 3;
    o->Brush.Style = bsCross;
    return o;
}

void makeSeeds(const QString& folder) {
    QDir().mkpath(folder);
    auto save = [&](const QString& name, TGBasePanel& panel) {
        TGLabelObjectFiler(panel).SaveDesign(folder + '/' + name);
    };
    TGBasePanel empty;
    save(QStringLiteral("empty.ptv"), empty);
    TGBasePanel three;
    for (int i = 0; i < 3; ++i)
        addRich(three, i);
    save(QStringLiteral("all-types.ptv"), three);
    // One object of every kind the program registers, as its constructor makes it.
    for (const QString& className : TClassRegistry::ClassNames()) {
        TGBasePanel panel;
        std::unique_ptr<TGGraphicControl> o = TClassRegistry::Create(className);
        TGGraphicControl* placed = panel.AddObject(std::move(o));
        placed->SetName(QStringLiteral("Special1"));
        placed->SetBounds(20, 30, 120, 40);
        save(className + QStringLiteral(".ptv"), panel);
    }
}

[[maybe_unused]] const bool registered = (FuzzSeedMaker() = makeSeeds, true);

} // namespace
