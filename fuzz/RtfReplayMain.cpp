// Runs the RTF fuzz target without libFuzzer over its corpus.
#include "ReplayCorpus.h"

int main(int argc, char** argv) {
    const QDir corpus(argc > 1 ? QString::fromLocal8Bit(argv[1])
                               : QStringLiteral(PENTAVO_FUZZ_CORPUS));
    return ReplayCorpus(corpus) > 0 ? 0 : 1;
}
