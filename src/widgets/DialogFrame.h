#pragma once

#include <QFont>

class QWidget;

// Centres a window over the main window: left = main.left + (main.width - width) div 2, and
// likewise top; over the screen when there is no main window or it is maximised.
void CenterOverMainWindow(QWidget& window, const QWidget* mainWindow);

// The font the program's dialogs use: Arial 11 pixels high.
QFont DialogFont();
