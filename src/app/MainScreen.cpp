#include "app/MainScreen.h"

#include "surface/BusinessCardPanel.h"

#include <QScrollArea>

TMainScreen::TMainScreen(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Pentavo"));
    FScrollBox = new QScrollArea(this);
    auto* area = new QWidget;
    FPanel = new TGBusinessCardPanel32(area);
    FPanel->setGeometry(10, 8, 336, 192);
    FPanel->SetDrawOutline(true);
    FPanel->SetShape(lsRectangle);
    area->resize(356, 210);
    FScrollBox->setWidget(area);
    setCentralWidget(FScrollBox);
    resize(622, 404);
}
