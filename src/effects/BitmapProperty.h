#pragma once

#include "platform/BitmapData.h"
#include "platform/PictureFile.h"
#include "surface/ObjectStream.h"
#include "surface/PropertyInfo.h"

// A bitmap property as design files store it: "<name>.Data", written only when the bitmap
// holds a picture. Stored bytes that hold no readable bitmap fail the read with the
// stream's own message.
template <class C>
TPropertyInfo BitmapProperty(const QString& name, const TBitmap& (C::*get)() const,
                             void (C::*set)(const TBitmap&)) {
    return Published<C>(
        name + QStringLiteral(".Data"), TPropType::Binary,
        [get](const C& o) {
            const TBitmap& b = (o.*get)();
            return b.Empty() ? QByteArray() : b.Data();
        },
        [set](C& o, const QVariant& v) {
            const QByteArray bytes = v.toByteArray();
            try {
                (o.*set)(bytes.isEmpty() ? TBitmap() : TBitmap::FromData(bytes));
            } catch (const EPictureError&) {
                throw EStreamError(StreamMessage::InvalidValue);
            }
        });
}
