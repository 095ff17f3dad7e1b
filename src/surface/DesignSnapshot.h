#pragma once

#include <QByteArray>
#include "platform/Picture.h"

#include <QList>
#include <QString>

#include <vector>

class TGBasePanel;

// One object's record in the object stream, cut where its large byte payloads (pictures,
// textures) lie: Parts alternate stream bytes and payloads, payloads at the odd indices, so that
// a payload can be held once by every step that has it.
struct TObjectRecord {
    QList<QByteArray> Parts;
    size_t Hash = 0; // of the stream bytes and the payloads' sizes
    QString Name;    // the object's name, also in the record

    bool operator==(const TObjectRecord& other) const;
};

// The design at one moment: every object's record with its 100 % geometry in stacking order,
// the background art and, from outside the panel, the background art's file name.
struct TDesignSnapshot {
    std::vector<TObjectRecord> Records;
    TPicture Background;
    QString BackgroundName;

    bool SameDesign(const TDesignSnapshot& other) const;
    // The design file's bytes for this design.
    QByteArray Bytes() const;
};

// Large payloads are kept apart from the record bytes from this size on.
constexpr qsizetype SharedPayloadBytes = 4096;

// The panel's design now. Records and payloads equal to those of `previous` are taken from it
// rather than kept twice.
TDesignSnapshot TakeSnapshot(const TGBasePanel& panel, const TDesignSnapshot* previous);

// Makes the panel's objects those of `target`; `current` describes them as they are. Objects
// whose records match stay as they are; the others are read back from the target's records
// (shown at the panel's zoom, as reading does), and the rest are freed. A record that can't be read
// raises EStreamError and leaves the panel as it was. The selection is left empty.
void RestoreObjects(TGBasePanel& panel, const TDesignSnapshot& current,
                    const TDesignSnapshot& target);
