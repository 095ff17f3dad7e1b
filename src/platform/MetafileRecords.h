#pragma once

#include "platform/LittleEndianBytes.h"

#include <QByteArray>

class TMetafilePlayer;

// The record loops of the two metafile kinds: each record is bounds-checked against the
// bytes and handed to the player; unknown records are skipped.
void PlayWmfRecords(const TLittleEndianBytes& bytes, qsizetype first, TMetafilePlayer& player);
void PlayEmfRecords(const TLittleEndianBytes& bytes, TMetafilePlayer& player);
// What the EMF+ records in an enhanced metafile's comments have said so far.
struct TEmfPlusState {
    bool Followable = true; // false once they have moved or clipped their drawing
};
// The EMF+ records one comment holds.
void PlayEmfPlusRecords(const TLittleEndianBytes& records, TEmfPlusState& state,
                        TMetafilePlayer& player);
// The enhanced metafile a Windows metafile may carry in its comment records, in pieces
// that drawing programs add because the plain records cannot say everything the picture
// holds; empty when there is none or its pieces do not add up.
QByteArray EmbeddedEnhancedMetafile(const TLittleEndianBytes& bytes, qsizetype first);
