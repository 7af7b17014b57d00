// A library that keeps a heap block in its globals until it is unloaded, as the GL driver under the
// web engine does: loaded and unloaded at run time by unload_held_block.
#include <cstdlib>

void* heldBlock = nullptr;

extern "C" void holdBlock() { heldBlock = std::realloc(heldBlock, 128); }
