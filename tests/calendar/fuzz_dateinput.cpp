// libFuzzer entry: any bytes through the date reader (dateinputcheck.h).
// Built by scripts/fuzz.sh.
#include "dateinputcheck.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString problem = testing::dateInputProblem(
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "date reader: %s\n", qPrintable(problem));
        std::abort();
    }
    return 0;
}
