// Design file bytes in: the reader must end in a loaded design or a stream error, and a
// design it loaded must write out and read back to the same bytes.
#include "FuzzApplication.h"
#include "support/AllTypesObject.h"

#include "app/ObjectKinds.h"
#include "surface/BasePanel.h"
#include "surface/ObjectFiler.h"
#include "surface/ObjectStreamReader.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

namespace {

void setUp() {
    if (!StartFuzzApplication("fuzz_reader"))
        return;
    RegisterObjectKinds();
    TAllTypes::Register();
}

QByteArray written(const std::vector<TGGraphicControl*>& objects) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TGLabelObjectFiler::WriteObjects(buffer, objects);
    return buffer.data();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    setUp();
    // The panels live for the whole run: an input costs no widgets, only its objects.
    // Rich text objects need the shared control of the window they load into.
    static TGBasePanel& panel = *[] {
        auto* p = new TGBasePanel;
        CreateMasterRichText(p);
        return p;
    }();
    static TGBasePanel& again = *[] {
        auto* p = new TGBasePanel;
        CreateMasterRichText(p);
        return p;
    }();
    panel.ClearObjects();
    again.ClearObjects();
    const auto* bytes = reinterpret_cast<const char*>(data);
    try {
        ReadStreamObjects(bytes, qint64(size));
    } catch (const EStreamError&) {
    }
    try {
        TGLabelObjectFiler(panel).ReadObjects(bytes, qint64(size));
    } catch (const EStreamError&) {
        return 0;
    }
    // What was read once must survive a second trip unchanged.
    const QByteArray first = written(panel.Objects());
    TGLabelObjectFiler(again).ReadObjects(first.constData(), first.size());
    if (written(again.Objects()) != first)
        std::abort();
    return 0;
}
