#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class TGGraphicControl;

// Design object classes by the name design files use. Each object folder registers its
// classes once at start (see RegisterCardObjects in objects/).
class TClassRegistry {
public:
    using Factory = std::function<std::unique_ptr<TGGraphicControl>()>;

    static void Register(const QString& className, Factory factory);
    // Nullptr when no class of that name is registered (names compare exactly).
    static std::unique_ptr<TGGraphicControl> Create(const QString& className);
    static bool IsRegistered(const QString& className);
    // Every registered name, sorted.
    static QStringList ClassNames();
};
