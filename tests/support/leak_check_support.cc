// What the leak check at exit needs to tell our leaks from those of the libraries the web engine
// brings. Every test program and benchmark links this file.
#include <dlfcn.h>

// A library loaded at run time stays loaded until the program ends: dlclose unloads nothing.
//
// The web engine loads libraries of its own at run time (the GL driver under its EGL display among
// them) and unloads them again. On some processors such a driver keeps a heap block in its globals;
// once its mapping is gone nothing points at the block any more, and the leak check at exit reports
// it as ours. Its frames then belong to no module, so no suppression by library name can match it,
// and one that matched unknown modules would hide our own leaks too. Kept loaded, the block stays
// reachable through the library's globals and the library keeps its name.
//
// The executable's own definition comes before the sanitizer runtime's and the C library's, for
// every library the program loads; the build exports it from each program that links this file.
extern "C" int dlclose(void*) { return 0; }

// The web engine's own leaks are suppressed by library, also when a test program runs alone;
// LSAN_OPTIONS given by the caller come after these.
extern "C" const char* __lsan_default_options() { return "suppressions=" VELKOR_LSAN_SUPPRESSIONS; }
