#pragma once

#include <QMainWindow>

class QScrollArea;
class TGBusinessCardPanel32;

// The program's one top-level window: tool bar, the card panel in its scroll box, and the
// bottom button bar.
class TMainScreen : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainScreen(QWidget* parent = nullptr);

    TGBusinessCardPanel32* BusinessCardPanel() const { return FPanel; }

private:
    QScrollArea* FScrollBox = nullptr;
    TGBusinessCardPanel32* FPanel = nullptr;
};
