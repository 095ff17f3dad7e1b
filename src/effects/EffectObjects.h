#pragma once

// Registers the special-effects objects with the object stream and their drawing tools
// with the card panel. Run once at start, before any design is read.
void RegisterEffectObjects();
