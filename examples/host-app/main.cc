// A sample publisher app. For now it only says which SDK it links.
#include <cstdio>

#include "velkor/core/sdk_version.h"

int main() {
  std::printf("Velkor SDK %s\n", velkor::kSdkVersion);
  return 0;
}
