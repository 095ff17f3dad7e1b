#pragma once

#include <QString>

class QFontMetrics;

// Which part of a line too wide for its box shows: the start of left-aligned text, the end
// of right-aligned text, the middle of centred text.
enum class TShownEnd { Start, End, Middle };

// The part of a one-line text that a box room pixels wide can show, so that a text far
// longer than its box is measured and shaped only as far as it shows. Short texts and texts
// that fit come back whole; otherwise a run of whole characters from the given part that is
// wider than the room (what lies beyond it is clipped away anyway). Found by doubling the
// run, so the cost follows the room, not the text.
QString ShownPart(const QFontMetrics& metrics, const QString& text, int room,
                  TShownEnd end = TShownEnd::Start);
