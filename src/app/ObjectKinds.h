#pragma once

// Registers every kind of design object the program knows with the object stream and its
// drawing tool with the card panel. Run once at start, before a design is read.
void RegisterObjectKinds();
