// Runs a fuzz target without libFuzzer: every file of its corpus, its prefixes and a spread
// of single-byte changes. With --make-seeds DIR it writes the target's seed inputs.
#include "FuzzReplay.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

std::function<void(const QString& folder)>& FuzzSeedMaker() {
    static std::function<void(const QString&)> maker;
    return maker;
}

namespace {

void run(const QByteArray& bytes) {
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                           std::size_t(bytes.size()));
}

} // namespace

int main(int argc, char** argv) {
    run(QByteArray()); // sets the target up
    if (argc == 3 && QByteArray(argv[1]) == "--make-seeds" && FuzzSeedMaker()) {
        FuzzSeedMaker()(QString::fromLocal8Bit(argv[2]));
        return 0;
    }
    const QDir corpus(argc > 1 ? QString::fromLocal8Bit(argv[1])
                               : QStringLiteral(PENTAVO_FUZZ_CORPUS));
    int files = 0;
    for (const QFileInfo& info : corpus.entryInfoList(QDir::Files)) {
        QFile f(info.filePath());
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QByteArray seed = f.readAll();
        ++files;
        // Every short prefix and a spread of longer ones, and changes at a spread of
        // places: some hundred and fifty runs per file, so that a large corpus replays quickly.
        const qsizetype step = qMax<qsizetype>(1, seed.size() / 32);
        for (qsizetype n = 0; n <= seed.size(); n += n < 16 ? 1 : step)
            run(seed.left(n));
        run(seed);
        for (qsizetype i = 0; i < seed.size(); i += step)
            for (const unsigned char flip : {0x01, 0x80, 0xFF}) {
                QByteArray changed = seed;
                changed[i] = char(changed[i] ^ flip);
                run(changed);
            }
    }
    QTextStream(stdout) << "replayed " << files << " corpus files\n";
    return files > 0 ? 0 : 1;
}
