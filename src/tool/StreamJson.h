#pragma once

#include "surface/StreamVisitor.h"

#include <cstdio>

// Writes the objects of a stream to out as JSON, as they are read:
// {"objects":[{"class":C,"name":N,"properties":[{"name":..,"type":..,"value":..},...]}]}
// The stream is checked whole first, so bytes that are no stream give the EStreamError and
// write nothing.
void WriteStreamJson(const char* data, qint64 size, std::FILE* out);
