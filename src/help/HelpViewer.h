#pragma once

class THelpWindow;

// Makes RequestHelp open the help window at the context's page (the contents page for
// HelpContext::Contents). The program does this once at start-up.
void InstallHelpViewer();
// Opens the help window at a context number's page.
void ShowHelpTopic(int context);
// The help window, once help has been shown; otherwise nullptr.
THelpWindow* HelpViewerWindow();
