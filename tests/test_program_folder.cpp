#include "support/TestSupport.h"

#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace {
void touch(const QString& path, const QByteArray& bytes = "x") {
    QDir().mkpath(QFileInfo(path).path());
    QVERIFY(WriteTestFile(path, bytes));
}
} // namespace

class TestProgramFolder : public QObject {
    Q_OBJECT
private slots:
    void writableFolderBesideTheProgram();
    void installedProgramUsesUserFolder();
    void readOnlyProgramFolderUsesUserFolder();
    void shippedDataBesideInstalledProgram();
    void foldersAreMadeAndLeftAlone();
};

void TestProgramFolder::writableFolderBesideTheProgram() {
    // The build tree, or a copy unpacked where the user may write.
    QTemporaryDir dir;
    const QString exe = dir.filePath("build/bin");
    QVERIFY(QDir().mkpath(exe));
    const QString user = dir.filePath("home/.local/share/Pentavo");
    QCOMPARE(ChooseProgramFolder(exe, user), exe + '/');
    QVERIFY(!QFileInfo::exists(user)); // nothing made in the user's folders
}

void TestProgramFolder::installedProgramUsesUserFolder() {
    // Installed into a prefix the user may write to (or run as root): still the user folder.
    QTemporaryDir dir;
    const QString prefix = dir.filePath("prefix");
    QVERIFY(QDir().mkpath(prefix + "/bin"));
    QVERIFY(QDir().mkpath(prefix + "/share/pentavo"));
    const QString user = dir.filePath("home/.local/share/Pentavo");
    QCOMPARE(ChooseProgramFolder(prefix + "/bin", user), user + '/');
    QVERIFY(QFileInfo(user).isDir());
}

void TestProgramFolder::readOnlyProgramFolderUsesUserFolder() {
    QTemporaryDir dir;
    const QString user = dir.filePath("user");
    QCOMPARE(ChooseProgramFolder(dir.filePath("no/such/folder"), user), user + '/');
    QCOMPARE(ChooseProgramFolder(QString(), user), user + '/');
    if (geteuid() == 0)
        QSKIP("root may write into any folder");
    const QString exe = dir.filePath("locked");
    QVERIFY(QDir().mkpath(exe));
    QVERIFY(QFile::setPermissions(exe, QFile::ReadOwner | QFile::ExeOwner));
    QCOMPARE(ChooseProgramFolder(exe, user), user + '/');
    QFile::setPermissions(exe, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestProgramFolder::shippedDataBesideInstalledProgram() {
    QTemporaryDir dir;
    QVERIFY(QDir().mkpath(dir.filePath("usr/bin")));
    QCOMPARE(ShippedDataFolderFor(dir.filePath("usr/bin")), QString());
    QVERIFY(QDir().mkpath(dir.filePath("usr/share/pentavo")));
    QCOMPARE(ShippedDataFolderFor(dir.filePath("usr/bin")), dir.filePath("usr/share/pentavo/"));
}

void TestProgramFolder::foldersAreMadeAndLeftAlone() {
    QTemporaryDir dir;
    const QString program = dir.filePath("user/");
    // The user's own background folder already exists with a picture in it.
    touch(program + "BG/waves.bmp", "mine");
    MakeProgramSubfolders(program);
    for (const char* name : {"bmbrush", "Saved", "BG"})
        QVERIFY2(QFileInfo(program + name).isDir(), name);
    QCOMPARE(ReadTestFile(program + "BG/waves.bmp"), QByteArray("mine"));
}

QTEST_MAIN(TestProgramFolder)
#include "test_program_folder.moc"
