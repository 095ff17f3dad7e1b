#pragma once

#include "printing/PrintSides.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QToolButton;
class QPushButton;
class TPagePreview;
struct TPageStream;

// The preview window: the pages of a preview run at 130 % at first, zoomed by buttons and
// clicks (left: in, other buttons: out), closed with Ok or Escape.
class TPreviewForm : public QDialog {
    Q_OBJECT
public:
    explicit TPreviewForm(const TPageStream& stream, QWidget* parent = nullptr);

    // Window placement kept between runs (the settings file's business).
    std::function<void(QWidget&)> RestorePlacement;
    std::function<void(QWidget&)> SavePlacement;

    TPagePreview* FilePreview1;
    QPushButton* CloseButton;
    QToolButton* sbZoomIn;
    QToolButton* sbZoomOut;
    QToolButton* sbZoomPageWidth;
    QToolButton* sbZoomPage;

    // Offers "Front", "Back" and "Both sides", with `shown` chosen. Choosing another side
    // closes the window, so that its caller previews that side instead.
    void OfferSides(TPrintSides shown);
    TPrintSides ChosenSides() const { return FChosenSides; }
    QComboBox* SidesBox;

    // The first showing's work (also callable directly).
    void FormActivate();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void PageChanged();
    bool FFirstActivation = true;
    TPrintSides FChosenSides = TPrintSides::Front;
};

// The magnifying-glass cursor of the preview, drawn by the program.
QCursor MagnifierCursor();
