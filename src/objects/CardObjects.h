#pragma once

// Registers the card object classes with the object stream and their drawing tools with
// the card panel. Run once at start, before any design is read.
void RegisterCardObjects();
