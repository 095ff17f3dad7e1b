#pragma once

#include <QImage>
#include <QSizeF>

class TGBasePanel;
class TLabelPrintRun;
struct TPrintRunSettings;

// The card as it prints, drawn at `dpi` dots per inch into a picture of the layout's card
// size: white card, background art, the design's objects, with the record the panel shows.
// The panel must be at 100 %; the settings give the layout and the background art.
QImage RenderCardPicture(TGBasePanel& panel, const TPrintRunSettings& settings, double dpi);

// The same with a run whose art is loaded, while its panels are printing; the back side when
// `back`.
QImage DrawCardPicture(TLabelPrintRun& run, const QSizeF& cardInches, double dpi,
                       bool back = false);

// The resolutions a picture of a card may have, dots per inch.
constexpr int MinPictureDpi = 10;
constexpr int MaxPictureDpi = 1200;

// Whole pixels of a length in inches at `dpi`, at least one.
int PicturePixels(double inches, double dpi);
