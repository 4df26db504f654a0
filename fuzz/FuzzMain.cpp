// libFuzzer entry of one target, chosen at build time by ORVANTA_FUZZ_TARGET.

#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const Fuzz::Target target = Fuzz::FindTarget(ORVANTA_FUZZ_TARGET);
    return target(data, size);
}
