#include "surface/DesignSnapshot.h"

#include "surface/BasePanel.h"
#include "surface/GraphicControl.h"
#include "surface/ObjectFiler.h"
#include "surface/ObjectStreamWriter.h"

#include <QBuffer>
#include <QHash>

#include <cstring>

namespace {

// Equal bytes; the same buffer is recognised without comparing it.
bool SameBytes(const QByteArray& a, const QByteArray& b) {
    return a.size() == b.size() && (a.constData() == b.constData() ||
                                    std::memcmp(a.constData(), b.constData(), a.size()) == 0);
}

size_t RecordHash(const TObjectRecord& r) {
    size_t h = 0;
    for (qsizetype i = 0; i < r.Parts.size(); ++i)
        h = i % 2 ? qHashMulti(h, r.Parts[i].size())
                  : qHashBits(r.Parts[i].constData(), size_t(r.Parts[i].size()), h);
    return h;
}

// Finds what a new snapshot can share with the previous one: whole records by hash, and
// payloads by size. The tables are built the first time a record is not where it was.
class TSharing {
public:
    explicit TSharing(const TDesignSnapshot* previous) : FPrevious(previous) {}

    TObjectRecord Share(TObjectRecord r, size_t index) {
        if (!FPrevious)
            return r;
        const std::vector<TObjectRecord>& old = FPrevious->Records;
        if (index < old.size() && old[index] == r)
            return old[index];
        BuildTables();
        for (auto it = FRecords.constFind(r.Hash); it != FRecords.cend() && it.key() == r.Hash;
             ++it)
            if (old[*it] == r)
                return old[*it];
        for (qsizetype i = 1; i < r.Parts.size(); i += 2) {
            QByteArray& payload = r.Parts[i];
            for (auto it = FPayloads.constFind(payload.size());
                 it != FPayloads.cend() && it.key() == payload.size(); ++it)
                if (SameBytes(*it, payload)) {
                    payload = *it;
                    break;
                }
        }
        return r;
    }

private:
    void BuildTables() {
        if (FBuilt)
            return;
        FBuilt = true;
        const std::vector<TObjectRecord>& old = FPrevious->Records;
        for (size_t i = 0; i < old.size(); ++i) {
            FRecords.insert(old[i].Hash, i);
            for (qsizetype k = 1; k < old[i].Parts.size(); k += 2)
                FPayloads.insert(old[i].Parts[k].size(), old[i].Parts[k]);
        }
    }

    const TDesignSnapshot* FPrevious;
    bool FBuilt = false;
    QMultiHash<size_t, size_t> FRecords;
    QMultiHash<qsizetype, QByteArray> FPayloads;
};

} // namespace

bool TObjectRecord::operator==(const TObjectRecord& other) const {
    if (Hash != other.Hash || Parts.size() != other.Parts.size())
        return false;
    for (qsizetype i = 0; i < Parts.size(); ++i)
        if (!SameBytes(Parts[i], other.Parts[i]))
            return false;
    return true;
}

bool TDesignSnapshot::SameDesign(const TDesignSnapshot& other) const {
    return Records == other.Records && Background.cacheKey() == other.Background.cacheKey() &&
           BackgroundName == other.BackgroundName;
}

QByteArray TDesignSnapshot::Bytes() const {
    QByteArray bytes(1, char(TValueType::List));
    for (const TObjectRecord& r : Records)
        for (const QByteArray& part : r.Parts)
            bytes += part;
    bytes += char(TValueType::Null);
    return bytes;
}

TDesignSnapshot TakeSnapshot(const TGBasePanel& panel, const TDesignSnapshot* previous) {
    TDesignSnapshot snapshot;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TObjectStreamWriter writer(buffer);
    TObjectRecord record;
    // Ends the part the buffer holds; the buffer keeps its room for the next one.
    auto cut = [&] {
        writer.Flush();
        QByteArray& bytes = buffer.buffer();
        record.Parts << QByteArray(bytes.constData(), bytes.size());
        bytes.resize(0);
        buffer.seek(0);
    };
    writer.SetPayloadSink(SharedPayloadBytes, [&](const QByteArray& payload) {
        cut();
        record.Parts << payload;
    });
    TSharing sharing(previous);
    const std::vector<TGGraphicControl*>& objects = panel.Objects();
    snapshot.Records.reserve(objects.size());
    for (size_t i = 0; i < objects.size(); ++i) {
        TGLabelObjectFiler::WriteObject(writer, *objects[i]);
        record.Name = objects[i]->Name();
        cut();
        record.Hash = RecordHash(record);
        snapshot.Records.push_back(sharing.Share(std::move(record), i));
        record = TObjectRecord();
    }
    snapshot.Background = panel.ColorPicture();
    return snapshot;
}

void RestoreObjects(TGBasePanel& panel, const TDesignSnapshot& current,
                    const TDesignSnapshot& target) {
    const std::vector<TGGraphicControl*> live = panel.Objects();
    Q_ASSERT(live.size() == current.Records.size());
    QMultiHash<size_t, size_t> unmatched;
    for (size_t i = 0; i < live.size(); ++i)
        unmatched.insert(current.Records[i].Hash, i);

    // Each target record takes a live object with the same record, or is read back.
    std::vector<TGGraphicControl*> order(target.Records.size(), nullptr);
    std::vector<bool> kept(live.size(), false);
    std::vector<size_t> readInto;
    QByteArray stream(1, char(TValueType::List));
    for (size_t j = 0; j < target.Records.size(); ++j) {
        const TObjectRecord& wanted = target.Records[j];
        auto it = unmatched.find(wanted.Hash);
        while (it != unmatched.end() && it.key() == wanted.Hash &&
               !(current.Records[*it] == wanted))
            ++it;
        if (it != unmatched.end() && it.key() == wanted.Hash) {
            order[j] = live[*it];
            kept[*it] = true;
            unmatched.erase(it);
            continue;
        }
        for (const QByteArray& part : wanted.Parts)
            stream += part;
        readInto.push_back(j);
    }
    stream += char(TValueType::Null);

    if (!readInto.empty()) {
        TGLabelObjectFiler filer(panel);
        std::vector<TGGraphicControl*> read;
        try {
            read = filer.ReadObjects(stream.constData(), stream.size());
        } catch (...) {
            // What was read before the failing record goes again; the design stays as it was.
            const std::vector<TGGraphicControl*> all = panel.Objects();
            for (TGGraphicControl* o : all)
                if (std::find(live.begin(), live.end(), o) == live.end())
                    panel.DeleteObject(o);
            throw;
        }
        // Reading names objects afresh; they take back the names their records hold.
        for (size_t k = 0; k < read.size(); ++k) {
            read[k]->SetName(target.Records[readInto[k]].Name);
            order[readInto[k]] = read[k];
        }
    }
    for (size_t i = 0; i < live.size(); ++i)
        if (!kept[i])
            panel.DeleteObject(live[i]);
    panel.SetStackingOrder(std::move(order));
}
