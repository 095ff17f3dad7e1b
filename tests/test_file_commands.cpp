#include "support/AllTypesObject.h"
#include "support/TestSupport.h"

#include "app/Companion.h"
#include "app/FileCommands.h"
#include "app/FileHistory.h"
#include "surface/BasePanel.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

namespace {

// A recent-files list kept in memory only: at most five paths, most recent first.
class TMemoryRecentFiles : public TRecentFiles {
public:
    void Remember(const QString& path) override {
        Items.removeAll(path);
        Items.prepend(path);
        while (Items.size() > 5)
            Items.removeLast();
    }
    QStringList Items;
};

// A main window's worth of file-command state around a card panel.
struct TFixture {
    TTestProgramFolder folder;
    TScriptedInteraction ui;
    TGBasePanel panel;
    QString currentFileName, backgroundFileName;
    bool changesMade = false, loading = false;
    TDesignState state{currentFileName, backgroundFileName, changesMade, loading};
    TMemoryRecentFiles recent;
    TFileCommands commands{panel, state, recent};

    TFixture() {
        QDir(folder.Path()).mkpath("Saved");
        panel.resize(336, 192);
    }
    QString saved(const QString& name) const { return folder.Path() + "Saved/" + name; }
    TAllTypes* add(int left = 10) {
        auto* o = static_cast<TAllTypes*>(panel.AddObject(std::make_unique<TAllTypes>()));
        o->SetBounds(left, 10, 50, 15);
        return o;
    }
};

} // namespace

class TestFileCommands : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { TAllTypes::Register(); }
    void companionNames_data();
    void companionNames();
    void companionFileFollowsBackgroundArt();
    void saveAsProposesNextFreeName();
    void saveAsAsksBeforeReplacingWithAddedExtension();
    void saveWithoutFileBeeps();
    void openRejectsOtherExtensions();
    void openCorruptedFileLeavesEmptyDesign();
    void openReadsDesignAndBackground();
    void openRecentMissingFile();
    void saveChangesQuestion_data();
    void saveChangesQuestion();
    void failedSaveKeepsChangesAndFile();
    void fullDiskNamesTheFileAndTheReason();
    void deleteAsksAndRemovesCompanion();
    void cancelChangesReopens();
};

void TestFileCommands::companionNames_data() {
    QTest::addColumn<QString>("design");
    QTest::addColumn<QString>("companion");
    QTest::newRow("plain") << "/cards/BC0001.PTV"
                           << "/cards/BC0001.PTX";
    QTest::newRow("dotted folder") << "/my.cards/A.PTV"
                                   << "/my.cards/A.PTX";
    QTest::newRow("no extension") << "/my.cards/A"
                                  << "/my.cards/A.PTX";
    QTest::newRow("two dots") << "/c/a.b.ptv"
                              << "/c/a.b.PTX";
}

void TestFileCommands::companionNames() {
    QFETCH(QString, design);
    QFETCH(QString, companion);
    QCOMPARE(CompanionFileName(design), companion);
}

void TestFileCommands::companionFileFollowsBackgroundArt() {
    TFixture f;
    const QString design = f.saved("ONE.PTV");
    f.state.BackgroundFileName = f.folder.Path() + "BG/sky.bmp";
    QVERIFY(f.commands.SaveBCFile(design));
    QCOMPARE(ReadTestFile(f.saved("ONE.PTX")), (f.state.BackgroundFileName + "\r\n").toUtf8());
    // Only the first line counts.
    QVERIFY(WriteTestFile(f.saved("ONE.PTX"), "/art/first.bmp\r\nsecond\r\n"));
    QCOMPARE(ReadCompanionFile(design), std::optional<QString>("/art/first.bmp"));
    // Saving without background art deletes a companion left from before.
    f.state.BackgroundFileName.clear();
    QVERIFY(f.commands.SaveBCFile(design));
    QVERIFY(!QFile::exists(f.saved("ONE.PTX")));
    QCOMPARE(ReadCompanionFile(design), std::nullopt);
}

void TestFileCommands::saveAsProposesNextFreeName() {
    TFixture f;
    QVERIFY(WriteTestFile(f.saved("BC0001.PTV"), "\x01\x00"));
    QVERIFY(WriteTestFile(f.saved("BC0002.PTV"), "\x01\x00"));
    f.add();
    f.state.ChangesMade = true;
    const QString chosen = f.saved("mine");
    f.ui.FileNames.push_back(chosen);
    f.commands.SaveAs();
    QCOMPARE(f.ui.Proposed, QStringList{f.saved("BC0003.PTV")});
    QCOMPARE(f.state.CurrentFileName, chosen + ".PTV");
    QVERIFY(!f.state.ChangesMade);
    QCOMPARE(f.recent.Items, QStringList{chosen + ".PTV"});
    QVERIFY(ReadTestFile(chosen + ".PTV").startsWith("\x01TPF0"));
    // With a current file the proposal is its name.
    f.commands.SaveAs();
    QCOMPARE(f.ui.Proposed.last(), f.saved("mine.PTV"));
}

void TestFileCommands::saveAsAsksBeforeReplacingWithAddedExtension() {
    TFixture f;
    const QString existing = f.saved("card.PTV");
    const QByteArray empty("\x01\x00", 2);
    QVERIFY(WriteTestFile(existing, empty));
    f.add();
    f.state.ChangesMade = true;
    // "card" typed without extension names card.PTV, which exists: No goes back to the
    // chooser, here cancelled, and the file stays as it was.
    f.ui.FileNames = {f.saved("card")};
    f.ui.Answers = {false};
    QVERIFY(!f.commands.SaveAs());
    QCOMPARE(f.ui.Questions, QStringList{"Save As: card.PTV already exists.\nDo you want to "
                                         "replace it?"});
    QCOMPARE(f.ui.FileTitles, QStringList({"Save As", "Save As"}));
    QCOMPARE(f.ui.Proposed.last(), existing);
    QCOMPARE(ReadTestFile(existing), empty);
    QVERIFY(f.state.CurrentFileName.isEmpty());
    QVERIFY(f.state.ChangesMade);
    // Yes replaces it.
    f.ui.FileNames = {f.saved("card")};
    f.ui.Answers = {true};
    QVERIFY(f.commands.SaveAs());
    QCOMPARE(f.state.CurrentFileName, existing);
    QVERIFY(ReadTestFile(existing).startsWith("\x01TPF0"));
    // A new name asks nothing.
    f.ui.Questions.clear();
    f.ui.FileNames = {f.saved("fresh")};
    QVERIFY(f.commands.SaveAs());
    QVERIFY(f.ui.Questions.isEmpty());
    QVERIFY(QFile::exists(f.saved("fresh.PTV")));
}

void TestFileCommands::saveWithoutFileBeeps() {
    TFixture f;
    f.add(400); // beyond the card: removed as stray before saving
    f.state.ChangesMade = true;
    f.commands.Save();
    QCOMPARE(f.ui.Beeps, 1);
    QVERIFY(f.panel.Objects().empty());
    QVERIFY(f.state.ChangesMade);
}

void TestFileCommands::openRejectsOtherExtensions() {
    TFixture f;
    f.ui.FileNames.push_back(f.saved("card.txt"));
    f.commands.Open();
    QCOMPARE(f.ui.FileTitles, QStringList{"Open Business Card"});
    QCOMPARE(f.ui.Messages, QStringList{"Must be a PTV (Pentavo) file"});
}

void TestFileCommands::openCorruptedFileLeavesEmptyDesign() {
    TFixture f;
    const QString good = f.saved("good.PTV");
    f.add();
    f.state.BackgroundFileName = f.folder.Path() + "sky.bmp";
    f.commands.SaveBCFile(good);
    f.commands.OpenBCFile(good);
    QCOMPARE(f.panel.Objects().size(), size_t(1));
    const QByteArray goodBytes = ReadTestFile(good);
    // Two whole objects, then garbage: nothing of it stays.
    QByteArray bad = goodBytes;
    bad.chop(1);
    bad += bad.mid(1) + "\x07junk";
    const QString corrupt = f.saved("bad.ptv");
    QVERIFY(WriteTestFile(corrupt, bad));
    f.state.ChangesMade = true;
    f.ui.FileNames.push_back(corrupt);
    f.commands.Open(); // answers No to "Save changes?"
    QCOMPARE(f.ui.Messages, QStringList{"Unable to open " + corrupt +
                                        ". Possibly corrupted, posibly not a PTV file"});
    QVERIFY(f.panel.Objects().empty());
    // The empty design is untitled and unchanged: saving it can't replace the file that was
    // open before, nor take its background art away.
    QVERIFY(f.state.CurrentFileName.isEmpty());
    QVERIFY(f.state.BackgroundFileName.isEmpty());
    QVERIFY(!f.state.ChangesMade);
    QVERIFY(!f.state.Loading);
    f.commands.Save();
    QCOMPARE(f.ui.Beeps, 1);
    QCOMPARE(ReadTestFile(good), goodBytes);
    QVERIFY(QFile::exists(f.saved("good.PTX")));
}

void TestFileCommands::openReadsDesignAndBackground() {
    TFixture f;
    const QString design = f.saved("art.PTV");
    const QString picture = f.folder.Path() + "sky.bmp";
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QVERIFY(image.save(picture));
    f.add();
    f.state.BackgroundFileName = picture;
    f.commands.SaveBCFile(design);
    f.commands.New();
    QVERIFY(f.panel.Objects().empty());
    QVERIFY(f.state.BackgroundFileName.isEmpty());
    f.commands.OpenBCFile(design);
    QCOMPARE(f.panel.Objects().size(), size_t(1));
    QCOMPARE(f.state.BackgroundFileName, picture);
    QVERIFY(f.panel.ColorPicture().IsDrawable());
    QCOMPARE(f.recent.Items.first(), design);
    // A companion naming a missing picture keeps the name, shows nothing.
    WriteCompanionFile(design, "/no/such/picture.bmp");
    f.commands.OpenBCFile(design);
    QCOMPARE(f.state.BackgroundFileName, QString("/no/such/picture.bmp"));
    QVERIFY(f.panel.ColorPicture().IsEmpty());
}

void TestFileCommands::openRecentMissingFile() {
    TFixture f;
    f.commands.OpenRecent("/gone/card.PTV");
    QCOMPARE(f.ui.Messages, QStringList{"/gone/card.PTV no longer exists"});
}

void TestFileCommands::saveChangesQuestion_data() {
    QTest::addColumn<bool>("titled");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("fileWritten");
    QTest::addColumn<bool>("goesOn");
    QTest::newRow("No saves nothing") << true << false << false << true;
    QTest::newRow("Yes saves the open file") << true << true << true << true;
    QTest::newRow("Yes on an untitled design, Save As cancelled")
        << false << true << false << false;
}

void TestFileCommands::saveChangesQuestion() {
    QFETCH(bool, titled);
    QFETCH(bool, answer);
    QFETCH(bool, fileWritten);
    QFETCH(bool, goesOn);
    TFixture f;
    const QString path = f.saved("card.PTV");
    if (titled)
        f.state.CurrentFileName = path;
    f.add();
    f.state.ChangesMade = true;
    f.ui.Answers.push_back(answer);
    f.commands.New();
    QCOMPARE(f.ui.Questions, QStringList{"Save: Save changes?"});
    QCOMPARE(QFile::exists(path), fileWritten);
    QCOMPARE(f.ui.FileTitles.size(), titled || !answer ? 0 : 1);
    // A cancelled Save As stops New: the design the user wanted kept is still there.
    QCOMPARE(f.panel.Objects().empty(), goesOn);
    QCOMPARE(f.state.ChangesMade, !goesOn);
    // Open stops the same way, before its file chooser.
    f.ui.Answers.push_back(answer);
    f.commands.Open();
    QCOMPARE(f.ui.FileTitles.contains("Open Business Card"), goesOn);
}

void TestFileCommands::fullDiskNamesTheFileAndTheReason() {
    TFixture f;
    const QString path = f.saved("card.PTV");
    for (int i = 0; i < 20; ++i)
        f.add(10 + i);
    f.state.CurrentFileName = path;
    f.commands.Save();
    const QByteArray before = ReadTestFile(path);
    QVERIFY(before.size() > 1000);
    f.state.ChangesMade = true;
    // No room beyond the first bytes, as on a full disk: the write fails (EFBIG, its signal
    // ignored) instead of ending the test.
    rlimit was{};
    getrlimit(RLIMIT_FSIZE, &was);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = was;
    small.rlim_cur = 512;
    setrlimit(RLIMIT_FSIZE, &small);
    f.commands.Save();
    setrlimit(RLIMIT_FSIZE, &was);
    std::signal(SIGXFSZ, oldHandler);
    QCOMPARE(f.ui.Messages, QStringList{"Stream write error: " + path + " (File too large)"});
    QCOMPARE(ReadTestFile(path), before);
    QVERIFY(f.state.ChangesMade);
}

void TestFileCommands::failedSaveKeepsChangesAndFile() {
    TFixture f;
    const QString path = f.saved("card.PTV");
    f.add();
    f.state.CurrentFileName = path;
    f.commands.Save();
    const QByteArray before = ReadTestFile(path);
    f.panel.AddObject(std::make_unique<TFailingObject>())->SetBounds(1, 1, 20, 20);
    f.state.ChangesMade = true;
    f.ui.Answers.push_back(true);
    f.commands.New();
    QCOMPARE(f.ui.Messages, QStringList{"Stream write error"});
    QCOMPARE(ReadTestFile(path), before);
    QVERIFY(f.state.ChangesMade);
    QCOMPARE(f.panel.Objects().size(), size_t(2)); // New did not throw the design away
}

void TestFileCommands::deleteAsksAndRemovesCompanion() {
    TFixture f;
    const QString path = f.saved("old.PTV");
    QVERIFY(WriteTestFile(path, "\x01\x00"));
    WriteCompanionFile(path, "/art.bmp");
    f.ui.FileNames.push_back(path);
    f.ui.Answers.push_back(true);
    f.commands.Delete();
    QCOMPARE(f.ui.FileTitles, QStringList{"Delete Business Card"});
    QCOMPARE(f.ui.Questions, QStringList{"CONFIRM: Delete " + path + "?"});
    QVERIFY(!QFile::exists(path));
    QVERIFY(!QFile::exists(f.saved("old.PTX")));
}

void TestFileCommands::cancelChangesReopens() {
    TFixture f;
    const QString path = f.saved("card.PTV");
    f.add();
    f.commands.SaveBCFile(path);
    f.state.CurrentFileName = path;
    f.add(30);
    f.state.ChangesMade = true;
    f.ui.Answers.push_back(true);
    f.commands.CancelChanges();
    QCOMPARE(f.ui.Questions, QStringList{"CANCEL: Cancel all changes?"});
    QCOMPARE(f.panel.Objects().size(), size_t(1));
    QVERIFY(!f.state.ChangesMade);
}

QTEST_MAIN(TestFileCommands)
#include "test_file_commands.moc"
