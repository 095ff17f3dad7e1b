#pragma once

#include "printing/PrintSides.h"

#include <QString>

class TGBasePanel;
struct TPrintRunSettings;

// How a print shop wants the cards: the bleed each side of the card, in inches, whether
// crop marks stand at the trim outside it, and which sides of each card.
struct TPrintShopOptions {
    double Bleed = 0.125;
    bool CropMarks = false;
    TPrintSides Sides = TPrintSides::Front;
};

// Room beyond the bleed for the crop marks, inches.
constexpr double CropMarkRoom = 0.375;
// The largest bleed accepted, inches.
constexpr double MaxBleed = 1.0;

// Writes the design into a PDF file for a print shop: one card side per page, each page the
// card plus the bleed on every side plus the room for crop marks. The cards are one per
// record of the settings' merge list, else one; the options' sides give each card's front,
// its back (from the settings' back panel), or its front and then its back. The card's edge
// colours continue into the bleed, so that the background art and objects that touch an edge
// leave no white edge after cutting. Every page has its TrimBox (the card) and BleedBox. The
// panels must be at 100 %. On failure returns false and says why.
bool ExportForPrintShop(TGBasePanel& panel, const TPrintRunSettings& settings,
                        const TPrintShopOptions& options, const QString& file, QString* error);
