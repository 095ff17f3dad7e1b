#pragma once

#include "surface/ObjectStream.h"

#include <QByteArray>

#include <vector>

// The objects of a stream as JSON:
// {"objects":[{"class":C,"name":N,"properties":[{"name":..,"type":..,"value":..},...]}]}
QByteArray StreamObjectsToJson(const std::vector<TStreamObject>& objects);
