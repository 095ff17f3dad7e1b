#include "richtext/WPRichEdit.h"

#include "richtext/RtfUnits.h"

TWPRichEdit::TWPRichEdit(QWidget* parent) : QTextEdit(parent) {
    setLineWrapMode(QTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(false);
    setFrameShape(QFrame::NoFrame);
    QPalette p = palette();
    p.setColor(QPalette::Base, Qt::transparent);
    p.setColor(QPalette::Text, Qt::black);
    setPalette(p);
    viewport()->setAutoFillBackground(false);
    QFont font(QString::fromLatin1(RtfDefaultFontName));
    font.setPixelSize(13);
    document()->setDefaultFont(font);
}
