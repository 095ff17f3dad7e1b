#pragma once

#include <QString>

#include <functional>

// What a fuzz target's replay program can do besides replaying: write seed inputs into a
// folder (`--make-seeds DIR`). A target that has seeds sets it from a static initialiser.
std::function<void(const QString& folder)>& FuzzSeedMaker();
