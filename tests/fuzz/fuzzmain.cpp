// The libFuzzer program of one target, named by FUZZ_TARGET_NAME at build time.
#include "fuzztargets.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

const fuzz::Target &target()
{
    static const fuzz::Target *found = fuzz::findTarget(QStringLiteral(FUZZ_TARGET_NAME));
    if (!found) {
        std::fprintf(stderr, "no fuzz target named %s\n", FUZZ_TARGET_NAME);
        std::abort();
    }
    return *found;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    fuzz::prepareApplication(argc, argv);
    target();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The bytes stay where libFuzzer put them, in a block of exactly their size.
    target().run(QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size)));
    fuzz::settle();
    return 0;
}
