#pragma once

#include "surface/PropertyInfo.h"

class TObjectStreamReader;
class TObjectStreamWriter;

// The encoding of one published property's value by its type; the one place where property
// types meet stream tags.
void WritePropertyValue(TObjectStreamWriter& writer, const TPropertyInfo& property,
                        const QVariant& value);
// Reads a value the property accepts; anything else is "Invalid property value".
QVariant ReadPropertyValue(TObjectStreamReader& reader, const TPropertyInfo& property);
