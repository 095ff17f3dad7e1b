#pragma once

#include "report/ReportCanvas.h"

#include <QSizeF>
#include <QString>

// Which sides of the cards a run prints.
enum class TPrintSides { Front = 0, Back = 1, Both = 2 };
// How the sheet is turned over for its back: on its long edge (a portrait sheet's columns
// come out mirrored) or on its short edge (its rows come out mirrored).
enum class TFlipEdge { Long = 0, Short = 1 };

// The sides chosen in the print window, kept in the settings file.
struct TSidesChoice {
    TPrintSides Sides = TPrintSides::Front;
    TFlipEdge Flip = TFlipEdge::Long;
    // Both sides on a printer that prints one: every front first, then, once the user has
    // turned the stack over, every back.
    bool ManualDuplex = false;
    bool operator==(const TSidesChoice&) const = default;
};

// "Front", "Back", "Both sides".
QString SidesCaption(TPrintSides sides);

// Where the back of the card whose front prints at `front` goes on the back of a sheet of
// `sheet` inches: the box mirrored across the sheet's centre line that the flip turns it
// over, then moved by the back nudges (1/32 inch, right and down on the back as printed).
TInchRect BackOfCard(const TInchRect& front, QSizeF sheet, TFlipEdge flip, int backLeftNudge,
                     int backTopNudge);
