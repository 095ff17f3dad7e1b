#pragma once

#include "surface/ObjectStream.h"

#include <vector>

// Takes the values of a whole stream in order as they are read, so that a tool can go
// through a stream of any size without holding it. A record is BeginObject, its properties
// (each Property, then its value), EndList. A value that holds others is BeginList, its
// items, EndList: the items of a list are values, those of a collection are BeginItem, the
// item's properties, EndList.
class TStreamVisitor {
public:
    virtual ~TStreamVisitor() = default;
    virtual void BeginObject(const QString& className, const QString& name) = 0;
    virtual void Property(const QString& name) = 0;
    virtual void Value(const TStreamValue& value) = 0; // a value that holds no others
    virtual void BeginList(TValueType type) = 0;       // List or Collection
    virtual void BeginItem() = 0;
    virtual void EndList() = 0;
};

// Reads a whole stream (ListStart, records, EndMarker) without creating objects, giving each
// value to the visitor; an EStreamError when the bytes are no stream.
void VisitStreamObjects(const char* data, qint64 size, TStreamVisitor& visitor);

// The same stream held whole.
std::vector<TStreamObject> ReadStreamObjects(const char* data, qint64 size);
