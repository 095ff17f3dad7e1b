#pragma once

#include <functional>

// Opens the help window at a context number's page (help/HelpContexts.h). The program
// installs the viewer at start-up (InstallHelpViewer); until then, and in tests that do not
// install it, a request only records the number.
void RequestHelp(int context);
void SetHelpHandler(std::function<void(int context)> handler);
// The context of the last request, for tests.
int LastHelpRequest();
