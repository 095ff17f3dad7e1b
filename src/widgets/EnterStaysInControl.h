#pragma once

class QWidget;

// Enter or Return in the control does the control's own action (open a folder, take a font
// size) and nothing more: the key no longer goes on to press the window's default button.
void KeepEnterIn(QWidget* control);
