// The core object behind the facade: one per process, created on first use and never destroyed.
// It owns the long-lived state every subsystem reads (configuration and theme so far).
#pragma once

#include <memory>
#include <mutex>

namespace velkor {

class VelkorConfig;
class VelkorColorScheme;
class VelkorDimension;

class VelkorInternal {
 public:
  static VelkorInternal& shared();

  VelkorInternal(const VelkorInternal&) = delete;
  VelkorInternal& operator=(const VelkorInternal&) = delete;

  // The host may replace each of these through the facade; readers fetch them on every use, and
  // one who keeps the pointer keeps the object it got alive. Never null.
  std::shared_ptr<VelkorConfig> config() const;
  void setConfig(std::shared_ptr<VelkorConfig> config);
  std::shared_ptr<VelkorColorScheme> colorScheme() const;
  void setColorScheme(std::shared_ptr<VelkorColorScheme> colorScheme);
  std::shared_ptr<VelkorDimension> dimension() const;
  void setDimension(std::shared_ptr<VelkorDimension> dimension);

 private:
  VelkorInternal();

  // Guards the replaceable members: the host may swap them while a loader thread reads one.
  mutable std::mutex mutex_;
  std::shared_ptr<VelkorConfig> config_;
  std::shared_ptr<VelkorColorScheme> colorScheme_;
  std::shared_ptr<VelkorDimension> dimension_;
};

}  // namespace velkor
