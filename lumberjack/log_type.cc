#include "lumberjack/log_type.h"

namespace lumberjack {

const char* logTypeName(LogType type) {
  switch (type) {
    case LogType::Event: return "event";
  }
  return "event";
}

}  // namespace lumberjack
