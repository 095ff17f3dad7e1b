#include "help/HelpTopics.h"

#include "help/HelpContexts.h"

#include <QDir>
#include <QFile>

// The pages live in this static library; the linker keeps them only when asked to.
static void initHelpResources() {
    Q_INIT_RESOURCE(HelpPages);
}

namespace {

const QString PageFolder = QStringLiteral(":/help/");

QUrl pageUrl(const QString& file) {
    return QUrl(QStringLiteral("qrc:/help/") + file);
}

void initResources() {
    static const bool done = (initHelpResources(), true);
    (void)done;
}

} // namespace

const QList<THelpTopic>& HelpTopics() {
    static const QList<THelpTopic> topics = {
        {HelpContext::MainWindow, "main-window.html"},
        {HelpContext::ChooseCards, "choose-cards.html"},
        {HelpContext::PreviewWindow, "preview.html"},
        {HelpContext::BackgroundArt, "background-art.html"},
        {HelpContext::PersonalInformation, "personal-information.html"},
        {HelpContext::FineTuning, "fine-tuning.html"},
        {HelpContext::BottomMarginWarning, "bottom-margin.html"},
        {HelpContext::PrintShop, "printing.html"},
        {HelpContext::SheetLayout, "card-layout.html"},
        {HelpContext::MergeList, "merge-list.html"},
        {HelpContext::MultiLineText, "multi-line-text.html"},
        {HelpContext::ImageBrowser, "clip-art.html"},
        {HelpContext::TextCaption, "text.html"},
        {HelpContext::SymbolSelector, "symbol.html"},
        {HelpContext::Text3DEffects, "text-3d-effects.html"},
        {HelpContext::RirizIzaduProperties, "ririzizadu.html"},
        {HelpContext::LoadTextureBitmap, "texture-browser.html"},
        {HelpContext::RichText, "rich-text.html"},
        {HelpContext::DiduzOvozProperties, "diduzovoz.html"},
        {HelpContext::BarcodeProperties, "barcode.html"},
    };
    return topics;
}

QUrl HelpContentsUrl() {
    return pageUrl(QStringLiteral("index.html"));
}

QUrl HelpPageUrl(int context) {
    for (const THelpTopic& topic : HelpTopics())
        if (topic.Context == context)
            return pageUrl(QString::fromLatin1(topic.Page));
    return HelpContentsUrl();
}

QList<QUrl> HelpPageUrls() {
    initResources();
    QList<QUrl> pages{HelpContentsUrl()};
    for (const QString& file : QDir(PageFolder).entryList({QStringLiteral("*.html")}, QDir::Files))
        if (pageUrl(file) != pages.first())
            pages << pageUrl(file);
    return pages;
}

QString HelpPageHtml(const QUrl& page) {
    initResources();
    if (page.scheme() != QLatin1String("qrc"))
        return {};
    QFile file(QLatin1Char(':') + page.path());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}
