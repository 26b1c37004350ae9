#pragma once

// Marks the declarations that libfilerow exports; everything else stays hidden.
#if defined(FILEROW_BUILDING)
#define FILEROW_API __attribute__((visibility("default")))
#else
#define FILEROW_API
#endif
