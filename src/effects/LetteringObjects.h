#pragma once

// Registers the lettering object with the object stream and its tool with the card panel.
void RegisterLetteringObjects();
