#pragma once

#include "printing/PrintSides.h"

class TReportCanvas;

// The marks of the alignment sheet, which shows how far a printer shifts the backs of a
// sheet. On the front, at every card position, the card's outline with two fine scales in
// 1/32 inch, one across and one down; on the back, where each card's back prints, a cross
// whose lines run over the scales. Held against the light, the number at which each line
// crosses its scale is the back nudge to type in.

// Half the length of a scale, in 1/32 inch.
constexpr int AlignmentScaleSteps = 8;

// The number printed at tick `tick` of a scale (1/32 inch right of, or below, the card's
// centre as seen on the front): the back nudge that brings a line crossing there to the
// centre, given the nudge it was printed with and the edge the sheet turns on.
int AlignmentLabel(bool across, int tick, int printedNudge, TFlipEdge flip);

// Where the scales run on the front of the card in `card`: the scale across at height
// ScaleAcrossY, the scale down at ScaleDownX, both with their zero at the card's centre.
double ScaleAcrossY(const TInchRect& card);
double ScaleDownX(const TInchRect& card);

// A front's marks: outline, "Front N", both scales labelled for the back nudges printed.
void PrintAlignmentFront(TReportCanvas& canvas, const TInchRect& card, int position,
                         int backLeftNudge, int backTopNudge, TFlipEdge flip);
// A back's marks: outline, "Back N", and the cross through the back's centre.
void PrintAlignmentBack(TReportCanvas& canvas, const TInchRect& card, int position);
