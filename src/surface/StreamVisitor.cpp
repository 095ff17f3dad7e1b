#include "surface/StreamVisitor.h"

#include "surface/ObjectStreamReader.h"

namespace {

using TReader = TObjectStreamReader;

void visitProperties(TReader& reader, TStreamVisitor& visitor, int depth);

void visitValue(TReader& reader, TStreamVisitor& visitor, int depth) {
    if (depth > TReader::MaxDepth)
        ThrowStreamError(StreamMessage::InvalidValue);
    TStreamValue v;
    v.Type = reader.ReadValue();
    switch (v.Type) {
    case TValueType::Int8:
    case TValueType::Int16:
    case TValueType::Int32:
        v.Integer = reader.ReadIntegerPayload(v.Type);
        break;
    case TValueType::Extended:
        v.Float = reader.ReadFloatPayload();
        break;
    case TValueType::String:
    case TValueType::LString:
    case TValueType::WString:
    case TValueType::Utf8String:
        v.Text = reader.ReadStringPayload(v.Type);
        break;
    case TValueType::Ident:
        v.Text = reader.ReadStr();
        break;
    case TValueType::False:
    case TValueType::True:
    case TValueType::Nil:
        break;
    case TValueType::Binary:
        v.Data = reader.ReadBinaryPayload();
        break;
    case TValueType::Set:
        v.Names = reader.ReadSetPayload();
        break;
    case TValueType::List:
    case TValueType::Collection: {
        visitor.BeginList(v.Type);
        for (qint64 n = 0; !reader.EndOfList(); ++n) {
            if (n >= TReader::MaxItems)
                ThrowStreamError(StreamMessage::InvalidValue);
            if (v.Type == TValueType::List) {
                visitValue(reader, visitor, depth + 1);
            } else {
                reader.ReadListBegin();
                visitor.BeginItem();
                visitProperties(reader, visitor, depth + 1);
            }
        }
        reader.ReadListEnd();
        visitor.EndList();
        return;
    }
    default:
        ThrowStreamError(StreamMessage::InvalidValue);
    }
    visitor.Value(v);
}

// The properties up to and including their EndMarker, which ends the visitor's list.
void visitProperties(TReader& reader, TStreamVisitor& visitor, int depth) {
    for (qint64 n = 0; !reader.EndOfList(); ++n) {
        if (n >= TReader::MaxItems)
            ThrowStreamError(StreamMessage::InvalidValue);
        visitor.Property(reader.ReadStr());
        visitValue(reader, visitor, depth);
    }
    reader.ReadListEnd();
    visitor.EndList();
}

// Builds the stream's tree: each open list is the vector its items go into.
class TTreeBuilder : public TStreamVisitor {
public:
    std::vector<TStreamObject> Objects;

    void BeginObject(const QString& className, const QString& name) override {
        Objects.push_back({className, name, {}});
        FOpen.push_back({&Objects.back().Properties, nullptr, nullptr});
    }
    void Property(const QString& name) override { FOpen.back().Properties->push_back({name, {}}); }
    void Value(const TStreamValue& value) override { Place() = value; }
    void BeginList(TValueType type) override {
        TStreamValue& v = Place();
        v.Type = type;
        FOpen.push_back({nullptr, &v.Items, &v.CollectionItems});
    }
    void BeginItem() override {
        FOpen.back().Collection->emplace_back();
        FOpen.push_back({&FOpen.back().Collection->back(), nullptr, nullptr});
    }
    void EndList() override { FOpen.pop_back(); }

private:
    // One of the three, by what is open: a record's or item's properties, a list, a
    // collection. A list or collection is only ever extended while it is the innermost,
    // so the pointers stay good.
    struct TOpen {
        std::vector<TStreamProperty>* Properties;
        std::vector<TStreamValue>* Items;
        std::vector<std::vector<TStreamProperty>>* Collection;
    };

    // Where the next value goes: the last property's value, or a new list item.
    TStreamValue& Place() {
        TOpen& open = FOpen.back();
        if (open.Properties)
            return open.Properties->back().Value;
        return open.Items->emplace_back();
    }

    std::vector<TOpen> FOpen;
};

} // namespace

void VisitStreamObjects(const char* data, qint64 size, TStreamVisitor& visitor) {
    TReader reader(data, size);
    reader.ReadListBegin();
    while (!reader.EndOfList()) {
        reader.ReadSignature();
        reader.ReadPrefix();
        const QString className = reader.ReadStr();
        const QString name = reader.ReadStr();
        visitor.BeginObject(className, name);
        visitProperties(reader, visitor, 0);
        // Design objects have no children.
        reader.ReadListEnd();
    }
    reader.ReadListEnd();
}

std::vector<TStreamObject> ReadStreamObjects(const char* data, qint64 size) {
    TTreeBuilder tree;
    VisitStreamObjects(data, size, tree);
    return std::move(tree.Objects);
}
