#pragma once

#include "platform/LittleEndianBytes.h"

class TMetafilePlayer;

// The record loops of the two metafile kinds: each record is bounds-checked against the
// bytes and handed to the player; unknown records are skipped.
void PlayWmfRecords(const TLittleEndianBytes& bytes, qsizetype first, TMetafilePlayer& player);
void PlayEmfRecords(const TLittleEndianBytes& bytes, TMetafilePlayer& player);
