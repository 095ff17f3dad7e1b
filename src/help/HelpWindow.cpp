#include "help/HelpWindow.h"

#include "help/HelpSearch.h"
#include "help/HelpTopics.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

const QString SearchScheme = QStringLiteral("search");

// The results of a search, as a page.
QString SearchResultsHtml(const QString& words) {
    const QList<THelpHit> hits = SearchHelp(words);
    QString html = QStringLiteral("<h1>Search</h1>");
    const QString query = words.simplified().toHtmlEscaped();
    if (hits.isEmpty()) {
        html += QStringLiteral("<p>No page contains &ldquo;%1&rdquo;.</p>").arg(query);
    } else {
        html += QStringLiteral("<p>Pages that contain &ldquo;%1&rdquo;:</p><ul>").arg(query);
        for (const THelpHit& hit : hits)
            html += QStringLiteral("<li><a href=\"%1\">%2</a></li>")
                        .arg(hit.Page.toString(), hit.Title.toHtmlEscaped());
        html += QStringLiteral("</ul>");
    }
    return html;
}

// A browser that also shows search results as pages of their own ("search:words"), so that
// they take their place in the history and Back returns to them.
class THelpBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;
    QVariant loadResource(int type, const QUrl& name) override {
        if (name.scheme() == SearchScheme)
            return SearchResultsHtml(name.path());
        return QTextBrowser::loadResource(type, name);
    }
};

} // namespace

THelpWindow::THelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("Pentavo Help"));
    // An open help window does not keep the program running once the main window closes.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(640, 520);

    auto* column = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    auto button = [this, bar](const QString& text, const QString& help) {
        auto* b = new QPushButton(text, this);
        b->setWhatsThis(help);
        b->setAutoDefault(false);
        bar->addWidget(b);
        return b;
    };
    FContents =
        button(QStringLiteral("&Contents"), QStringLiteral("Shows the list of help topics."));
    FBack = button(QStringLiteral("&Back"), QStringLiteral("Goes back to the page shown before."));
    FForward = button(QStringLiteral("&Forward"),
                      QStringLiteral("Goes forward again to the page you went back from."));
    bar->addStretch();
    FSearch = new QLineEdit(this);
    FSearch->setPlaceholderText(QStringLiteral("Search"));
    FSearch->setClearButtonEnabled(true);
    FSearch->setWhatsThis(QStringLiteral("Type one or more words and press Enter to list the "
                                         "help pages that contain all of them."));
    FSearch->setMinimumWidth(200);
    bar->addWidget(FSearch);
    column->addLayout(bar);

    FBrowser = new THelpBrowser(this);
    FBrowser->setOpenExternalLinks(false);
    FBrowser->setWhatsThis(QStringLiteral("The help page. Click an underlined link to go to "
                                          "another page."));
    column->addWidget(FBrowser, 1);

    FBack->setEnabled(false);
    FForward->setEnabled(false);
    connect(FContents, &QPushButton::clicked, this, [this] { ShowPage(HelpContentsUrl()); });
    connect(FBack, &QPushButton::clicked, FBrowser, &QTextBrowser::backward);
    connect(FForward, &QPushButton::clicked, FBrowser, &QTextBrowser::forward);
    connect(FBrowser, &QTextBrowser::backwardAvailable, FBack, &QWidget::setEnabled);
    connect(FBrowser, &QTextBrowser::forwardAvailable, FForward, &QWidget::setEnabled);
    connect(FSearch, &QLineEdit::returnPressed, this, [this] { Search(FSearch->text()); });
}

void THelpWindow::ShowPage(const QUrl& page) {
    FBrowser->setSource(page);
}

void THelpWindow::Search(const QString& words) {
    QUrl results;
    results.setScheme(SearchScheme);
    results.setPath(words);
    FBrowser->setSource(results, QTextDocument::HtmlResource);
}

void THelpWindow::ShowOver(QWidget* owner) {
    if (owner != parentWidget())
        MoveTo(owner);
    show();
    raise();
    activateWindow();
}

void THelpWindow::MoveTo(QWidget* owner) {
    // A modal dialog blocks every window but its own, so the help window becomes one of the
    // dialog's windows while the dialog is open.
    if (parentWidget())
        parentWidget()->removeEventFilter(this);
    const QRect frame = geometry();
    const bool shown = isVisible();
    setParent(owner, Qt::Window);
    if (!frame.isEmpty())
        setGeometry(frame);
    if (owner)
        owner->installEventFilter(this);
    if (shown)
        show();
}

bool THelpWindow::eventFilter(QObject* watched, QEvent* event) {
    // The dialog is closing and will soon be freed, taking its windows with it: the help
    // window stays, on its own.
    if (watched == parentWidget() && event->type() == QEvent::Hide)
        MoveTo(nullptr);
    return QWidget::eventFilter(watched, event);
}
