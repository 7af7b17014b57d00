// Facts about the device the app runs on, as a phone reports them. A plain value: the host app (or
// a test) sets what a phone would know; until then the facts come from this machine's uname.
#pragma once

#include <functional>
#include <string>

namespace ui {

// Raw values as the phone platform numbers them.
enum class UserInterfaceIdiom { unspecified = -1, phone = 0, pad = 1 };
enum class DeviceOrientation {
  unknown = 0,
  portrait = 1,
  portraitUpsideDown = 2,
  landscapeLeft = 3,
  landscapeRight = 4,
  faceUp = 5,
  faceDown = 6,
};

struct Device {
  // The OS name and its dotted version, which the SDK reports to servers and compares.
  std::string systemName;
  std::string systemVersion;
  // The hardware identifier (uname's machine field on this machine, such as "x86_64").
  std::string machine;
  // The generic kind of device ("Phone", "Pad").
  std::string model;
  UserInterfaceIdiom userInterfaceIdiom = UserInterfaceIdiom::phone;
  // A phone app running on a desktop computer.
  bool isPhoneAppOnDesktop = false;
  DeviceOrientation orientation = DeviceOrientation::portrait;

  // This machine: uname's system name, the leading dotted number of its release ("6.1.0" of
  // "6.1.0-13-amd64") and its machine field; a phone in portrait.
  static Device fromSystem();

  // The process-wide device, fromSystem() until set. Safe to read and set from any thread.
  static Device current();
  static void setCurrent(Device device);
  // Changes the current device in one step (no other change can come in between). The change runs
  // under the device's lock, so it must not call back into Device.
  static void update(const std::function<void(Device&)>& change);

  friend bool operator==(const Device&, const Device&) = default;
};

}  // namespace ui
