#pragma once

// Registers the barcode class with the object stream and its drawing tool with the card panel.
void RegisterBarcode();
