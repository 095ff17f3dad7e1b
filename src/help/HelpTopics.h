#pragma once

#include <QList>
#include <QString>
#include <QUrl>

// The help pages compiled into the program and the page each context number opens.
struct THelpTopic {
    int Context;
    const char* Page; // file name under qrc:/help/
};

// Every context number the program opens, with its page.
const QList<THelpTopic>& HelpTopics();
// The page of a context number; the contents page for HelpContext::Contents and for a number
// no page answers.
QUrl HelpPageUrl(int context);
QUrl HelpContentsUrl();
// Every page, the contents page first.
QList<QUrl> HelpPageUrls();
// A page's HTML, empty when there is no such page.
QString HelpPageHtml(const QUrl& page);
