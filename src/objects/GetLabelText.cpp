#include "objects/GetLabelText.h"

#include "help/HelpContexts.h"
#include "widgets/DialogButtonBar.h"
#include "widgets/DialogFrame.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TGetLabelText::TGetLabelText(QWidget* mainWindow) : QDialog(mainWindow) {
    setWindowTitle(QStringLiteral("Text"));
    // A sizable frame with a title but no title-bar buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFont(DialogFont());
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    FControls = new QVBoxLayout;
    FControls->setContentsMargins(16, 10, 16, 0);
    outer->addLayout(FControls);
    Label1 = new QLabel(QStringLiteral("Enter Text"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    LabelText = new QLineEdit(this);
    LabelText->setObjectName(QStringLiteral("LabelText"));
    LabelText->setFixedWidth(321);
    LabelText->setWhatsThis(QStringLiteral("Enter the text you wish displayed here"));
    AddControl(Label1);
    AddControl(LabelText);
    outer->addStretch();
    Buttons = new TDialogButtonBar(*this, HelpContext::TextCaption);
    outer->addWidget(Buttons);
    Finish(mainWindow, QSize(356, 133));
}

void TGetLabelText::AddControl(QWidget* control) {
    FControls->addWidget(control);
}

void TGetLabelText::Finish(QWidget* mainWindow, const QSize& size) {
    resize(size);
    CenterOverMainWindow(*this, mainWindow);
    LabelText->setFocus();
}
