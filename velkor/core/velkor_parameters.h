// Facts about the app, the device and the user that every server request and SDK web page
// carries.
#pragma once

#include <string>

namespace velkor {

class VelkorParameters {
 public:
  // The device's OS version ("13.5.1"), read from ui::Device once per process at the first read.
  static std::string osVer();

  // Fixes the OS version the SDK sees from now on, in place of the device's; for tests, which may
  // call it before or after the first read.
  static void setOsVerForTesting(std::string osVer);
};

}  // namespace velkor
