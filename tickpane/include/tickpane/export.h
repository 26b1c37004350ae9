#pragma once

// Marks the declarations that libtickpane exports; everything else stays hidden.
#if defined(TICKPANE_BUILDING)
#define TICKPANE_API __attribute__((visibility("default")))
#else
#define TICKPANE_API
#endif
