#include "surface/ClassRegistry.h"

#include "surface/GraphicControl.h"

#include <QHash>

namespace {
QHash<QString, TClassRegistry::Factory>& classes() {
    static QHash<QString, TClassRegistry::Factory> map;
    return map;
}
} // namespace

void TClassRegistry::Register(const QString& className, Factory factory) {
    classes().insert(className, std::move(factory));
}

std::unique_ptr<TGGraphicControl> TClassRegistry::Create(const QString& className) {
    const auto it = classes().constFind(className);
    return it == classes().constEnd() ? nullptr : (*it)();
}

bool TClassRegistry::IsRegistered(const QString& className) {
    return classes().contains(className);
}

QStringList TClassRegistry::ClassNames() {
    QStringList names = classes().keys();
    names.sort();
    return names;
}
