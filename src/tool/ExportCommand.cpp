#include "tool/ExportCommand.h"

#include "printing/CardPicture.h"
#include "printing/PrintShopExport.h"
#include "surface/BusinessCardPanel.h"
#include "surface/ObjectStream.h"
#include "tool/RunSetup.h"

#include <cmath>

namespace {

QString ExportUsage() {
    return QStringLiteral("usage: pentavo-tool export IN OUT.pdf [--bleed INCHES] [--crop-marks] "
                          "[--merge LIST] [--sides front|back|both] [--settings PTV.INI]");
}

QString RenderUsage() {
    return QStringLiteral("usage: pentavo-tool render IN OUT.png --dpi [N] [--settings PTV.INI]");
}

} // namespace

int ExportCommand(const QStringList& args) {
    QStringList files;
    QString settingsFile, mergeFile;
    TPrintShopOptions options;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--crop-marks")) {
            options.CropMarks = true;
        } else if (a == QLatin1String("--bleed") && hasValue) {
            bool ok = false;
            options.Bleed = args[++i].toDouble(&ok);
            if (!ok || !std::isfinite(options.Bleed) || options.Bleed < 0 ||
                options.Bleed > MaxBleed)
                return FailTool(QStringLiteral("The bleed must be a number of inches from 0 to %1")
                                    .arg(MaxBleed));
        } else if (a == QLatin1String("--merge") && hasValue) {
            mergeFile = args[++i];
        } else if (a == QLatin1String("--settings") && hasValue) {
            settingsFile = args[++i];
        } else if (a == QLatin1String("--sides") && hasValue) {
            if (!ParseToolSides(args[++i], options.Sides))
                return FailTool(BadToolSides());
        } else if (a.startsWith(QLatin1String("--"))) {
            return FailTool(ExportUsage());
        } else {
            files << a;
        }
    }
    if (files.size() != 2)
        return FailTool(ExportUsage());
    TToolRun run;
    if (const QString error = PrepareToolRun(files[0], settingsFile, mergeFile, run);
        !error.isEmpty())
        return FailTool(error);
    run.Settings.Sides.Sides = options.Sides;
    TGBusinessCardPanel32 panel;
    LoadToolDesign(panel, files[0]);
    LoadToolBackSide(files[0], run);
    QString error;
    if (!ExportForPrintShop(panel, run.Settings, options, files[1], &error))
        return FailTool(error);
    return 0;
}

int RenderAtDpiCommand(const QString& in, const QString& out, const QStringList& options) {
    int dpi = 300;
    QString settingsFile;
    for (int i = 0; i < options.size(); ++i) {
        const QString& a = options[i];
        if (a == QLatin1String("--dpi") && i + 1 < options.size() &&
            !options[i + 1].startsWith(QLatin1String("--"))) {
            bool ok = false;
            dpi = options[++i].toInt(&ok);
            if (!ok || dpi < MinPictureDpi || dpi > MaxPictureDpi)
                return FailTool(
                    QStringLiteral("The resolution must be a whole number from %1 to %2")
                        .arg(MinPictureDpi)
                        .arg(MaxPictureDpi));
        } else if (a == QLatin1String("--settings") && i + 1 < options.size()) {
            settingsFile = options[++i];
        } else if (a != QLatin1String("--dpi")) {
            return FailTool(RenderUsage());
        }
    }
    TToolRun run;
    if (const QString error = PrepareToolRun(in, settingsFile, QString(), run); !error.isEmpty())
        return FailTool(error);
    TGBusinessCardPanel32 panel;
    LoadToolDesign(panel, in);
    if (!RenderCardPicture(panel, run.Settings, dpi).save(out, "PNG"))
        throw EStreamError(StreamMessage::CannotCreate(out));
    return 0;
}
