// libFuzzer's entry points around one fuzz target, the one named by VUSKA_FUZZ_TARGET when it
// is built. scripts/fuzz.sh builds every target with clang and runs them; by hand:
//   build-fuzz/bench/fuzz/fuzz_registry -runs=1000000 -timeout=10 CORPUS_FOLDER
// An empty corpus folder is given the target's seeds first. The target works in a throw-away
// sandbox, removed when the run ends without a crash. `fuzz_NAME --full-inputs` prints the
// number of inputs of a full run and exits.

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <QDir>
#include <QFile>
#include <QString>

#include "bench/fuzz/targets.h"

namespace {

vuska::fuzz::Target* gTarget = nullptr;
QString* gSandbox = nullptr;

void removeSandbox()
{
    if (gSandbox != nullptr)
        QDir(*gSandbox).removeRecursively();
}

// The first folder named on the command line is the corpus libFuzzer reads and adds to.
void seedEmptyCorpus(int argc, char** argv, const vuska::fuzz::Target& target)
{
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] == '-')
            continue;
        const QDir corpus(QString::fromLocal8Bit(argv[i]));
        if (!corpus.exists() || !corpus.isEmpty())
            return;
        for (size_t n = 0; n < target.seeds.size(); ++n) {
            QFile file(corpus.filePath(QStringLiteral("seed-%1").arg(n)));
            if (file.open(QIODevice::WriteOnly))
                file.write(target.seeds[n]);
        }
        return;
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    using namespace vuska::fuzz;
    const QString setFolder = QStringLiteral(VUSKA_SET_DIR);
    // On a memory file system where there is one we may write to, else in the temporary folder.
    char pattern[] = "/dev/shm/vuska-libfuzzer-XXXXXX";
    QByteArray fallback = QFile::encodeName(QDir::tempPath() + QStringLiteral("/vuska-libfuzzer-XXXXXX"));
    const char* made = ::mkdtemp(pattern);
    if (made == nullptr)
        made = ::mkdtemp(fallback.data());
    if (made == nullptr) {
        std::perror("fuzz: no sandbox in /dev/shm or the temporary folder");
        std::exit(2);
    }
    gSandbox = new QString(QString::fromLocal8Bit(made));
    std::atexit(removeSandbox);
    prepareSandbox(*gSandbox);
    for (const NamedTarget& named : allTargets(setFolder))
        if (std::strcmp(named.name, VUSKA_FUZZ_TARGET) == 0)
            gTarget = new Target(named.make(*gSandbox));
    if (gTarget == nullptr) {
        std::fprintf(stderr, "fuzz: no target named %s\n", VUSKA_FUZZ_TARGET);
        std::exit(2);
    }
    for (int i = 1; i < *argc; ++i)
        if (std::strcmp((*argv)[i], "--full-inputs") == 0) {
            std::printf("%ld\n", gTarget->fullInputs);
            std::exit(0);
        }
    seedEmptyCorpus(*argc, *argv, *gTarget);
    if (gTarget->setUp)
        gTarget->setUp();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    gTarget->run(std::span(data, size));
    return 0;
}
