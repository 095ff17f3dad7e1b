// Merge printing into a PDF file: a seven-object card for 1,000 and for 10,000 people.
// Each size runs in a process of its own so that its peak memory is its own; the run must
// not hold every page or record in memory, so the peak should hardly grow with the list.
#include "merge/CsvReader.h"
#include "objects/BusinessCardLabel.h"
#include "objects/LabelShapes.h"
#include "printing/CardPrinting.h"
#include "surface/BasePanel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <sys/resource.h>

namespace {

TMergeList People(int count) {
    QByteArray csv = "Name,Title,Company,Street,Phone,Email\n";
    for (int i = 1; i <= count; ++i) {
        const QByteArray n = QByteArray::number(i);
        csv += "Person " + n + ",Engineer " + n + ",Pentavo Design Studio," + n +
               " Harbour Street,+44 20 7946 " + n + ",person" + n + "@pentavo.example\n";
    }
    return ReadCsvList(csv);
}

void AddDesign(TGBasePanel& panel) {
    const char* fields[] = {"${Name}",   "${Title}", "${Company}",
                            "${Street}", "${Phone}", "${Email}"};
    for (int i = 0; i < 6; ++i) {
        auto* t = static_cast<TGBusinessCardLabel*>(
            panel.AddObject(std::make_unique<TGBusinessCardLabel>()));
        TFont font;
        font.Name = QStringLiteral("Liberation Sans");
        font.SetSize(i == 0 ? 16 : 9);
        t->SetFont(font);
        t->SetCaption(QString::fromLatin1(fields[i]));
        t->SetBounds(100, 12 + 28 * i, 220, 24);
    }
    auto* s = static_cast<TBCShapes*>(panel.AddObject(std::make_unique<TBCShapes>()));
    s->SetShape(stEllipse);
    s->SetBounds(10, 140, 34, 34);
}

// One run in this process: prints "seconds peak-kB pdf-bytes".
int RunOnce(int count, const QString& keep) {
    TGBasePanel panel;
    panel.resize(336, 192);
    AddDesign(panel);
    const TMergeList list = People(count);
    TPrintRunSettings settings;
    settings.MergeList = &list;
    for (int i = 0; i < count; ++i)
        settings.MergeRecords.append(i);
    QTemporaryDir dir;
    const QString file = keep.isEmpty() ? dir.filePath("cards.pdf") : keep;
    double best = 1e9;
    for (int round = 0; round < 2; ++round) {
        QElapsedTimer timer;
        timer.start();
        if (!PrintToPdf(panel, settings, file, nullptr))
            return 1;
        best = std::min(best, timer.nsecsElapsed() / 1e9);
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    QTextStream(stdout) << best << ' ' << usage.ru_maxrss << ' ' << QFileInfo(file).size() << '\n';
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // --one N [FILE]: one run of N records, keeping the PDF in FILE when given.
    if (argc >= 3 && QByteArray(argv[1]) == "--one")
        return RunOnce(QByteArray(argv[2]).toInt(),
                       argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString());
    QTextStream out(stdout);
    double peak1000 = 0;
    for (const int count : {1000, 10000}) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {"--one", QString::number(count)});
        if (!child.waitForFinished(600000) || child.exitCode() != 0) {
            out << "merge run of " << count << " records failed\n";
            return 1;
        }
        const QStringList f = QString::fromLatin1(child.readAllStandardOutput()).split(' ');
        const double seconds = f.value(0).toDouble(), peak = f.value(1).toDouble() / 1024;
        if (count == 1000)
            peak1000 = peak;
        out << QStringLiteral("MergePrint/%1 records: %2 s, peak %3 MB, PDF %4 KB, peak %5 x "
                              "the 1,000-record run\n")
                   .arg(count)
                   .arg(seconds, 0, 'f', 3)
                   .arg(peak, 0, 'f', 1)
                   .arg(f.value(2).toDouble() / 1024, 0, 'f', 0)
                   .arg(peak / peak1000, 0, 'f', 2);
    }
    return 0;
}
