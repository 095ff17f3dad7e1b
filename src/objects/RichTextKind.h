#pragma once

// Registers the rich text object with the object stream and its tool with the card panel.
void RegisterRichText();
