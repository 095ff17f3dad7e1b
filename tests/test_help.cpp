#include "support/TestSupport.h"

#include "app/CommandAction.h"
#include "app/MainScreen.h"
#include "app/ObjectKinds.h"
#include "app/PersonalInformation.h"
#include "app/Splashform.h"
#include "help/HelpContexts.h"
#include "help/HelpSearch.h"
#include "help/HelpTopics.h"
#include "help/HelpViewer.h"
#include "help/HelpWindow.h"
#include "help/MenuItemTexts.h"
#include "help/WhatsThisMenus.h"
#include "objects/Font3DEffects.h"
#include "objects/GetBCLabelText.h"
#include "objects/GetLabelText.h"
#include "objects/GetSymbol.h"
#include "objects/MultiLineTextEditor.h"
#include "platform/HelpRequest.h"
#include "printing/EditCardLayout.h"
#include "printing/PreviewForm.h"
#include "printing/PrintFineTune.h"
#include "printing/SelectSpecificLabels.h"
#include "printing/WarnBottomMargin.h"
#include "report/PageStream.h"
#include "report/ReportPrinter.h"
#include "richtext/WPRichText.h"
#include "surface/BusinessCardPanel.h"
#include "surface/ClassRegistry.h"
#include "surface/GraphicControl.h"
#include "widgets/DialogButtonBar.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>

namespace {

QString shownTitle() {
    return HelpViewerWindow()->Browser()->documentTitle();
}

QStringList links(const QString& html) {
    QStringList found;
    static const QRegularExpression href(QStringLiteral("href=\"([^\"#]+)"));
    for (auto it = href.globalMatch(html); it.hasNext();)
        found << it.next().captured(1);
    return found;
}

// A dialog with the program's button bar, answering help at `context`.
struct TBarDialog {
    QDialog Dialog;
    TDialogButtonBar* Bar;
    explicit TBarDialog(int context) {
        auto* column = new QVBoxLayout(&Dialog);
        column->addWidget(new QLineEdit(&Dialog));
        Bar = new TDialogButtonBar(Dialog, context);
        column->addWidget(Bar);
    }
};

QStringList actionsWithoutText(const QMenu* menu, const QString& path) {
    QStringList missing;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator())
            continue;
        if (a->menu())
            missing << actionsWithoutText(a->menu(), path + a->text() + " > ");
        else if (a->whatsThis().isEmpty())
            missing << path + a->text();
    }
    return missing;
}

} // namespace

class TestHelp : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallHelpViewer(); }
    void contextOpensItsPage_data();
    void contextOpensItsPage();
    void everyListedContextHasAPage();
    void linksLeadToPages();
    void searchFindsPages();
    void dialogHelpButtonAndF1();
    void helpStaysOpenAfterTheDialogCloses();
    void mainWindowHelpCommands();
    void whatsThisMenus();
    void mainWindowControlsHaveTexts();
    void dialogControlsHaveTexts();
    void objectMenusHaveTexts();
};

void TestHelp::contextOpensItsPage_data() {
    QTest::addColumn<int>("context");
    QTest::addColumn<QString>("title");
    QTest::newRow("contents") << HelpContext::Contents << "Pentavo Help";
    QTest::newRow("2016") << 2016 << "The main window";
    QTest::newRow("2020") << 2020 << "Choosing the cards to print";
    QTest::newRow("2039") << 2039 << "The preview window";
    QTest::newRow("2101") << 2101 << "Background art";
    QTest::newRow("2102") << 2102 << "Personal information";
    QTest::newRow("2103") << 2103 << "Printer fine tuning";
    QTest::newRow("2105") << 2105 << "The bottom-margin warning";
    QTest::newRow("3101") << 3101 << "The card sheet layout";
    QTest::newRow("3201") << 3201 << "A card for everyone on a list";
    QTest::newRow("40001") << 40001 << "Multi-line text";
    QTest::newRow("40003") << 40003 << "Clip art pictures";
    QTest::newRow("40004") << 40004 << "Text";
    QTest::newRow("40005") << 40005 << "Symbols";
    QTest::newRow("40008") << 40008 << "Text 3D effects";
    QTest::newRow("40011") << 40011 << "RirizIzadu shapes";
    QTest::newRow("40012") << 40012 << "Choosing a texture";
    QTest::newRow("40013") << 40013 << "Rich text";
    QTest::newRow("40014") << 40014 << "DiduzOvoz lettering";
    QTest::newRow("unknown number") << 12345 << "Pentavo Help";
}

void TestHelp::contextOpensItsPage() {
    QFETCH(int, context);
    QFETCH(QString, title);
    RequestHelp(context);
    QVERIFY(HelpViewerWindow());
    QVERIFY(HelpViewerWindow()->isVisible());
    QCOMPARE(shownTitle(), title);
    // The page has more to say than its heading.
    QVERIFY(HelpViewerWindow()->Browser()->toPlainText().size() > 200);
}

void TestHelp::everyListedContextHasAPage() {
    for (const THelpTopic& topic : HelpTopics()) {
        const QUrl page = HelpPageUrl(topic.Context);
        QVERIFY2(page != HelpContentsUrl(), qPrintable(QString::number(topic.Context)));
        QVERIFY2(!HelpPageHtml(page).isEmpty(), topic.Page);
    }
}

void TestHelp::linksLeadToPages() {
    const QList<QUrl> pages = HelpPageUrls();
    QVERIFY(pages.size() >= 20);
    QSet<QUrl> reached{HelpContentsUrl()};
    QList<QUrl> queue{HelpContentsUrl()};
    while (!queue.isEmpty()) {
        const QUrl page = queue.takeFirst();
        for (const QString& link : links(HelpPageHtml(page))) {
            const QUrl target = page.resolved(QUrl(link));
            QVERIFY2(pages.contains(target), qPrintable(page.toString() + " -> " + link));
            if (!reached.contains(target)) {
                reached.insert(target);
                queue << target;
            }
        }
    }
    // Every page can be found from the contents page.
    for (const QUrl& page : pages)
        QVERIFY2(reached.contains(page), qPrintable(page.toString()));
}

void TestHelp::searchFindsPages() {
    auto titles = [](const QString& query) {
        QStringList t;
        for (const THelpHit& hit : SearchHelp(query))
            t << hit.Title;
        return t;
    };
    QVERIFY(titles(QStringLiteral("Cancel Printing")).contains("The bottom-margin warning"));
    // Every word must be there, in any case.
    QCOMPARE(titles(QStringLiteral("WORD wrap")), QStringList{"Multi-line text"});
    QVERIFY(titles(QStringLiteral("zyxxyz")).isEmpty());
    QVERIFY(titles(QStringLiteral("   ")).isEmpty());

    RequestHelp(HelpContext::Contents);
    THelpWindow& window = *HelpViewerWindow();
    window.SearchEdit()->setText(QStringLiteral("gradient"));
    QTest::keyClick(window.SearchEdit(), Qt::Key_Return);
    QVERIFY(window.Browser()->toPlainText().contains(QStringLiteral("RirizIzadu shapes")));
    QTest::mouseClick(window.ContentsButton(), Qt::LeftButton);
    QCOMPARE(shownTitle(), QStringLiteral("Pentavo Help"));
    // The results are a page of the history: Back returns to them, Forward leaves them again.
    window.Browser()->backward();
    QVERIFY(window.Browser()->toPlainText().contains(QStringLiteral("RirizIzadu shapes")));
    window.Browser()->backward();
    QCOMPARE(shownTitle(), QStringLiteral("Pentavo Help"));
    QVERIFY(!window.Browser()->toPlainText().contains(QStringLiteral("Pages that contain")));
    window.Browser()->forward();
    QVERIFY(window.Browser()->toPlainText().contains(QStringLiteral("gradient")));
}

void TestHelp::dialogHelpButtonAndF1() {
    TBarDialog d(HelpContext::SheetLayout);
    d.Dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&d.Dialog));
    HelpViewerWindow()->ShowPage(HelpContentsUrl());
    QTest::keyClick(d.Dialog.focusWidget() ? d.Dialog.focusWidget() : &d.Dialog, Qt::Key_F1);
    // A button's shortcut clicks it a moment later, as a click would look.
    QTRY_COMPARE(LastHelpRequest(), HelpContext::SheetLayout);
    QCOMPARE(shownTitle(), QStringLiteral("The card sheet layout"));

    RequestHelp(HelpContext::Contents);
    QTest::mouseClick(d.Bar->HelpButton(), Qt::LeftButton);
    QCOMPARE(shownTitle(), QStringLiteral("The card sheet layout"));
}

void TestHelp::helpStaysOpenAfterTheDialogCloses() {
    auto d = std::make_unique<TBarDialog>(HelpContext::FineTuning);
    QTimer::singleShot(0, &d->Dialog, [&] {
        d->Bar->HelpButton()->click();
        // Help for a modal dialog is one of the dialog's windows, so the dialog does not
        // block it.
        QCOMPARE(HelpViewerWindow()->parentWidget(), &d->Dialog);
        d->Dialog.reject();
    });
    d->Dialog.exec();
    d.reset();
    QVERIFY(HelpViewerWindow());
    QVERIFY(HelpViewerWindow()->isVisible());
    QCOMPARE(HelpViewerWindow()->parentWidget(), nullptr);
    QCOMPARE(shownTitle(), QStringLiteral("Printer fine tuning"));
}

void TestHelp::mainWindowHelpCommands() {
    TTestProgramFolder folder;
    TMainScreen w;
    w.show();
    QTRY_VERIFY(!w.Loading);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    RequestHelp(HelpContext::Contents);
    QTest::mouseClick(w.Helpbutton, Qt::LeftButton);
    QCOMPARE(shownTitle(), QStringLiteral("The main window"));

    w.ContentsItem->trigger();
    QCOMPARE(shownTitle(), QStringLiteral("Pentavo Help"));

    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_F1);
    QCOMPARE(LastHelpRequest(), HelpContext::MainWindow);
}

void TestHelp::whatsThisMenus() {
    QWidget window;
    auto* edit = new QLineEdit(&window);
    edit->setWhatsThis(QStringLiteral("Type here"));
    auto* button = new QPushButton(QStringLiteral("Go"), &window);
    button->setWhatsThis(QStringLiteral("Goes"));
    auto* ownMenu = new QPushButton(&window);
    ownMenu->setWhatsThis(QStringLiteral("Has its own menu"));
    ownMenu->setContextMenuPolicy(Qt::PreventContextMenu);
    auto* silent = new QPushButton(&window);

    std::unique_ptr<QMenu> editMenu(TWhatsThisMenus::MenuFor(edit));
    QVERIFY(editMenu);
    // The editing items stay, "What's this?" comes last.
    QVERIFY(editMenu->actions().size() > 3);
    QCOMPARE(editMenu->actions().last()->text(), QStringLiteral("What's this?"));
    std::unique_ptr<QMenu> buttonMenu(TWhatsThisMenus::MenuFor(button));
    QCOMPARE(buttonMenu->actions().size(), 1);
    QCOMPARE(buttonMenu->actions().first()->text(), QStringLiteral("What's this?"));
    QVERIFY(!TWhatsThisMenus::MenuFor(ownMenu));
    QVERIFY(!TWhatsThisMenus::MenuFor(silent));

    // A right-click (here from the keyboard) on the control opens the menu.
    TWhatsThisMenus::Install();
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    button->setFocus();
    QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(2, 2),
                            button->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(button, &event);
    QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
    auto* popup = static_cast<QMenu*>(QApplication::activePopupWidget());
    QCOMPARE(popup->actions().first()->text(), QStringLiteral("What's this?"));
    popup->close();
}

void TestHelp::mainWindowControlsHaveTexts() {
    TTestProgramFolder folder;
    // With a recent file, so that its File menu entry is there too.
    QVERIFY(WriteTestFile(folder.Path() + "PTV.INI", "[MRU]\nF0=/gone/card.ptv\n"));
    TMainScreen w;
    QStringList missing = ControlsWithoutWhatsThis(w);
    for (QAction* top : w.menuBar()->actions())
        missing << actionsWithoutText(top->menu(), top->text() + " > ");
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(", ")));
}

void TestHelp::dialogControlsHaveTexts() {
    TTestProgramFolder folder;
    TCardLayout layout;
    TReportPrinter printer;
    TPageStream stream;
    std::vector<std::unique_ptr<QWidget>> windows;
    windows.emplace_back(new TGetLabelText(nullptr));
    windows.emplace_back(new TGetBCLabelText(nullptr));
    windows.emplace_back(new TMultiLineTextEditor(nullptr));
    windows.emplace_back(new TGetSymbol(nullptr));
    windows.emplace_back(new TGFont3DEffects(nullptr));
    windows.emplace_back(new TPersonalInformation(nullptr));
    windows.emplace_back(new TEditCardLayout(layout));
    windows.emplace_back(new TSelectSpecificLabels(layout, TCardSelection(), printer));
    windows.emplace_back(new TPrintFineTune(TPrinterNudges()));
    windows.emplace_back(new TWarnBottomMargin(0.6));
    windows.emplace_back(new TPreviewForm(stream));
    windows.emplace_back(new TSplashform);
    QStringList missing;
    for (const auto& w : windows)
        for (const QString& control : ControlsWithoutWhatsThis(*w))
            missing << QString::fromLatin1(w->metaObject()->className()) + ": " + control;
    // The personal-information list of the text window has no text of its own.
    missing.removeAll(QStringLiteral("TGetBCLabelText: QComboBox \"PersonalInfoCombo\""));
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join("\n")));
}

void TestHelp::objectMenusHaveTexts() {
    TTestProgramFolder folder;
    RegisterObjectKinds();
    TGBusinessCardPanel32 panel;
    CreateMasterRichText(&panel);
    QStringList names{"the card"};
    std::vector<QMenu*> menus{panel.ContextMenu()};
    for (const QString& name : TClassRegistry::ClassNames()) {
        TGGraphicControl* object = panel.AddObject(TClassRegistry::Create(name));
        object->Loaded();
        if (QMenu* menu = object->ContextMenu()) {
            emit menu->aboutToShow(); // kinds fill some items only as the menu opens
            names << name;
            menus.push_back(menu);
        }
    }
    QVERIFY(menus.size() > 5);
    QStringList missing;
    for (size_t i = 0; i < menus.size(); ++i) {
        FillMenuItemTexts(*menus[i]);
        missing << actionsWithoutText(menus[i], names[int(i)] + ": ");
    }
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join("\n")));
    // An item of a submenu the table does not know speaks with its submenu's text.
    QMenu menu;
    QMenu* thickness = menu.addMenu(QStringLiteral("Line Thickness"));
    QAction* three = thickness->addAction(QStringLiteral("3 Point"));
    FillMenuItemTexts(menu);
    QCOMPARE(three->whatsThis(), MenuItemWhatsThis(QStringLiteral("Line &Thickness")));
}

QTEST_MAIN(TestHelp)
#include "test_help.moc"
