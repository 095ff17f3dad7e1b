#include "printing/PreviewForm.h"

#include "help/HelpContexts.h"
#include "platform/HelpRequest.h"
#include "report/PagePreview.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QWhatsThis>

QCursor MagnifierCursor() {
    QPixmap glass(32, 32);
    glass.fill(Qt::transparent);
    QPainter p(&glass);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 4));
    p.drawEllipse(QPointF(12, 12), 8, 8);
    p.drawLine(QPointF(18, 18), QPointF(28, 28));
    p.setPen(QPen(Qt::black, 2));
    p.drawEllipse(QPointF(12, 12), 8, 8);
    p.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(18, 18), QPointF(27, 27));
    p.setPen(QPen(Qt::black, 1.5));
    p.drawLine(QPointF(8, 12), QPointF(16, 12));
    p.drawLine(QPointF(12, 8), QPointF(12, 16));
    p.end();
    return QCursor(glass, 12, 12);
}

TPreviewForm::TPreviewForm(const TPageStream& stream, QWidget* parent) : QDialog(parent) {
    setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint);
    resize(608, 424);
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    FilePreview1 = new TPagePreview;
    FilePreview1->SetStream(&stream);
    FilePreview1->setCursor(MagnifierCursor());
    // Its right-click zooms out; the text is for "What's this?" mode.
    FilePreview1->setContextMenuPolicy(Qt::PreventContextMenu);
    FilePreview1->setWhatsThis(QStringLiteral("The sheet as it will print. Click to zoom in, "
                                              "right-click to zoom out."));
    box->addWidget(FilePreview1, 1);

    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(8, 6, 8, 6);
    CloseButton = new QPushButton(QStringLiteral("Ok"));
    CloseButton->setDefault(true);
    CloseButton->setWhatsThis(QStringLiteral("Closes the preview."));
    auto tool = [bar](const QString& text, const QString& tip, const QString& help) {
        auto* b = new QToolButton;
        b->setText(text);
        b->setToolTip(tip);
        b->setWhatsThis(help);
        bar->addWidget(b);
        return b;
    };
    bar->addWidget(CloseButton);
    sbZoomIn = tool(QStringLiteral("+"), QStringLiteral("Zoom in"),
                    QStringLiteral("Shows the page larger. A click on the page does the same."));
    sbZoomOut = tool(QStringLiteral("\u2212"), QStringLiteral("Zoom out"),
                     QStringLiteral("Shows the page smaller. A right-click on the page does the "
                                    "same."));
    sbZoomPageWidth = tool(QStringLiteral("\u2194"), QStringLiteral("Page width"),
                           QStringLiteral("Fits the width of the page into the window."));
    sbZoomPage = tool(QStringLiteral("\u25a1"), QStringLiteral("Whole page"),
                      QStringLiteral("Shows the whole page in the window."));
    SidesBox = new QComboBox;
    for (TPrintSides sides : {TPrintSides::Front, TPrintSides::Back, TPrintSides::Both})
        SidesBox->addItem(SidesCaption(sides), int(sides));
    SidesBox->setWhatsThis(QStringLiteral("Which sides of the cards the preview shows: the "
                                          "fronts, the backs, or each sheet's fronts followed "
                                          "by its backs."));
    SidesBox->hide();
    bar->addWidget(SidesBox);
    bar->addStretch();
    auto* help = new QPushButton(QStringLiteral("Help"));
    help->setWhatsThis(QStringLiteral("Opens help for the preview window."));
    help->setShortcut(QKeySequence(Qt::Key_F1));
    connect(help, &QPushButton::clicked, this, [] { RequestHelp(HelpContext::PreviewWindow); });
    bar->addWidget(help);
    auto* mouseHelp = new QToolButton;
    mouseHelp->setText(QStringLiteral("?"));
    mouseHelp->setToolTip(QStringLiteral("What's this?"));
    mouseHelp->setWhatsThis(
        QStringLiteral("Click here, then on any control, to learn what it does."));
    connect(mouseHelp, &QToolButton::clicked, this, [] { QWhatsThis::enterWhatsThisMode(); });
    bar->addWidget(mouseHelp);
    box->addLayout(bar);

    connect(CloseButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(sbZoomIn, &QToolButton::clicked, FilePreview1, &TPagePreview::ZoomIn);
    connect(sbZoomOut, &QToolButton::clicked, FilePreview1, &TPagePreview::ZoomOut);
    connect(sbZoomPageWidth, &QToolButton::clicked, this,
            [this] { FilePreview1->SetZoomFactor(FilePreview1->PageWidthZoom()); });
    connect(sbZoomPage, &QToolButton::clicked, this,
            [this] { FilePreview1->SetZoomFactor(FilePreview1->WholePageZoom()); });
    connect(FilePreview1, &TPagePreview::MouseDown, this, [this](Qt::MouseButton b) {
        if (b == Qt::LeftButton)
            FilePreview1->ZoomIn();
        else
            FilePreview1->ZoomOut();
    });
    connect(FilePreview1, &TPagePreview::ZoomChange, FilePreview1, &TPagePreview::RedrawPage);
    connect(FilePreview1, &TPagePreview::PageChange, this, &TPreviewForm::PageChanged);
}

void TPreviewForm::OfferSides(TPrintSides shown) {
    FChosenSides = shown;
    SidesBox->setCurrentIndex(SidesBox->findData(int(shown)));
    SidesBox->show();
    connect(SidesBox, &QComboBox::currentIndexChanged, this, [this] {
        FChosenSides = TPrintSides(SidesBox->currentData().toInt());
        accept();
    });
}

void TPreviewForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void TPreviewForm::FormActivate() {
    if (!FFirstActivation)
        return;
    if (RestorePlacement)
        RestorePlacement(*this);
    FilePreview1->StartPreview();
    FilePreview1->SetZoomFactor(130);
    FilePreview1->setFocus();
    FFirstActivation = false;
}

void TPreviewForm::PageChanged() {
    setWindowTitle(QStringLiteral("Preview Page %1 of %2")
                       .arg(FilePreview1->CurrentPage() - FilePreview1->FirstPage() + 1)
                       .arg(FilePreview1->PageCount()));
}

void TPreviewForm::done(int result) {
    if (SavePlacement)
        SavePlacement(*this);
    if (FilePreview1->Active())
        FilePreview1->FinishPreview();
    QDialog::done(result);
}
