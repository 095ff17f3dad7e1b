#pragma once

#include <functional>

// Opens the help file at a context number. The main window installs the viewer; until then
// (and in tests) a request only records the number.
void RequestHelp(int context);
void SetHelpHandler(std::function<void(int context)> handler);
// The context of the last request, for tests.
int LastHelpRequest();
