#include "app/ObjectKinds.h"
#include "surface/ObjectStream.h"
#include "tool/ExportCommand.h"
#include "tool/PrintCommand.h"
#include "tool/ToolCommands.h"

#include <QApplication>
#include <QTextStream>

namespace {

// The usage text: on standard output when asked for with --help, else on standard error.
int usage(FILE* out = stderr) {
    QTextStream(out) << "usage: pentavo-tool dump FILE\n"
                        "       pentavo-tool resave IN OUT\n"
                        "       pentavo-tool render IN OUT.png [--zoom Z]\n"
                        "       pentavo-tool render IN OUT.png --dpi [N] [--settings PTV.INI]\n"
                        "       pentavo-tool export IN OUT.pdf [--bleed INCHES] [--crop-marks] "
                        "[--merge LIST]\n"
                        "                    [--sides front|back|both] [--settings PTV.INI]\n"
                        "       pentavo-tool print IN OUT.pdf [--settings PTV.INI] "
                        "[--cards 1,2,...] [--copies N] [--outline]\n"
                        "                    [--merge LIST] [--sides front|back|both] "
                        "[--flip long|short]\n";
    return out == stderr ? 1 : 0;
}

// Qt's own chatter would break "nothing on standard error on success".
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        QTextStream(stderr) << message << '\n';
}

int run(const QStringList& args) {
    if (args.size() == 1 && (args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h")))
        return usage(stdout);
    if (args.size() == 1 && args[0] == QLatin1String("--version")) {
        QTextStream(stdout) << "pentavo-tool " PENTAVO_VERSION "\n";
        return 0;
    }
    if (args.size() == 2 && args[0] == QLatin1String("dump"))
        return DumpCommand(args[1]);
    if (args.size() == 3 && args[0] == QLatin1String("resave"))
        return ResaveCommand(args[1], args[2]);
    if (args[0] == QLatin1String("render") && args.mid(3).contains(QLatin1String("--dpi")))
        return RenderAtDpiCommand(args[1], args[2], args.mid(3));
    if (args[0] == QLatin1String("export"))
        return ExportCommand(args.mid(1));
    if (args[0] == QLatin1String("render") && (args.size() == 3 || args.size() == 5)) {
        double zoom = 1.0;
        if (args.size() == 5) {
            bool ok = false;
            zoom = args[4].toDouble(&ok);
            // Written so that NaN, which fails every comparison, is refused too.
            if (args[3] != QLatin1String("--zoom") || !ok || !(zoom >= 0.1 && zoom <= 10)) {
                QTextStream(stderr) << "The zoom must be a number from 0.1 to 10\n";
                return 1;
            }
        }
        return RenderCommand(args[1], args[2], zoom);
    }
    if (args[0] == QLatin1String("print"))
        return PrintCommand(args.mid(1));
    return usage();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietMessages);
    QApplication app(argc, argv);
    QStringList args = QApplication::arguments();
    args.removeFirst();
    if (args.isEmpty())
        return usage();
    RegisterObjectKinds();
    try {
        return run(args);
    } catch (const EStreamError& e) {
        QTextStream(stderr) << e.Message() << '\n';
        return 1;
    }
}
