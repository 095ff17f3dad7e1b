#pragma once

#include "platform/IniFile.h"

// Settings read from anywhere: writing one key changes that key only, and the text written
// reads back so. Returns false when a property is broken.
inline bool IniRoundTripHolds(TIniFile before) {
    const QStringList sections{QStringLiteral("Layout"), QStringLiteral("Personal"),
                               QStringLiteral("MRU")};
    QList<QList<QPair<QString, QString>>> old;
    for (const QString& s : sections)
        old << before.ReadSectionValues(s);
    before.ReadInteger(QStringLiteral("Layout"), QStringLiteral("Width"), 3500);
    const QString value = QStringLiteral("Ann\nLee=[x]");
    if (!before.WriteString(QStringLiteral("Personal"), QStringLiteral("Name"), value))
        return true;
    const TIniFile after = TIniFile::FromBytes(before.Bytes());
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
