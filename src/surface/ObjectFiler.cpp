#include "surface/ObjectFiler.h"

#include "surface/BasePanel.h"
#include "surface/ClassRegistry.h"
#include "surface/GraphicControl.h"
#include "surface/Handle.h"
#include "surface/ObjectStreamReader.h"
#include "surface/ObjectStreamWriter.h"
#include "surface/PropertyStreaming.h"

#include <QBuffer>
#include <QSaveFile>

namespace {

// Far more than a card holds; a file claiming more is not a design.
constexpr size_t kMaxObjects = 10000;

bool isValidIdent(const QString& name) {
    if (name.isEmpty())
        return false;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
        const bool digit = c >= '0' && c <= '9';
        if (!letter && !(digit && i > 0))
            return false;
    }
    return true;
}

// Why a dotted name matched no property: an intermediate segment that names a plain
// property is a bad path; one that names nothing, or a last segment that names nothing,
// is a missing property.
[[noreturn]] void throwMissing(const TPropertyList& properties, const QString& name) {
    const QStringList segments = name.split('.');
    QString prefix;
    for (qsizetype i = 0; i + 1 < segments.size(); ++i) {
        prefix += (i ? QStringLiteral(".") : QString()) + segments[i];
        bool plain = false, object = false;
        for (const TPropertyInfo& p : properties) {
            plain = plain || p.Name.compare(prefix, Qt::CaseInsensitive) == 0;
            object = object || p.Name.startsWith(prefix + '.', Qt::CaseInsensitive);
        }
        if (plain)
            ThrowStreamError(StreamMessage::InvalidPath);
        if (!object)
            break;
    }
    ThrowStreamError(StreamMessage::PropertyMissing);
}

} // namespace

void TGLabelObjectFiler::WriteObject(TObjectStreamWriter& w, const TGGraphicControl& object) {
    w.WriteSignature();
    w.WriteStr(object.ClassName().toLatin1());
    w.WriteStr(object.Name().toLatin1());
    for (const TPropertyInfo& p : object.Properties()) {
        if (!p.Set || !p.IsStored(object))
            continue;
        w.WriteStr(p.Name.toLatin1());
        WritePropertyValue(w, p, p.Get(object));
    }
    w.WriteListEnd(); // properties
    w.WriteListEnd(); // children: design objects have none
}

void TGLabelObjectFiler::WriteObjects(QIODevice& device,
                                      const std::vector<TGGraphicControl*>& objects) {
    TObjectStreamWriter w(device);
    w.WriteListBegin();
    for (const TGGraphicControl* o : objects)
        WriteObject(w, *o);
    w.WriteListEnd();
    w.Flush();
}

void TGLabelObjectFiler::WriteFile(const QString& fileName,
                                   const std::vector<TGGraphicControl*>& objects) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw EStreamError(StreamMessage::CannotCreate(fileName));
    // The user is told which file could not be written and why (a full disk, a quota).
    try {
        WriteObjects(file, objects);
    } catch (const EStreamError&) {
        if (file.error() == QFileDevice::NoError)
            throw;
        throw EStreamError(StreamMessage::WriteFailed(fileName, file.errorString()));
    }
    // The last bytes are written out here, before the file takes the design's name: a write
    // that fails only while the file is being closed would otherwise go unseen, and a cut-off
    // file would replace the saved design.
    if (!file.flush()) {
        // A short write comes back without a reason; writing the rest meets it.
        file.flush();
        const QString reason = file.errorString();
        file.cancelWriting();
        throw EStreamError(StreamMessage::WriteFailed(fileName, reason));
    }
    if (!file.commit())
        throw EStreamError(StreamMessage::WriteFailed(fileName, file.errorString()));
}

void TGLabelObjectFiler::SaveDesign(const QString& fileName) {
    WriteFile(fileName, FPanel.Objects());
}

void TGLabelObjectFiler::SaveSelection(const QString& fileName) {
    const std::vector<TGGraphicControl*> selection = FPanel.Handle()->Selection();
    if (!selection.empty())
        WriteFile(fileName, selection);
}

void TGLabelObjectFiler::SaveObject(const TGGraphicControl& object, const QString& fileName) {
    WriteFile(fileName, {const_cast<TGGraphicControl*>(&object)});
}

void TGLabelObjectFiler::LoadDesign(const QString& fileName) {
    FPaste = false;
    ReadFile(fileName);
}

void TGLabelObjectFiler::PasteDesign(const QString& fileName) {
    FPaste = true;
    ReadFile(fileName);
}

TGGraphicControl* TGLabelObjectFiler::CopyObject(const TGGraphicControl& object) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    WriteObjects(buffer, {const_cast<TGGraphicControl*>(&object)});
    FPaste = false;
    const QByteArray& bytes = buffer.data();
    const std::vector<TGGraphicControl*> read = ReadObjects(bytes.constData(), bytes.size());
    return read.empty() ? nullptr : read.back();
}

void TGLabelObjectFiler::ReadFile(const QString& fileName) {
    if (const std::optional<QByteArray> bytes = ReadStreamFile(fileName))
        ReadObjects(bytes->constData(), bytes->size());
}

std::vector<TGGraphicControl*> TGLabelObjectFiler::ReadObjects(const char* data, qint64 size) {
    TObjectStreamReader reader(data, size);
    std::vector<TGGraphicControl*> read;
    FNextComponent = 0;
    FTakenNames.clear();
    for (const TGGraphicControl* o : FPanel.Objects())
        FTakenNames.insert(o->Name().toLower());
    try {
        reader.ReadListBegin();
        while (!reader.EndOfList()) {
            if (read.size() >= kMaxObjects)
                ThrowStreamError(StreamMessage::InvalidFormat);
            read.push_back(ReadObject(reader));
        }
        reader.ReadListEnd();
    } catch (...) {
        for (TGGraphicControl* o : read)
            o->SetReading(false);
        throw;
    }
    for (TGGraphicControl* o : read) {
        o->SetReading(false);
        o->Loaded();
    }
    FPanel.ShowAtPanelZoom(read);
    return read;
}

TGGraphicControl* TGLabelObjectFiler::ReadObject(TObjectStreamReader& reader) {
    reader.ReadSignature();
    reader.ReadPrefix();
    const QString className = reader.ReadStr();
    const QString storedName = reader.ReadStr();
    std::unique_ptr<TGGraphicControl> created = TClassRegistry::Create(className);
    if (!created)
        throw EStreamError(StreamMessage::ClassNotFound(className));
    created->SetReading(true);
    TGGraphicControl* object = FPanel.AddObject(std::move(created));
    try {
        GiveName(*object, storedName);
        FPropertyHint = 0;
        while (!reader.EndOfList())
            ReadProperty(reader, *object);
        reader.ReadListEnd();
        reader.ReadListEnd(); // design objects have no children
        if (FPaste) {
            object->SetTop(object->Top() + 15);
            object->SetLeft(object->Left() + 15);
        }
    } catch (...) {
        FPanel.DeleteObject(object);
        throw;
    }
    return object;
}

void TGLabelObjectFiler::GiveName(TGGraphicControl& object, const QString& storedName) {
    // Names are only added while reading, so the smallest free number never goes down.
    for (; FNextComponent <= 1000; ++FNextComponent) {
        const QString name = QStringLiteral("Component") + QString::number(FNextComponent);
        if (!FTakenNames.contains(name.toLower())) {
            object.SetName(name);
            FTakenNames.insert(name.toLower());
            return;
        }
    }
    if (storedName.isEmpty())
        return;
    if (!isValidIdent(storedName))
        throw EStreamError(StreamMessage::InvalidName(storedName));
    if (FTakenNames.contains(storedName.toLower()))
        throw EStreamError(StreamMessage::DuplicateName(storedName));
    object.SetName(storedName);
    FTakenNames.insert(storedName.toLower());
}

const TPropertyInfo* TGLabelObjectFiler::FindProperty(const TPropertyList& properties,
                                                      const QString& name) {
    const int count = int(properties.size());
    // Properties mostly come in list order, so the search starts after the last one found.
    for (int k = 0; k < count; ++k) {
        const int i = (FPropertyHint + k) % count;
        if (properties[i].Name.compare(name, Qt::CaseInsensitive) == 0) {
            FPropertyHint = i + 1;
            return &properties[i];
        }
    }
    return nullptr;
}

void TGLabelObjectFiler::ReadProperty(TObjectStreamReader& reader, TGGraphicControl& object) {
    const QString name = reader.ReadStr();
    const TPropertyList& properties = object.Properties();
    const TPropertyInfo* found = FindProperty(properties, name);
    // Our earlier version wrote a string list under its own name, without "Strings".
    if (!found) {
        const TPropertyInfo* list = FindProperty(properties, name + QStringLiteral(".Strings"));
        if (list && list->Type == TPropType::StringList)
            found = list;
    }
    if (!found)
        throwMissing(properties, name);
    if (!found->Set)
        ThrowStreamError(StreamMessage::ReadOnly);
    found->Set(object, ReadPropertyValue(reader, *found));
}
