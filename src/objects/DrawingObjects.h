#pragma once

// Registers the shapes, lines, multi-line texts and symbols with the object stream and their
// drawing tools with the card panel. Safe to call more than once.
void RegisterDrawingObjects();
