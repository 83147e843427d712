// libFuzzer target for the recovery copy reader. Beyond not crashing, every
// input the reader accepts must write back to exactly the same bytes.
#include "session/RecoveryCopy.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto copy = zelvik::parseRecoveryCopy(bytes);
    if (copy && zelvik::serializeRecoveryCopy(*copy) != bytes)
        std::abort();
    return 0;
}
