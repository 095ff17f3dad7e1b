#include "support/TestSupport.h"

#include "platform/ProgramFolder.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct TRun {
    int Status = -1;
    QString Output;
};

TRun run(const QString& program, const QStringList& arguments,
         const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, arguments);
    if (!p.waitForFinished(120000))
        return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAll())};
}

QString tool(const char* name) {
    return QStandardPaths::findExecutable(QString::fromLatin1(name));
}

} // namespace

// Installs the program into a temporary prefix as a user or a package would, and checks it
// with the desktop's own tools.
class TestInstall : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void programsAndData();
    void programsAnswerWithoutDisplay();
    void desktopEntry();
    void appStreamMetadata();
    void designFilesAreKnownByContent();

private:
    QTemporaryDir FPrefix;
    QString FShare;
};

void TestInstall::initTestCase() {
    const TRun install = run(QStringLiteral(PENTAVO_CMAKE),
                             {"--install", PENTAVO_BUILD_DIR, "--prefix", FPrefix.path()});
    QVERIFY2(install.Status == 0, qPrintable(install.Output));
    FShare = FPrefix.path() + "/share/";
}

void TestInstall::programsAndData() {
    for (const char* program : {"bin/pentavo", "bin/pentavo-tool"})
        QVERIFY2(QFileInfo(FPrefix.path() + '/' + program).isExecutable(), program);
    QVERIFY(QFileInfo::exists(FShare + "pentavo/examples/business-card.ptv"));
    QVERIFY(QFileInfo::exists(FShare + "icons/hicolor/scalable/apps/org.pentavo.Pentavo.svg"));
    QVERIFY(QFileInfo::exists(FShare + "icons/hicolor/48x48/apps/org.pentavo.Pentavo.png"));
    // The installed program finds its data and keeps its own files in the user's folder.
    const QString bin = FPrefix.path() + "/bin";
    QCOMPARE(ShippedDataFolderFor(bin), FShare + "pentavo/");
    QTemporaryDir user;
    QCOMPARE(ChooseProgramFolder(bin, user.path()), user.path() + '/');
}

void TestInstall::programsAnswerWithoutDisplay() {
    // As a package check or a user in a terminal runs them: no display, no platform chosen.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(name);
    const QString bin = FPrefix.path() + "/bin/";
    const TRun version = run(bin + "pentavo", {"--version"}, env);
    QCOMPARE(version.Status, 0);
    QCOMPARE(version.Output, QStringLiteral("Pentavo " PENTAVO_VERSION "\n"));
    const TRun help = run(bin + "pentavo-tool", {"--help"}, env);
    QCOMPARE(help.Status, 0);
    QVERIFY2(help.Output.startsWith("usage: pentavo-tool dump FILE"), qPrintable(help.Output));
    for (const char* page : {"pentavo.1.gz", "pentavo-tool.1.gz"})
        QVERIFY2(QFileInfo::exists(FShare + "man/man1/" + page), page);
}

void TestInstall::desktopEntry() {
    const QString validate = tool("desktop-file-validate");
    if (validate.isEmpty())
        QSKIP("desktop-file-validate (desktop-file-utils) is not installed");
    const QString entry = FShare + "applications/org.pentavo.Pentavo.desktop";
    const TRun check = run(validate, {entry});
    QVERIFY2(check.Status == 0 && check.Output.trimmed().isEmpty(), qPrintable(check.Output));
    const QString text = QString::fromUtf8(ReadTestFile(entry));
    QVERIFY(text.contains("MimeType=application/x-pentavo-design;"));
    QVERIFY(text.contains("Exec=pentavo %f"));
}

void TestInstall::appStreamMetadata() {
    const QString appstream = tool("appstreamcli");
    if (appstream.isEmpty())
        QSKIP("appstreamcli (appstream) is not installed");
    const TRun check = run(appstream, {"validate", "--no-net", "--no-color",
                                       FShare + "metainfo/org.pentavo.Pentavo.metainfo.xml"});
    QVERIFY2(check.Status == 0, qPrintable(check.Output));
}

void TestInstall::designFilesAreKnownByContent() {
    const QString xdgMime = tool("xdg-mime");
    if (xdgMime.isEmpty() || tool("mimetype").isEmpty() || tool("update-mime-database").isEmpty())
        QSKIP("xdg-utils, libfile-mimeinfo-perl and shared-mime-info are needed");
    QTemporaryDir files;
    // A design file renamed without its extension, and one whose extension is upper case.
    const QByteArray design = ReadTestFile(PENTAVO_SOURCE_DIR "/examples/business-card.ptv");
    QVERIFY(design.startsWith("\x01TPF0"));
    QVERIFY(WriteTestFile(files.filePath("card"), design));
    QVERIFY(WriteTestFile(files.filePath("OTHER.PTV"), "not read, named so"));
    QVERIFY(WriteTestFile(files.filePath("notes"), "TPF0 but no marker byte"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_DIRS", FShare + ":/usr/share");
    env.insert("XDG_DATA_HOME", files.filePath("home"));
    env.remove("XDG_CURRENT_DESKTOP");
    auto type = [&](const char* name) {
        return run(xdgMime, {"query", "filetype", files.filePath(name)}, env).Output.trimmed();
    };
    QCOMPARE(type("card"), QStringLiteral("application/x-pentavo-design"));
    QCOMPARE(type("OTHER.PTV"), QStringLiteral("application/x-pentavo-design"));
    QVERIFY(type("notes") != QStringLiteral("application/x-pentavo-design"));
}

QTEST_MAIN(TestInstall)
#include "test_install.moc"
