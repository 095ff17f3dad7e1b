#pragma once

#include <QList>
#include <QString>
#include <QUrl>

// Finds the help pages that contain every word of a query, ignoring case.
struct THelpHit {
    QUrl Page;
    QString Title;
};

QList<THelpHit> SearchHelp(const QString& query);
// A page's title (its <title>), for lists of pages.
QString HelpPageTitle(const QString& html);
