#include "merge/DocumentMergeFields.h"

#include <QRegularExpression>
#include <QTextCursor>
#include <QTextDocument>

void FillMergeFields(QTextDocument& document, const TMergeRecord& record) {
    if (record.IsEmpty())
        return;
    // The same fields the plain-text substitution finds: "${" up to the first "}".
    static const QRegularExpression field(QStringLiteral("\\$\\{[^}]*\\}"));
    QTextCursor found = document.find(field);
    while (!found.isNull()) {
        QTextCursor dollar(&document);
        dollar.setPosition(found.selectionStart() + 1); // the format before the position
        found.insertText(SubstituteMergeFields(found.selectedText(), record), dollar.charFormat());
        found = document.find(field, found);
    }
}
