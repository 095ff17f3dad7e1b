#include "app/CommandLine.h"

#include <QDir>
#include <QUrl>

QString DesignFileFromArguments(const QStringList& arguments, const QString& workingFolder) {
    // arguments[0] is the program itself; "--" ends the options.
    bool options = true;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (options && arg == QLatin1String("--")) {
            options = false;
            continue;
        }
        if (arg.isEmpty() || (options && arg.startsWith('-')))
            continue;
        QString path = arg;
        if (arg.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
            // Only a file of this machine; another host's file is nothing to open here.
            const QUrl url(arg);
            const QString host = url.host();
            if (!host.isEmpty() && host != QLatin1String("localhost"))
                continue;
            path = url.path();
            if (path.isEmpty())
                continue;
        }
        return QDir::cleanPath(QDir(workingFolder).absoluteFilePath(path));
    }
    return {};
}

QString InformationRequested(const QStringList& arguments) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == QLatin1String("--"))
            break;
        if (arg == QLatin1String("--version"))
            return QStringLiteral("Pentavo " PENTAVO_VERSION "\n");
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h"))
            return QStringLiteral("Usage: pentavo [FILE]\n"
                                  "Designs business cards and prints them on card stock.\n"
                                  "FILE is a design to open; when Pentavo is already running,\n"
                                  "it opens there.\n\n"
                                  "  --version  print the version and exit\n"
                                  "  --help     print this text and exit\n");
    }
    return {};
}
