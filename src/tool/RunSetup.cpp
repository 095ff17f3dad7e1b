#include "tool/RunSetup.h"

#include "app/BackSide.h"
#include "app/Companion.h"
#include "app/Preferences.h"
#include "richtext/WPRichText.h"
#include "surface/BusinessCardPanel.h"
#include "surface/ObjectStream.h"

#include <QFileInfo>
#include <QTextStream>

int FailTool(const QString& message) {
    QTextStream(stderr) << message << '\n';
    return 1;
}

TToolRun::TToolRun() = default;
TToolRun::~TToolRun() = default;

bool ParseToolSides(const QString& value, TPrintSides& sides) {
    if (value == QLatin1String("front"))
        sides = TPrintSides::Front;
    else if (value == QLatin1String("back"))
        sides = TPrintSides::Back;
    else if (value == QLatin1String("both"))
        sides = TPrintSides::Both;
    else
        return false;
    return true;
}

QString BadToolSides() {
    return QStringLiteral("The sides must be front, back or both");
}

void LoadToolBackSide(const QString& design, TToolRun& run) {
    if (run.Settings.Sides.Sides == TPrintSides::Front)
        return;
    run.Back = std::make_unique<TGBusinessCardPanel32>();
    run.Back->LoadFromFile(BackSideFileName(design));
    run.Settings.BackPanel = run.Back.get();
}

QString PrepareToolRun(const QString& design, const QString& settingsFile, const QString& mergeFile,
                       TToolRun& run) {
    TPreferences prefs;
    if (!settingsFile.isEmpty()) {
        if (!QFileInfo(settingsFile).isFile())
            return QStringLiteral("Cannot open the settings file %1").arg(settingsFile);
        prefs = ReadPreferences(settingsFile);
    }
    TPrintRunSettings& settings = run.Settings;
    settings.Layout = prefs.Layout;
    settings.Nudges = prefs.Nudges;
    settings.Selection.FitTo(settings.Layout);
    if (const std::optional<QString> art = ReadCompanionFile(design))
        settings.BackgroundFile = *art;
    settings.BackBackgroundFile = ReadBackCompanionLine(design);
    if (!mergeFile.isEmpty()) {
        try {
            run.List = LoadMergeList(mergeFile);
        } catch (const EMergeListError& e) {
            return QStringLiteral("The list %1 cannot be used. %2").arg(mergeFile, e.Message());
        }
        settings.MergeList = &run.List;
        for (int i = 0; i < run.List.Count(); ++i)
            settings.MergeRecords.append(i);
    }
    return {};
}

void LoadToolDesign(TGBusinessCardPanel32& panel, const QString& design) {
    if (!QFileInfo(design).isFile())
        throw EStreamError(StreamMessage::CannotOpen(design));
    CreateMasterRichText(&panel);
    panel.LoadFromFile(design);
}
