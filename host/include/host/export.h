#pragma once

// Marks the declarations that libtickhost exports; everything else stays hidden.
#if defined(HOST_BUILDING)
#define HOST_API __attribute__((visibility("default")))
#else
#define HOST_API
#endif
