#include "app/FontConfigWarmUp.h"

#ifdef ZELVIK_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace zelvik {

FontConfigWarmUp::FontConfigWarmUp() {
#ifdef ZELVIK_HAVE_FONTCONFIG
    // FcInit is safe to run beside other threads; Qt's own call later finds
    // the configuration made and returns at once.
    reader_ = std::thread([] { FcInit(); });
#endif
}

void FontConfigWarmUp::finish() {
    if (reader_.joinable())
        reader_.join();
}

} // namespace zelvik
