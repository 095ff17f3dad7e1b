#include "tool/PrintCommand.h"

#include "printing/CardPrinting.h"
#include "surface/BusinessCardPanel.h"
#include "surface/ObjectStream.h"
#include "tool/RunSetup.h"

#include <QFileInfo>

namespace {

QString Usage() {
    return QStringLiteral("usage: pentavo-tool print IN OUT.pdf [--settings PTV.INI] "
                          "[--cards 1,2,...] [--copies N] [--outline] [--merge LIST] "
                          "[--sides front|back|both] [--flip long|short]");
}

struct TPrintOptions {
    QString In, Out, Settings, Merge;
    QString Cards;
    int Copies = 1;
    bool Outline = false;
    TSidesChoice Sides;
};

// Reads the options; an empty result means they were fine.
QString ParseOptions(const QStringList& args, TPrintOptions& o) {
    QStringList rest;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--outline")) {
            o.Outline = true;
        } else if (a == QLatin1String("--settings") && hasValue) {
            o.Settings = args[++i];
        } else if (a == QLatin1String("--merge") && hasValue) {
            o.Merge = args[++i];
        } else if (a == QLatin1String("--cards") && hasValue) {
            o.Cards = args[++i];
        } else if (a == QLatin1String("--sides") && hasValue) {
            if (!ParseToolSides(args[++i], o.Sides.Sides))
                return BadToolSides();
        } else if (a == QLatin1String("--flip") && hasValue) {
            const QString v = args[++i];
            if (v == QLatin1String("long"))
                o.Sides.Flip = TFlipEdge::Long;
            else if (v == QLatin1String("short"))
                o.Sides.Flip = TFlipEdge::Short;
            else
                return QStringLiteral("The flip must be long or short");
        } else if (a == QLatin1String("--copies") && hasValue) {
            bool ok = false;
            o.Copies = args[++i].toInt(&ok);
            if (!ok || o.Copies < 1 || o.Copies > 99)
                return QStringLiteral("The number of copies must be a whole number from 1 to 99");
        } else if (a.startsWith(QLatin1String("--"))) {
            return Usage();
        } else {
            rest << a;
        }
    }
    if (rest.size() != 2)
        return Usage();
    o.In = rest[0];
    o.Out = rest[1];
    return {};
}

// The positions named by card numbers from 1; an empty result when a number is bad.
QString SelectCards(const QString& list, int count, TCardSelection& selection) {
    const QString bad =
        QStringLiteral("Card numbers must be whole numbers from 1 to %1, separated by commas")
            .arg(count);
    for (int i = 0; i < selection.Size(); ++i)
        selection.Set(i, false);
    for (const QString& item : list.split(QLatin1Char(','))) {
        bool ok = false;
        const int card = item.trimmed().toInt(&ok);
        if (!ok || card < 1 || card > count)
            return bad;
        selection.Set(card - 1, true);
    }
    return {};
}

} // namespace

int PrintCommand(const QStringList& args) {
    TPrintOptions o;
    if (const QString error = ParseOptions(args, o); !error.isEmpty())
        return FailTool(error);
    if (!QFileInfo(o.In).isFile())
        throw EStreamError(StreamMessage::CannotOpen(o.In));
    TToolRun run;
    if (const QString error = PrepareToolRun(o.In, o.Settings, o.Merge, run); !error.isEmpty())
        return FailTool(error);
    TPrintRunSettings& settings = run.Settings;
    settings.Copies = o.Copies;
    settings.OutlineOnly = o.Outline;
    settings.Sides = o.Sides;
    if (!o.Cards.isEmpty())
        if (const QString error =
                SelectCards(o.Cards, settings.Layout.PositionCount(), settings.Selection);
            !error.isEmpty())
            return FailTool(error);

    TGBusinessCardPanel32 panel;
    LoadToolDesign(panel, o.In);
    LoadToolBackSide(o.In, run);
    QString error;
    if (!PrintToPdf(panel, settings, o.Out, &error))
        return FailTool(error);
    return 0;
}
