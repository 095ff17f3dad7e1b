#include "support/TestSupport.h"

#include "app/CommandLine.h"
#include "app/MainScreen.h"
#include "app/ObjectKinds.h"
#include "platform/SingleInstance.h"
#include "surface/BusinessCardPanel.h"
#include "surface/GraphicControl.h"

#include <QDir>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <unistd.h>

namespace {

const QString Example = QStringLiteral(PENTAVO_SOURCE_DIR "/examples/sample-card.ptv");

// A copy of the example design under a name of the test's choosing.
QString copyOfExample(const TTestProgramFolder& folder, const QString& name) {
    const QString path = folder.Path() + name;
    QFile::copy(Example, path);
    return path;
}

QString socketName() {
    static int n = 0;
    return QStringLiteral("pentavo-cmdline-test-%1-%2")
        .arg(QCoreApplication::applicationPid())
        .arg(++n);
}

void showAndStart(TMainScreen& w) {
    w.show();
    QTRY_VERIFY(!w.Loading);
}

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { RegisterObjectKinds(); }
    void designFileFromArguments_data();
    void designFileFromArguments();
    void namedDesignOpensInsteadOfMostRecent();
    void missingNamedDesignIsReported();
    void secondStartHandsTheFileOver();
    void handOverWaitsForOpenDialog();
    void strangeRequestsAreIgnored();
    void oneCopyPerUserAndDisplay();
    void examplesOpen();
};

void TestCommandLine::designFileFromArguments_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("file");
    QTest::newRow("none") << QStringList{"pentavo"} << QString();
    QTest::newRow("relative") << QStringList{"pentavo", "cards/one.ptv"}
                              << "/home/jo/cards/one.ptv";
    QTest::newRow("absolute") << QStringList{"pentavo", "/tmp/a b.PTV"} << "/tmp/a b.PTV";
    QTest::newRow("no extension") << QStringList{"pentavo", "card"} << "/home/jo/card";
    QTest::newRow("address") << QStringList{"pentavo", "file:///tmp/my%20card.ptv"}
                             << "/tmp/my card.ptv";
    QTest::newRow("options first")
        << QStringList{"pentavo", "--verbose", "x.ptv"} << "/home/jo/x.ptv";
    QTest::newRow("this machine") << QStringList{"pentavo", "file://localhost/tmp/x.ptv"}
                                  << "/tmp/x.ptv";
    QTest::newRow("after --") << QStringList{"pentavo", "--", "-odd.ptv"} << "/home/jo/-odd.ptv";
    QTest::newRow("first of two") << QStringList{"pentavo", "a.ptv", "b.ptv"} << "/home/jo/a.ptv";
    QTest::newRow("remote address")
        << QStringList{"pentavo", "file://host/x.ptv", "b.ptv"} << "/home/jo/b.ptv";
}

void TestCommandLine::designFileFromArguments() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, file);
    QCOMPARE(DesignFileFromArguments(arguments, "/home/jo"), file);
}

void TestCommandLine::namedDesignOpensInsteadOfMostRecent() {
    TTestProgramFolder folder;
    const QString recent = copyOfExample(folder, "recent.ptv");
    // A design file without extension, as a file manager may pass it.
    const QString named = copyOfExample(folder, "named card");
    QVERIFY(WriteTestFile(folder.Path() + "PTV.INI", ("[MRU]\nF0=" + recent + "\n").toUtf8()));
    TMainScreen w;
    w.OpenDesignFile(named);
    showAndStart(w);
    QCOMPARE(w.CurrentFileName, named);
    QVERIFY(!w.BusinessCardPanel->Objects().empty());
    QCOMPARE(w.windowTitle(), QStringLiteral("Pentavo - named card"));
    QVERIFY(!w.ChangesMade);
}

void TestCommandLine::missingNamedDesignIsReported() {
    TTestProgramFolder folder;
    TScriptedInteraction ui;
    TMainScreen w;
    w.OpenDesignFile(folder.Path() + "gone.ptv");
    showAndStart(w);
    // A file named at start may never have existed: it is not said to be gone.
    QCOMPARE(ui.Messages, QStringList{folder.Path() + "gone.ptv does not exist"});
    QVERIFY(w.CurrentFileName.isEmpty());
}

void TestCommandLine::secondStartHandsTheFileOver() {
    TTestProgramFolder folder;
    const QString design = copyOfExample(folder, "handed.ptv");
    TScriptedInteraction ui;
    TMainScreen w;
    showAndStart(w);
    w.SetChangesMade(true);
    const QString name = socketName();
    TJustOne first(name);
    QVERIFY(!first.AnotherRunning());
    QObject::connect(&first, &TJustOne::OpenRequested, &w, &TMainScreen::OpenDesignFile);
    QSignalSpy raised(&first, &TJustOne::ActivationRequested);
    {
        TJustOne second(name, design);
        QVERIFY(second.AnotherRunning());
    }
    QTRY_COMPARE(w.CurrentFileName, design);
    QCOMPARE(w.windowTitle(), QStringLiteral("Pentavo - handed.ptv"));
    QCOMPARE(raised.count(), 1);
    // The running design had changes: the user was asked first (and said No).
    QCOMPARE(ui.Questions, QStringList{"Save: Save changes?"});
    QVERIFY(!w.BusinessCardPanel->Objects().empty());
}

void TestCommandLine::handOverWaitsForOpenDialog() {
    TTestProgramFolder folder;
    const QString design = copyOfExample(folder, "later.ptv");
    TMainScreen w;
    showAndStart(w);
    QDialog dialog(&w);
    QString openWhileDialog;
    QTimer::singleShot(0, &dialog, [&] {
        w.OpenDesignFile(design);
        QTest::qWait(50);
        openWhileDialog = w.CurrentFileName;
        dialog.reject();
    });
    dialog.exec();
    QVERIFY(openWhileDialog.isEmpty());
    QTRY_COMPARE(w.CurrentFileName, design);
}

void TestCommandLine::strangeRequestsAreIgnored() {
    const QString name = socketName();
    TJustOne first(name);
    QSignalSpy raised(&first, &TJustOne::ActivationRequested);
    QSignalSpy opened(&first, &TJustOne::OpenRequested);
    auto send = [&](const QByteArray& bytes) {
        QLocalSocket socket;
        socket.connectToServer(name);
        QVERIFY(socket.waitForConnected(1000));
        socket.write(bytes);
        QVERIFY(socket.waitForBytesWritten(1000));
        // The first copy hangs up once it has judged the request.
        QTRY_COMPARE(socket.state(), QLocalSocket::UnconnectedState);
    };
    send("hello\n");
    send("open " + QByteArray(70 * 1024, 'a') + "\n"); // longer than any request of ours
    send(QByteArray(70 * 1024, 'b'));                  // no end of line at all
    QCOMPARE(raised.count(), 0);
    QCOMPARE(opened.count(), 0);
    // A proper request still works afterwards; an empty path only raises the window.
    send("open \n");
    send("open %2Ftmp%2Fx%0Ay.ptv\n");
    QTRY_COMPARE(raised.count(), 2);
    QCOMPARE(opened.count(), 1);
    QCOMPARE(opened.first().first().toString(), QStringLiteral("/tmp/x\ny.ptv"));
}

void TestCommandLine::oneCopyPerUserAndDisplay() {
    auto nameOn = [](std::initializer_list<std::pair<const char*, const char*>> variables) {
        QProcessEnvironment env;
        for (const auto& [key, value] : variables)
            env.insert(QString::fromLatin1(key), QString::fromLatin1(value));
        return TJustOne::DefaultName(env);
    };
    const QString first = nameOn({{"DISPLAY", ":0"}});
    // Another X session, a remote one, another Wayland session: each has its own copy.
    QCOMPARE_NE(nameOn({{"DISPLAY", ":1"}}), first);
    QCOMPARE_NE(nameOn({{"DISPLAY", "localhost:10.0"}}), first);
    QCOMPARE_NE(nameOn({{"DISPLAY", ":0"}, {"WAYLAND_DISPLAY", "wayland-1"}}), first);
    // Another screen of the same X display is the same display.
    QCOMPARE(nameOn({{"DISPLAY", ":0.1"}}), first);
    // Without a display, login sessions are told apart.
    QCOMPARE_NE(nameOn({{"XDG_SESSION_ID", "3"}}), nameOn({{"XDG_SESSION_ID", "4"}}));
    // The name is a plain socket name of this user's.
    const QString remote = nameOn({{"DISPLAY", "host/../x:10.0"}});
    QVERIFY(!remote.contains('/'));
    QVERIFY(remote.startsWith(QStringLiteral("pentavo-%1-").arg(ulong(getuid()))));
}

void TestCommandLine::examplesOpen() {
    // The example designs shipped with the program open from the command line, and between
    // them show every kind of object the tools make.
    TTestProgramFolder folder;
    TScriptedInteraction ui;
    QSet<QString> kinds;
    const QDir examples(QStringLiteral(PENTAVO_SOURCE_DIR "/examples"));
    for (const QString& name : examples.entryList({"*.ptv"})) {
        TMainScreen w;
        w.OpenDesignFile(examples.filePath(name));
        showAndStart(w);
        QCOMPARE(w.CurrentFileName, examples.filePath(name));
        for (const TGGraphicControl* object : w.BusinessCardPanel->Objects())
            kinds.insert(object->ClassName());
    }
    QVERIFY2(ui.Messages.isEmpty(), qPrintable(ui.Messages.join("; ")));
    for (const char* kind :
         {"TGBusinessCardLabel", "TGMultiLineLabel", "TGSymbolLabel", "TBCShapes", "TGLineShape"})
        QVERIFY2(kinds.contains(kind), kind);
}

QTEST_MAIN(TestCommandLine)
#include "test_command_line.moc"
