// The web engine's process-wide side: GTK started once, the GLib main context served by the
// platform's main loop while a web view exists, the shared network session, and the engine's errors
// in the platform's terms. Main thread only.
#pragma once

#include <webkit/webkit.h>

#include <string>

#include "platform/base/error.h"

namespace web::internal {

// Starts GTK on first call; false (logged once) when no display can be opened.
bool startEngine();

// While at least one is held, the main loop dispatches GLib's default context and sleeps on its
// descriptors too.
void retainMainContext();
void releaseMainContext();

// One session for every web view: cookies and cache in memory, nothing written to the disk.
WebKitNetworkSession* networkSession();

// Marks an engine callback in progress: a web view released inside one defers its teardown until
// the engine's call has returned.
class CallbackScope {
 public:
  CallbackScope();
  ~CallbackScope();
  CallbackScope(const CallbackScope&) = delete;
  CallbackScope& operator=(const CallbackScope&) = delete;
  static bool active();
};

// A failed load in net::errorDomain with the session's code for it; engine failures that are no
// transport's in web::kErrorDomain.
base::Error loadError(const GError* error);
// Failures of the engine itself, in web::kErrorDomain: it could not start, or the web view went first.
base::Error noEngineError();
base::Error invalidatedError();
// A failed evaluation: the script's own message (without its source position) for an exception.
base::Error scriptError(const GError* error);

// Owns a GObject reference.
template <class T>
class GObjectRef {
 public:
  GObjectRef() = default;
  // Takes over a reference the caller owns.
  explicit GObjectRef(T* object) : object_(object) {}
  ~GObjectRef() { reset(); }
  GObjectRef(GObjectRef&& other) noexcept : object_(other.object_) { other.object_ = nullptr; }
  GObjectRef& operator=(GObjectRef&& other) noexcept {
    if (this != &other) {
      reset();
      object_ = other.object_;
      other.object_ = nullptr;
    }
    return *this;
  }
  GObjectRef(const GObjectRef&) = delete;
  GObjectRef& operator=(const GObjectRef&) = delete;
  static GObjectRef retained(T* object) { return GObjectRef(object ? static_cast<T*>(g_object_ref(object)) : nullptr); }
  T* get() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }
  void reset() {
    if (object_) g_object_unref(object_);
    object_ = nullptr;
  }

 private:
  T* object_ = nullptr;
};

}  // namespace web::internal
