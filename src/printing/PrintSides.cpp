#include "printing/PrintSides.h"

QString SidesCaption(TPrintSides sides) {
    switch (sides) {
    case TPrintSides::Back:
        return QStringLiteral("Back");
    case TPrintSides::Both:
        return QStringLiteral("Both sides");
    case TPrintSides::Front:
        break;
    }
    return QStringLiteral("Front");
}

TInchRect BackOfCard(const TInchRect& front, QSizeF sheet, TFlipEdge flip, int backLeftNudge,
                     int backTopNudge) {
    TInchRect back = front;
    if (flip == TFlipEdge::Long) {
        back.Left = sheet.width() - front.Right;
        back.Right = sheet.width() - front.Left;
    } else {
        back.Top = sheet.height() - front.Bottom;
        back.Bottom = sheet.height() - front.Top;
    }
    const double dx = backLeftNudge / 32.0, dy = backTopNudge / 32.0;
    return {back.Left + dx, back.Top + dy, back.Right + dx, back.Bottom + dy};
}
