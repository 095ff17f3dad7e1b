#include "help/HelpSearch.h"

#include "help/HelpTopics.h"

#include <QRegularExpression>
#include <QTextDocument>

QString HelpPageTitle(const QString& html) {
    QTextDocument doc;
    doc.setHtml(html);
    return doc.metaInformation(QTextDocument::DocumentTitle);
}

QList<THelpHit> SearchHelp(const QString& query) {
    const QStringList words =
        query.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    QList<THelpHit> hits;
    if (words.isEmpty())
        return hits;
    // A couple of dozen short pages: reading them all on each search costs nothing noticeable.
    for (const QUrl& page : HelpPageUrls()) {
        QTextDocument doc;
        doc.setHtml(HelpPageHtml(page));
        const QString text = doc.toPlainText();
        const bool all = std::all_of(words.begin(), words.end(), [&](const QString& w) {
            return text.contains(w, Qt::CaseInsensitive);
        });
        if (all)
            hits << THelpHit{page, doc.metaInformation(QTextDocument::DocumentTitle)};
    }
    return hits;
}
