#pragma once

// Registers the clip-art object with the object stream and its tool with the card panel.
void RegisterClipArt();
