// Loads the library named by its argument, lets it keep a heap block in its globals, unloads it and
// exits: the leak check at exit must not count the library's block as the program's leak.
#include <dlfcn.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: unload_held_block <library>\n");
    return 2;
  }
  void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
  if (!library) {
    std::fprintf(stderr, "%s\n", dlerror());
    return 2;
  }
  auto* hold = reinterpret_cast<void (*)()>(dlsym(library, "holdBlock"));
  if (!hold) {
    std::fprintf(stderr, "%s\n", dlerror());
    return 2;
  }
  hold();
  return dlclose(library) == 0 ? 0 : 2;
}
