// Facts about the app, the device and the user that every server request and SDK web page
// carries. The tables are built afresh at each call, on any thread, so they always hold the
// current user, module and tracking state.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace velkor {

class VelkorParameters {
 public:
  using Parameters = std::map<std::string, std::string>;

  // The device's OS version ("13.5.1"), read from ui::Device once per process at the first read.
  static std::string osVer();

  // Fixes the OS version the SDK sees from now on, in place of the device's; for tests, which may
  // call it before or after the first read.
  static void setOsVerForTesting(std::string osVer);

  static std::string sdkVer();
  // The main bundle's "CFBundleShortVersionString" when it is text, else empty; read each time.
  static std::string appVer();
  // The device's OS name, read once per process.
  static std::string os();
  // The device's marketing name, read once per process from its hardware identifier.
  static std::string model();
  // The marketing name of a hardware identifier; an identifier the SDK does not know is its own
  // name.
  static std::string modelName(std::string_view machine);
  // The main bundle's identifier, else empty (the SDK's own library has no bundle of its own).
  static std::string packageName();
  // The id the SDK keeps for this installation, made and stored at the first read. Made exactly
  // once even when several threads ask first at the same time.
  static std::string deviceId();
  // Whether the advertising identifier may be sent, by the rules of the device's OS version.
  static bool isTrackingEnabled();

  // Every key of the requests, always present, empty when it has no value: os_ver, app_ver,
  // package_name, sdk_ver, pub_app_module_ver, pub_app_module_name, uid, app_id, pub_app_id,
  // pub_app_key, device_model, device_id, idfa, is_lat, enable_testing, key, tracking_id.
  static Parameters commonParameters();
  // The values of the web pages' placeholders, keyed by the placeholder ("{OS_VER}", ...).
  static Parameters webPageParameters();

  // Where "tracking_id" comes from in place of the core's tracking repository, which gives it
  // while no source is installed (nullptr goes back to it). For tests.
  static void setTrackingIdSource(std::function<std::string()> source);
};

}  // namespace velkor
