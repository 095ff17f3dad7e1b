#pragma once

#include "platform/IniFile.h"

#include <QFile>
#include <QTemporaryDir>

// Settings bytes from anywhere: reading them never fails, and writing one key changes that
// key only. Returns false when a property is broken.
inline bool IniRoundTripHolds(const QByteArray& bytes) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("PTV.INI"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return true;
        f.write(bytes);
    }
    const QStringList sections{QStringLiteral("Layout"), QStringLiteral("Personal"),
                               QStringLiteral("MRU")};
    TIniFile before(path);
    QList<QList<QPair<QString, QString>>> old;
    for (const QString& s : sections)
        old << before.ReadSectionValues(s);
    before.ReadInteger(QStringLiteral("Layout"), QStringLiteral("Width"), 3500);
    const QString value = QStringLiteral("Ann\nLee=[x]");
    if (!before.WriteString(QStringLiteral("Personal"), QStringLiteral("Name"), value))
        return true;
    const TIniFile after(path);
    if (after.ReadString(QStringLiteral("Personal"), QStringLiteral("Name"), QString()) !=
        QStringLiteral("Ann Lee=[x]"))
        return false;
    for (int i = 0; i < sections.size(); ++i) {
        auto now = after.ReadSectionValues(sections[i]);
        auto was = old[i];
        if (sections[i] == QStringLiteral("Personal")) {
            // Only the Name line may differ (or be new).
            auto dropName = [](QList<QPair<QString, QString>>& l) {
                l.removeIf([](const auto& kv) {
                    return kv.first.compare(QStringLiteral("Name"), Qt::CaseInsensitive) == 0;
                });
            };
            dropName(now);
            dropName(was);
        }
        if (now != was)
            return false;
    }
    return true;
}
