#include "FontConfigWarmup.h"

#ifdef MARDEX_WITH_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

FontConfigWarmup::FontConfigWarmup()
{
#ifdef MARDEX_WITH_FONTCONFIG
    // Two threads reading the configuration at once would each read it
    // whole: hence the wait() before the first widget.
    reader_ = std::thread([] { FcInit(); });
#endif
}
