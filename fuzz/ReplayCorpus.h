#pragma once

#include <QDir>
#include <QFile>
#include <QTextStream>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

// Runs the fuzz target without libFuzzer on bytes.
inline void RunFuzzTarget(const QByteArray& bytes) {
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                           std::size_t(bytes.size()));
}

// Every file of the corpus, every prefix of it and a spread of single-byte changes.
// Returns the number of corpus files replayed.
inline int ReplayCorpus(const QDir& corpus) {
    int files = 0;
    for (const QFileInfo& info : corpus.entryInfoList(QDir::Files)) {
        QFile f(info.filePath());
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QByteArray seed = f.readAll();
        ++files;
        for (qsizetype n = 0; n <= seed.size(); ++n)
            RunFuzzTarget(seed.left(n));
        const qsizetype step = qMax<qsizetype>(1, seed.size() / 200);
        for (qsizetype i = 0; i < seed.size(); i += step)
            for (const unsigned char flip : {0x01, 0x80, 0xFF}) {
                QByteArray changed = seed;
                changed[i] = char(changed[i] ^ flip);
                RunFuzzTarget(changed);
            }
    }
    QTextStream(stdout) << "replayed " << files << " corpus files\n";
    return files;
}
