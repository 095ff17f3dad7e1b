#include "objects/RichTextLabelEditor.h"

#include "help/HelpContexts.h"
#include "richtext/WPRichEdit.h"
#include "richtext/WPRtfStorage.h"
#include "richtext/WPToolBar.h"
#include "widgets/DialogButtonBar.h"
#include "widgets/DialogFrame.h"

#include <QFrame>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {
constexpr QPoint panelOrigin(8, 7);
} // namespace

TRichTextLabelEditor::TRichTextLabelEditor(QWidget* mainWindow) : QDialog(mainWindow) {
    setWindowTitle(QStringLiteral("Rich Text Editor"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFont(DialogFont());
    setFixedSize(592, 343);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    WPToolBar1 = new TWPToolBar(this);
    WPToolBar1->setWhatsThis(QStringLiteral("Change fonts and attributes with this toolbar"));
    layout->addWidget(WPToolBar1);

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    FScrollContent = new QWidget;
    WPPanel = new QFrame(FScrollContent);
    WPPanel->setFrameShape(QFrame::Box);
    WPPanel->setLineWidth(1);
    WPPanel->setAutoFillBackground(true);
    SetPanelColor(clWhite);
    WPPanel->move(panelOrigin);
    WPPanel->hide();
    auto* panelLayout = new QVBoxLayout(WPPanel);
    panelLayout->setContentsMargins(1, 1, 1, 1);
    WPRichText1 = new TWPRichEdit(WPPanel);
    WPRichText1->setWhatsThis(QStringLiteral("Enter your rich text here"));
    panelLayout->addWidget(WPRichText1);
    ScrollBox1->setWidget(FScrollContent);
    layout->addWidget(ScrollBox1, 1);

    Buttons = new TDialogButtonBar(*this, HelpContext::RichText);
    layout->addWidget(Buttons);
    WPToolBar1->SetEditor(WPRichText1);
    SetEditingSize(190 + 25, 33 + 25);
    CenterOverMainWindow(*this, mainWindow);
}

bool TRichTextLabelEditor::Load(const TWPRtfStorage& text) {
    const TRtfReadResult result = text.ReadInto(*WPRichText1->document());
    WPRichText1->document()->setModified(false);
    WPRichText1->moveCursor(QTextCursor::Start);
    return result.Complete;
}

const QTextDocument& TRichTextLabelEditor::Document() const {
    return *WPRichText1->document();
}

bool TRichTextLabelEditor::Modified() const {
    return WPRichText1->document()->isModified();
}

void TRichTextLabelEditor::SetPanelColor(TColor color) {
    QPalette p = WPPanel->palette();
    p.setColor(QPalette::Window, ToQColor(color));
    WPPanel->setPalette(p);
}

void TRichTextLabelEditor::SetEditingSize(int width, int height) {
    WPPanel->resize(width, height);
    FScrollContent->resize(panelOrigin.x() + width + panelOrigin.x(),
                           panelOrigin.y() + height + panelOrigin.y());
}

void TRichTextLabelEditor::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    WPPanel->show();
    WPRichText1->setFocus();
}
