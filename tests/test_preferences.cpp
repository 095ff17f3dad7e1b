#include "support/TestSupport.h"

#include "app/CommandAction.h"
#include "app/DefaultFont.h"
#include "app/MainScreen.h"
#include "app/MainSettings.h"
#include "app/PanelPreferences.h"
#include "app/PersonalInformation.h"
#include "app/Preferences.h"
#include "app/RecentFiles.h"
#include "objects/BusinessCardLabel.h"
#include "platform/IniFile.h"
#include "surface/BusinessCardPanel.h"
#include "widgets/DialogButtonBar.h"
#include "widgets/StandardDialogs.h"
#include "widgets/WindowPlacement.h"

#include <QDir>

#include <QFile>
#include <QFontDialog>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QWidget>
#include <QtTest>
#include <climits>

namespace {

QStringList menuTexts(const QMenu& menu) {
    QStringList texts;
    for (const QAction* a : menu.actions())
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return texts;
}

} // namespace

class TestPreferences : public QObject {
    Q_OBJECT
private slots:
    void freshStartGivesDefaults();
    void lengthsInThousandths_data();
    void lengthsInThousandths();
    void badValuesReadDefaults();
    void extremeValuesOfEveryKeyAreClamped();
    void writesEverySectionInOrder();
    void roundTripKeepsForeignLines();
    void defaultFontStyles();
    void recentFilesKeepFiveMostRecentFirst();
    void recentFilesMenuAndClick();
    void placementSectionName_data();
    void placementSectionName();
    void placementPushBack_data();
    void placementPushBack();
    void placementClamp_data();
    void placementClamp();
    void placementRoundTrip();
    void personalInformationDialog();
    void personalInformationRereadsAndSaves();
    void personalInformationCancelChangesNothing();
    void unwritableSettingsAreReported();
    void defaultFontCaption_data();
    void defaultFontCaption();
    void defaultFontCommand();
    void fontDialogKeepsStoredName();
    void mainWindowTakesTheSettings();
};

void TestPreferences::freshStartGivesDefaults() {
    TTestProgramFolder folder;
    const TPreferences p = ReadPreferences(SettingsFileName());
    QCOMPARE(p, TPreferences());
    QCOMPARE(p.Layout.Width, 3.5f);
    QCOMPARE(p.Layout.Height, 2.0f);
    QCOMPARE(p.Layout.Across, 2);
    QCOMPARE(p.Layout.Down, 5);
    QCOMPARE(p.Layout.LeftMargin, 0.75f);
    QCOMPARE(p.Layout.TopMargin, 0.5f);
    QCOMPARE(p.Layout.Papersize, 1);
    QCOMPARE(p.DefaultFont.Name, QString("Arial"));
    QCOMPARE(p.DefaultFont.Size, 10);
    QVERIFY(p.Nudges.ShowBottomMarginWarning);
    TMRUFileList mru(SettingsFileName());
    mru.Load();
    QVERIFY(mru.Items().isEmpty());
    QVERIFY(!QFile::exists(SettingsFileName())); // reading never creates the file
}

void TestPreferences::lengthsInThousandths_data() {
    QTest::addColumn<float>("inches");
    QTest::addColumn<int>("stored");
    QTest::newRow("3.543") << 3.543f << 3543;
    QTest::newRow("3.499") << 3.499f << 3499;
    QTest::newRow("85 mm") << float(85 / 25.4) << 3346;
    QTest::newRow("0.75") << 0.75f << 750;
}

void TestPreferences::lengthsInThousandths() {
    QFETCH(float, inches);
    QFETCH(int, stored);
    TTestProgramFolder folder;
    TPreferences p;
    p.Layout.Width = inches;
    QVERIFY(WritePreferences(SettingsFileName(), p));
    QVERIFY(
        ReadTestFile(SettingsFileName()).contains("\nWidth=" + QByteArray::number(stored) + "\n"));
    QCOMPARE(ThousandthsFromInches(ReadPreferences(SettingsFileName()).Layout.Width), stored);
}

void TestPreferences::badValuesReadDefaults() {
    TTestProgramFolder folder;
    QVERIFY(WriteTestFile(folder.Path() + "ptv.ini", "[layout]\nacross=0x10\nDown=lots\nWidth=\n"
                                                     "[Default Font]\nSize=0\nBold=1\n"
                                                     "[Printer]\nShowBottomMarginWarning=0\n"
                                                     "TopMarginNudge=-3\n"));
    const TPreferences p = ReadPreferences(SettingsFileName());
    QCOMPARE(p.Layout.Across, 10); // 16 is more than a sheet takes
    QCOMPARE(p.Layout.Down, 5);
    QCOMPARE(p.Layout.Width, 3.5f);
    QCOMPARE(p.DefaultFont.Size, 10); // a zero-point font is no usable default
    QVERIFY(p.DefaultFont.Bold);
    QVERIFY(!p.Nudges.ShowBottomMarginWarning);
    QCOMPARE(p.Nudges.TopMarginNudge, -3);
}

void TestPreferences::extremeValuesOfEveryKeyAreClamped() {
    TTestProgramFolder folder;
    const QByteArray huge(100000, 'x');
    QByteArray ini = "[Printer]\nTopMarginNudge=30000\nLeftMarginNudge=-30000\n"
                     "VerticalSpacing=0x7FFFFFFF\nHorizontalSpacing=-9\n"
                     "ShowBottomMarginWarning=maybe\n"
                     "[Personal]\nName=" +
                     huge + "\nFax=\x01\xff\n" +
                     "[Layout]\nHeight=2147483647\nWidth=-2147483648\nAcross=30000\nDown=30000\n"
                     "TopMargin=0xFFFFFFFF\nLeftMargin=99999999999\nHPitch=-1\nVPitch=12001\n"
                     "PredefLayout=-7\nPapersize=5\nUseMM=2\n"
                     "[Default Font]\nName=" +
                     huge + "\nSize=100000\nBold=x\nItalic=0x\n" +
                     "[TMainScreen_Placement]\nLeft=-2147483648\nTop=-2147483648\n"
                     "Right=2147483647\nBottom=2147483647\nMaximized=0\n"
                     "[MRU]\nF0=" +
                     huge + "\n";
    for (int i = 1; i < 1000; ++i)
        ini += "F" + QByteArray::number(i) + "=/cards/" + QByteArray::number(i) + ".ptv\n";
    QVERIFY(WriteTestFile(folder.Path() + "PTV.INI", ini));

    const TPreferences p = ReadPreferences(SettingsFileName());
    QCOMPARE(p.Nudges.TopMarginNudge, 8);
    QCOMPARE(p.Nudges.LeftMarginNudge, -8);
    QCOMPARE(p.Nudges.VerticalSpacing, 8);
    QCOMPARE(p.Nudges.HorizontalSpacing, -8);
    QVERIFY(p.Nudges.ShowBottomMarginWarning);
    QCOMPARE(p.Personal[0].size(), MaxPersonalLength);
    const TCardLayout& l = p.Layout;
    QCOMPARE(l.Height, MaxLayoutInches);
    QCOMPARE(l.Width, 0.0f);
    QCOMPARE(l.Across, MaxAcross);
    QCOMPARE(l.Down, MaxDown);
    QCOMPARE(l.TopMargin, 0.0f);
    QCOMPARE(l.LeftMargin, 0.75f); // no integer at all: the default
    QCOMPARE(l.HPitch, 0.0f);
    QCOMPARE(l.VPitch, MaxLayoutInches);
    QCOMPARE(l.PredefLayout, 0);
    QCOMPARE(l.Papersize, 1);
    QVERIFY(l.UseMM);
    QCOMPARE(p.DefaultFont.Name, QString("Arial"));
    QCOMPARE(p.DefaultFont.Size, 10);
    QVERIFY(!p.DefaultFont.Bold && !p.DefaultFont.Italic);

    // The main window starts with them on a card of bounded size.
    TMainScreen w;
    QVERIFY(w.BusinessCardPanel->width() <= 96 * MaxLayoutInches);
    QVERIFY(w.BusinessCardPanel->height() <= 96 * MaxLayoutInches);
    QVERIFY(w.CardSelection.Size() <= MaxAcross * MaxDown);
    QCOMPARE(w.Settings->RecentFiles->Items().size(), TMRUFileList::MaxEntries);
    QCOMPARE(w.Settings->RecentFiles->Items().first(), QString("/cards/1.ptv"));
    w.Settings->RestorePlacement();
    const QRect screen = w.screen()->geometry();
    QVERIFY(w.width() <= screen.width() && w.height() <= screen.height());
}

void TestPreferences::writesEverySectionInOrder() {
    TTestProgramFolder folder;
    TPreferences p;
    p.Personal[6] = "555-1234";
    p.DefaultFont.Italic = true;
    QVERIFY(WritePreferences(SettingsFileName(), p));
    const QByteArray expected = "[Printer]\nTopMarginNudge=0\nLeftMarginNudge=0\n"
                                "VerticalSpacing=0\nHorizontalSpacing=0\n"
                                "ShowBottomMarginWarning=1\n"
                                "[Personal]\nName=\nCompany=\nTitle=\nAddress1=\nAddress2=\n"
                                "Address3=\nPhone1=555-1234\nPhone2=\nEmail=\nFax=\n"
                                "[Default Font]\nName=Arial\nSize=10\nBold=0\nItalic=1\n"
                                "Underline=0\n"
                                "[Layout]\nHeight=2000\nWidth=3500\nAcross=2\nDown=5\n"
                                "TopMargin=500\nLeftMargin=750\nHPitch=3500\nVPitch=2000\n"
                                "PredefLayout=0\nPapersize=1\nUseMM=0\n";
    QCOMPARE(ReadTestFile(SettingsFileName()), expected);
    QCOMPARE(ReadPreferences(SettingsFileName()), p);
}

void TestPreferences::roundTripKeepsForeignLines() {
    TTestProgramFolder folder;
    QVERIFY(WriteTestFile(folder.Path() + "PTV.INI",
                          "[MRU]\nF0=/cards/a.ptv\n[TMainScreen_Placement]\n"
                          "Left=5\n[Personal]\nName=Ann\n"));
    TPreferences p = ReadPreferences(SettingsFileName());
    QCOMPARE(p.Personal[0], QString("Ann"));
    p.Personal[0] = "Bob";
    QVERIFY(WritePreferences(SettingsFileName(), p));
    const QByteArray after = ReadTestFile(SettingsFileName());
    QVERIFY(after.startsWith("[MRU]\nF0=/cards/a.ptv\n[TMainScreen_Placement]\nLeft=5\n"
                             "[Personal]\nName=Bob\n"));
    QCOMPARE(ReadPreferences(SettingsFileName()), p);
}

void TestPreferences::defaultFontStyles() {
    TFont font;
    font.Set(fsBold, true);
    font.Set(fsStrikeOut, true);
    TDefaultFontValues v;
    v.Name = "Times New Roman";
    v.Size = 12;
    v.Italic = true;
    ApplyDefaultFont(v, font);
    QCOMPARE(font.Name, QString("Times New Roman"));
    QCOMPARE(font.Height, -16);
    QVERIFY(!font.Has(fsBold));
    QVERIFY(font.Has(fsItalic));
    QVERIFY(font.Has(fsStrikeOut)); // not a default-font style: left as it was
    QCOMPARE(DefaultFontFrom(font), v);
}

void TestPreferences::recentFilesKeepFiveMostRecentFirst() {
    TTestProgramFolder folder;
    QVERIFY(WriteTestFile(folder.Path() + "PTV.INI",
                          "[Layout]\nWidth=3000\n[MRU]\nF3=/d\nF0=/a\nF1=/b=c\n"
                          "F2=/c\nF4=/e\nF5=/f\n"));
    TMRUFileList mru(SettingsFileName());
    mru.Load();
    QCOMPARE(mru.Items(), QStringList({"/d", "/a", "/b=c", "/c", "/e"}));
    mru.Add("/c");
    QCOMPARE(mru.Items(), QStringList({"/c", "/d", "/a", "/b=c", "/e"}));
    mru.Add("/new");
    QCOMPARE(mru.Items(), QStringList({"/new", "/c", "/d", "/a", "/b=c"}));
    QVERIFY(mru.Save());
    QCOMPARE(ReadTestFile(SettingsFileName()),
             QByteArray("[Layout]\nWidth=3000\n[MRU]\nF0=/new\nF1=/c\nF2=/d\nF3=/a\nF4=/b=c\n"));
}

void TestPreferences::recentFilesMenuAndClick() {
    TTestProgramFolder folder;
    QMenu file;
    file.addAction("E&xit");
    TMRUFileList mru(SettingsFileName());
    mru.AttachMenu(&file);
    QCOMPARE(menuTexts(file), QStringList({"E&xit"}));
    mru.Add("/cards/one.ptv");
    mru.Add("/cards/R&D.ptv");
    QCOMPARE(menuTexts(file),
             QStringList({"E&xit", "-", "&1 /cards/R&&D.ptv", "&2 /cards/one.ptv"}));
    QString opened;
    QStringList listAtClick;
    mru.OnClick = [&](const QString& p) {
        opened = p;
        listAtClick = mru.Items();
    };
    file.actions().at(3)->trigger();
    QCOMPARE(opened, QString("/cards/one.ptv"));
    QCOMPARE(listAtClick, QStringList({"/cards/R&D.ptv"}));
    QCOMPARE(menuTexts(file), QStringList({"E&xit", "-", "&1 /cards/R&&D.ptv"}));
    QVERIFY(!QFile::exists(SettingsFileName())); // a click does not rewrite the file
}

void TestPreferences::placementSectionName_data() {
    QTest::addColumn<int>("ppi");
    QTest::addColumn<QString>("section");
    QTest::newRow("96") << 96 << "TMainScreen_Placement";
    QTest::newRow("72") << 72 << "TMainScreen_Placement";
    QTest::newRow("120") << 120 << "TMainScreen_Placement120";
}

void TestPreferences::placementSectionName() {
    QFETCH(int, ppi);
    QFETCH(QString, section);
    QCOMPARE(PlacementSection("TMainScreen", ppi), section);
}

void TestPreferences::placementPushBack_data() {
    QTest::addColumn<TStoredPlacement>("stored");
    QTest::addColumn<TStoredPlacement>("expected");
    QTest::newRow("off the right")
        << TStoredPlacement{900, 100, 1700, 500} << TStoredPlacement{480, 100, 1280, 500};
    QTest::newRow("off the bottom")
        << TStoredPlacement{10, 700, 600, 1100} << TStoredPlacement{10, 624, 600, 1024};
    QTest::newRow("left and above stay")
        << TStoredPlacement{-300, -50, 200, 300} << TStoredPlacement{-300, -50, 200, 300};
    QTest::newRow("fits") << TStoredPlacement{0, 0, 1280, 1024}
                          << TStoredPlacement{0, 0, 1280, 1024};
}

void TestPreferences::placementPushBack() {
    QFETCH(TStoredPlacement, stored);
    QFETCH(TStoredPlacement, expected);
    QCOMPARE(PushOntoScreen(stored, QRect(0, 0, 1280, 1024)), expected);
}

void TestPreferences::placementClamp_data() {
    QTest::addColumn<TStoredPlacement>("stored");
    QTest::addColumn<TStoredPlacement>("expected");
    QTest::newRow("normal") << TStoredPlacement{40, 30, 240, 130}
                            << TStoredPlacement{40, 30, 240, 130};
    QTest::newRow("whole integer range")
        << TStoredPlacement{INT_MIN, INT_MIN, INT_MAX, INT_MAX}
        << TStoredPlacement{-32767, -32767, -32767 + 1280, -32767 + 1024};
    QTest::newRow("inside out") << TStoredPlacement{500, 400, 100, 100}
                                << TStoredPlacement{500, 400, 501, 401};
    QTest::newRow("larger than the screen")
        << TStoredPlacement{0, 0, 5000, 3000} << TStoredPlacement{0, 0, 1280, 1024};
}

void TestPreferences::placementClamp() {
    QFETCH(TStoredPlacement, stored);
    QFETCH(TStoredPlacement, expected);
    QCOMPARE(ClampPlacement(stored, QRect(0, 0, 1280, 1024)), expected);
}

void TestPreferences::placementRoundTrip() {
    TTestProgramFolder folder;
    const QString ini = SettingsFileName();
    QWidget window;
    window.resize(300, 200);
    RestoreWindowPlacement(window, ini); // nothing stored: centred, then saved
    const QRect screen = window.screen()->geometry();
    QCOMPARE(window.geometry().center().x(), screen.center().x());
    TIniFile file(ini);
    const QString section = PlacementSection("QWidget", 96);
    QCOMPARE(file.ReadInteger(section, "Right", 0) - file.ReadInteger(section, "Left", 0), 300);
    QVERIFY(file.WriteInteger(section, "Left", 40));
    QVERIFY(file.WriteInteger(section, "Top", 30));
    QVERIFY(file.WriteInteger(section, "Right", 240));
    QVERIFY(file.WriteInteger(section, "Bottom", 130));
    QWidget other;
    RestoreWindowPlacement(other, ini);
    QCOMPARE(other.geometry(), QRect(40, 30, 200, 100));
}

void TestPreferences::personalInformationDialog() {
    TPersonalInformation dialog(nullptr);
    QCOMPARE(dialog.windowTitle(), QString("Personal Information"));
    QStringList labels, names;
    for (QLineEdit* e : dialog.Edits) {
        names << e->objectName();
        labels << static_cast<QLabel*>(dialog.findChild<QFormLayout*>()->labelForField(e))->text();
    }
    QCOMPARE(labels, QStringList({"Name", "Company", "Title", "Address 1", "Address 2", "Address 3",
                                  "Phone 1", "Phone 2", "E-mail", "Fax"}));
    QCOMPARE(names.first(), QString("pPersonalName"));
    QCOMPARE(names.last(), QString("pPersonalFax"));
    TPersonalInfo v;
    v[8] = "ann@example.org";
    dialog.SetValues(v);
    QCOMPARE(dialog.Values(), v);
    QVERIFY(dialog.Buttons->OKButton()->isDefault());
}

void TestPreferences::personalInformationRereadsAndSaves() {
    TTestProgramFolder folder;
    const QString ini = SettingsFileName();
    QVERIFY(WriteTestFile(ini, "[Personal]\nName=Ann\nPhone1=555-0100\n[Default Font]\nName=Arial\n"
                               "Size=12\n"));
    TScriptedInteraction script;
    QString shownPhone;
    script.OnExec = [&](QDialog& d) {
        auto* phone = d.findChild<QLineEdit*>("pPersonalPhone1");
        shownPhone = phone->text();
        phone->setText("555-0199");
        return int(QDialog::Accepted);
    };
    TGBusinessCardPanel32 panel;
    TPreferences prefs;
    prefs.Personal[6] = "stale";
    SetPanelPersonalInfo(panel, prefs.Personal);
    auto* earlier =
        static_cast<TGBusinessCardLabel*>(panel.AddObject(std::make_unique<TGBusinessCardLabel>()));
    earlier->Loaded();
    earlier->SetCaption("555-0100");
    QVERIFY(EditPersonalInformation(nullptr, prefs, panel, ini));
    QCOMPARE(shownPhone, QString("555-0100")); // the file was read again
    QCOMPARE(ReadPreferences(ini).Personal[6], QString("555-0199"));
    QCOMPARE(ReadPreferences(ini).Personal[0], QString("Ann"));
    QCOMPARE(panel.PersonalInfo()[6], QString("555-0199"));
    QCOMPARE(panel.Font().Size(), 12);
    earlier->PopupOpening();
    QCOMPARE(earlier->PersonalInfoMenu()->actions().at(6)->text(), QString("Phone 1\t555-0199"));
    QCOMPARE(earlier->Caption(), QString("555-0100"));
}

void TestPreferences::personalInformationCancelChangesNothing() {
    TTestProgramFolder folder;
    const QString ini = SettingsFileName();
    const QByteArray before = "[Personal]\nName=Ann\n";
    QVERIFY(WriteTestFile(ini, before));
    TScriptedInteraction script;
    script.OnExec = [](QDialog& d) {
        d.findChild<QLineEdit*>("pPersonalName")->setText("Typed");
        return int(QDialog::Rejected);
    };
    TGBusinessCardPanel32 panel;
    panel.SetPersonalInfo(0, "Ann");
    TPreferences prefs;
    QVERIFY(!EditPersonalInformation(nullptr, prefs, panel, ini));
    QCOMPARE(ReadTestFile(ini), before);
    QCOMPARE(panel.PersonalInfo()[0], QString("Ann"));
}

void TestPreferences::unwritableSettingsAreReported() {
    TTestProgramFolder folder;
    QVERIFY(QDir(folder.Path()).mkdir("PTV.INI"));
    TScriptedInteraction script;
    TGBusinessCardPanel32 panel;
    TPreferences prefs;
    QVERIFY(!SavePreferences(prefs, panel, SettingsFileName()));
    QCOMPARE(script.Messages.size(), 1);
    QVERIFY(script.Messages[0].startsWith("Unable to save the settings in "));
}

void TestPreferences::defaultFontCaption_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("size");
    QTest::addColumn<unsigned>("style");
    QTest::addColumn<QString>("caption");
    QTest::newRow("plain") << "Arial" << 10 << 0u << "Default Font: Arial, 10 pt ";
    QTest::newRow("bold") << "Arial" << 12 << 1u << "Default Font: Arial, 12 pt , bold";
    QTest::newRow("all three") << "Times New Roman" << 8 << 7u
                               << "Default Font: Times New Roman, 8 pt , bold, italic, underline";
    QTest::newRow("strike-out not named") << "Arial" << 10 << 8u << "Default Font: Arial, 10 pt ";
}

void TestPreferences::defaultFontCaption() {
    QFETCH(QString, name);
    QFETCH(int, size);
    QFETCH(unsigned, style);
    QFETCH(QString, caption);
    TFont f;
    f.Name = name;
    f.SetSize(size);
    f.Style = style;
    QCOMPARE(DefaultFontCaption(f), caption);
}

void TestPreferences::defaultFontCommand() {
    TTestProgramFolder folder;
    const QString ini = SettingsFileName();
    TScriptedInteraction script;
    script.OnExec = [](QDialog& d) {
        auto* fonts = dynamic_cast<QFontDialog*>(&d);
        if (!fonts)
            return int(QDialog::Rejected);
        QFont f("Liberation Serif", 14);
        f.setBold(true);
        fonts->setCurrentFont(f);
        return int(QDialog::Accepted);
    };
    TGBusinessCardPanel32 panel;
    TPreferences prefs;
    LoadPreferences(prefs, panel, ini);
    QAction item("&Default Font - ");
    QVERIFY(ChooseDefaultFont(nullptr, panel, &item, prefs, ini));
    QCOMPARE(panel.Font().Name, QString("Liberation Serif"));
    QCOMPARE(panel.Font().Size(), 14);
    QCOMPARE(item.text(), QString("Default Font: Liberation Serif, 14 pt , bold"));
    const TPreferences stored = ReadPreferences(ini);
    QCOMPARE(stored.DefaultFont.Name, QString("Liberation Serif"));
    QCOMPARE(stored.DefaultFont.Size, 14);
    QVERIFY(stored.DefaultFont.Bold);
    // Cancel keeps the font but still refreshes the caption and saves.
    QFile::remove(ini);
    script.OnExec = nullptr;
    item.setText("x");
    QVERIFY(!ChooseDefaultFont(nullptr, panel, &item, prefs, ini));
    QCOMPARE(item.text(), QString("Default Font: Liberation Serif, 14 pt , bold"));
    QCOMPARE(ReadPreferences(ini).DefaultFont.Size, 14);
}

void TestPreferences::fontDialogKeepsStoredName() {
    // Confirming the dialog without picking another family keeps "Arial", which the
    // dialog shows as the family standing in for it.
    TScriptedInteraction script;
    script.OnExec = [](QDialog&) { return int(QDialog::Accepted); };
    TFont start;
    start.SetSize(10);
    const auto font = ChooseFont(start, nullptr);
    QVERIFY(font);
    QCOMPARE(font->Name, QString("Arial"));
    QCOMPARE(font->Size(), 10);
}

void TestPreferences::mainWindowTakesTheSettings() {
    TTestProgramFolder folder;
    QVERIFY(WriteTestFile(folder.Path() + "PTV.INI",
                          "[Default Font]\nName=Times New Roman\nSize=12\nBold=1\n"
                          "[Personal]\nName=Ann Lee\n[MRU]\nF0=/cards/a.ptv\n"
                          "[Layout]\nWidth=3000\nHeight=2000\n"));
    TMainScreen w;
    QCOMPARE(w.DefaultFontItem->text(), QString("Default Font: Times New Roman, 12 pt , bold"));
    QCOMPARE(w.BusinessCardPanel->Font().Name, QString("Times New Roman"));
    QVERIFY(w.BusinessCardPanel->Font().Has(fsBold));
    QCOMPARE(w.BusinessCardPanel->PersonalInfo()[0], QString("Ann Lee"));
    QCOMPARE(w.FileMenu->actions().last()->text(), QString("&1 /cards/a.ptv"));
    QCOMPARE(w.BusinessCardPanel->width(), 288); // 3 inches
    QVERIFY(w.PersonalInformationItem->Wired());
    QVERIFY(w.DefaultFontItem->Wired());

    TScriptedInteraction script;
    script.OnExec = [](QDialog& d) {
        d.findChild<QLineEdit*>("pPersonalPhone1")->setText("555-0199");
        return int(QDialog::Accepted);
    };
    w.PersonalInformationItem->setEnabled(true);
    w.PersonalInformationItem->trigger();
    QCOMPARE(w.BusinessCardPanel->PersonalInfo()[6], QString("555-0199"));
    QCOMPARE(ReadPreferences(SettingsFileName()).Personal[6], QString("555-0199"));

    w.resize(640, 420);
    w.close();
    const TIniFile ini(SettingsFileName());
    const QString section = PlacementSection("TMainScreen", 96);
    QCOMPARE(ini.ReadInteger(section, "Right", 0) - ini.ReadInteger(section, "Left", 0), 640);
}

QTEST_MAIN(TestPreferences)
#include "test_preferences.moc"
