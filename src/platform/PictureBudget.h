#pragma once

#include <QSize>

// The decoded pixels that pictures hold, counted across every picture in memory (the design
// on the card, its undo steps, the pickers' previews). A picture asks before it decodes;
// past the budget it is given a reduced size to decode at, never a refusal, so a design
// with many large pictures still draws all of them, some from reduced copies.
namespace PictureBudget {

// The whole budget in pixels: about 128 MB of 32-bit pixels.
constexpr qint64 DefaultPixels = 32ll * 1024 * 1024;
// However full the budget, a picture may still hold this many pixels.
constexpr qint64 LeastPixels = 256 * 256;

// The size a picture may decode at when it wants `wanted` and already holds `held` pixels
// (which it gives up for the new ones): `wanted` itself, or the largest size of its shape
// that fits what is left.
QSize Grant(const QSize& wanted, qint64 held);
// Counts pixels a picture now holds, or gave up.
void Hold(qint64 pixels);
void Release(qint64 pixels);
qint64 Held();

// Replaces the budget (tests use a small one); returns the previous one.
qint64 SetLimit(qint64 pixels);

} // namespace PictureBudget
