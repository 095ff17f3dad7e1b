#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream(stderr) << "usage: pentavo-tool COMMAND ...\n";
    return 1;
}
