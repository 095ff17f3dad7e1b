#include "objects/MultiLineTextEditor.h"

#include "widgets/DialogButtonBar.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QVBoxLayout>

TMultiLineTextEditor::TMultiLineTextEditor(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Multi-line Text Editor"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    setFont(font);
    resize(342, 243);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    FMemo = new QPlainTextEdit(this);
    FMemo->setObjectName(QStringLiteral("Memo"));
    FMemo->setWhatsThis(QStringLiteral("Type the text here; Enter starts a new line."));
    FButtons = new TDialogButtonBar(*this, 40001);
    layout->addWidget(FMemo, 1);
    layout->addWidget(FButtons);
    connect(FMemo, &QPlainTextEdit::textChanged, this, [this] { LimitLength(); });
    FMemo->setFocus();
}

QStringList TMultiLineTextEditor::Lines() const {
    QString text = FMemo->toPlainText();
    if (text.isEmpty())
        return {};
    if (text.endsWith('\n'))
        text.chop(1);
    return text.split('\n');
}

void TMultiLineTextEditor::SetLines(const QStringList& lines) {
    FAccepted = lines.join('\n');
    FMemo->setPlainText(FAccepted);
}

void TMultiLineTextEditor::LimitLength() {
    const QString text = FMemo->toPlainText();
    // A text that came in longer may be shortened but not lengthened. What was typed or
    // pasted past the limit is cut off just before the cursor, where it went in.
    const int excess = int(text.size()) - qMax(MaxLength, int(FAccepted.size()));
    if (excess <= 0) {
        FAccepted = text;
        return;
    }
    const int position = qMax(0, FMemo->textCursor().position() - excess);
    FAccepted = text.left(position) + text.mid(position + excess);
    QSignalBlocker block(FMemo);
    FMemo->setPlainText(FAccepted);
    QTextCursor cursor = FMemo->textCursor();
    cursor.setPosition(position);
    FMemo->setTextCursor(cursor);
}
