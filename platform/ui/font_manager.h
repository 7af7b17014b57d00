// The process's fonts as fontconfig knows them: looking a face up by name, and registering font
// files that the host ships so that later lookups and text drawing find them.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/base/error.h"

namespace ui {

inline constexpr const char* kFontManagerErrorDomain = "ui.FontManagerErrorDomain";

// Codes of kFontManagerErrorDomain, numbered as the phone platform's font manager numbers them.
enum class FontManagerError : long {
  fileNotFound = 101,       // missing or unreadable file
  notAFont = 103,           // readable, but no font face in it
  alreadyRegistered = 105,  // this file was registered before
};

// One installed or registered face.
struct FontFace {
  std::string postScriptName;
  std::string familyName;
  std::string fullName;
  int weight = 400;  // 100 (thin) to 900 (black); 400 regular, 700 bold
  bool italic = false;
  std::string file;
};

namespace font_manager {

// The face whose PostScript name, full name or family (any of its localised spellings) is exactly
// `name`, tried in that order; for a family, its most regular face. fontconfig answers every query
// with some font, so a face counts only when one of its names equals the name asked for.
std::optional<FontFace> face(std::string_view name);

// Adds the file's faces to the process's fonts. Errors in kFontManagerErrorDomain.
std::optional<base::Error> registerFont(const std::filesystem::path& file);

// Bumped by every successful registration, so text engines that cache font lists know to refresh.
unsigned long generation();

}  // namespace font_manager
}  // namespace ui
