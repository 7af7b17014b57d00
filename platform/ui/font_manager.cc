#include "platform/ui/font_manager.h"

#include <fontconfig/fontconfig.h>

#include <atomic>
#include <cmath>
#include <fstream>
#include <mutex>
#include <set>
#include <system_error>

namespace ui::font_manager {
namespace {

// fontconfig is thread-safe in itself; the lock keeps a registration and its bookkeeping (the set
// of registered files) one step, and a lookup from seeing half of it.
std::mutex& lock() {
  static std::mutex* mutex = new std::mutex;
  return *mutex;
}

std::set<std::string>& registeredFiles() {
  static auto* files = new std::set<std::string>;
  return *files;
}

std::atomic<unsigned long> registrations{0};

base::Error fontError(FontManagerError code, std::string message) {
  return base::Error{kFontManagerErrorDomain, static_cast<long>(code), std::move(message)};
}

std::string stringOf(FcPattern* pattern, const char* object, int index = 0) {
  FcChar8* value = nullptr;
  if (FcPatternGetString(pattern, object, index, &value) != FcResultMatch || !value) return {};
  return reinterpret_cast<const char*>(value);
}

bool hasString(FcPattern* pattern, const char* object, std::string_view wanted) {
  FcChar8* value = nullptr;
  for (int i = 0; FcPatternGetString(pattern, object, i, &value) == FcResultMatch; ++i) {
    if (value && wanted == reinterpret_cast<const char*>(value)) return true;
  }
  return false;
}

FontFace faceOf(FcPattern* pattern) {
  FontFace face;
  face.postScriptName = stringOf(pattern, FC_POSTSCRIPT_NAME);
  face.familyName = stringOf(pattern, FC_FAMILY);
  face.fullName = stringOf(pattern, FC_FULLNAME);
  face.file = stringOf(pattern, FC_FILE);
  double weight = FC_WEIGHT_REGULAR;
  if (FcPatternGetDouble(pattern, FC_WEIGHT, 0, &weight) != FcResultMatch) {
    int whole = FC_WEIGHT_REGULAR;
    if (FcPatternGetInteger(pattern, FC_WEIGHT, 0, &whole) == FcResultMatch) weight = whole;
  }
  face.weight = FcWeightToOpenType(static_cast<int>(std::lround(weight)));
  int slant = FC_SLANT_ROMAN;
  FcPatternGetInteger(pattern, FC_SLANT, 0, &slant);
  face.italic = slant != FC_SLANT_ROMAN;
  return face;
}

// How far a face is from the plain regular one; the family lookup takes the nearest.
int distanceFromRegular(const FontFace& face) {
  return std::abs(face.weight - 400) + (face.italic ? 1000 : 0);
}

// The faces listing `name` under `object`, compared exactly (fontconfig's own listing ignores case
// and blanks in names).
std::optional<FontFace> findBy(const char* object, std::string_view name) {
  const std::string wanted(name);
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, object, reinterpret_cast<const FcChar8*>(wanted.c_str()));
  FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_POSTSCRIPT_NAME, FC_FULLNAME, FC_WEIGHT,
                                          FC_SLANT, FC_FILE, nullptr);
  FcFontSet* set = FcFontList(nullptr, pattern, objects);
  std::optional<FontFace> best;
  for (int i = 0; set && i < set->nfont; ++i) {
    if (!hasString(set->fonts[i], object, wanted)) continue;
    FontFace candidate = faceOf(set->fonts[i]);
    if (!best || distanceFromRegular(candidate) < distanceFromRegular(*best)) best = candidate;
  }
  if (set) FcFontSetDestroy(set);
  FcObjectSetDestroy(objects);
  FcPatternDestroy(pattern);
  return best;
}

bool isReadableFile(const std::filesystem::path& file) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return false;
  std::ifstream stream(file, std::ios::binary);
  return stream.good();
}

bool holdsFont(const std::filesystem::path& file) {
  int count = 0;
  FcPattern* pattern = FcFreeTypeQuery(reinterpret_cast<const FcChar8*>(file.c_str()), 0, nullptr, &count);
  if (!pattern) return false;
  FcPatternDestroy(pattern);
  return true;
}

}  // namespace

std::optional<FontFace> face(std::string_view name) {
  if (name.empty()) return std::nullopt;
  std::lock_guard guard(lock());
  for (const char* object : {FC_POSTSCRIPT_NAME, FC_FULLNAME, FC_FAMILY}) {
    if (auto found = findBy(object, name)) return found;
  }
  return std::nullopt;
}

std::optional<base::Error> registerFont(const std::filesystem::path& file) {
  if (!isReadableFile(file)) {
    return fontError(FontManagerError::fileNotFound, "Font file not found or unreadable: " + file.string());
  }
  std::error_code ignored;
  const std::string key = std::filesystem::weakly_canonical(file, ignored).string();
  std::lock_guard guard(lock());
  if (registeredFiles().count(key)) {
    return fontError(FontManagerError::alreadyRegistered, "Font file already registered: " + file.string());
  }
  if (!holdsFont(file)) {
    return fontError(FontManagerError::notAFont, "Not a font file: " + file.string());
  }
  if (!FcConfigAppFontAddFile(FcConfigGetCurrent(), reinterpret_cast<const FcChar8*>(key.c_str()))) {
    return fontError(FontManagerError::notAFont, "fontconfig could not add the font: " + file.string());
  }
  registeredFiles().insert(key);
  ++registrations;
  return std::nullopt;
}

unsigned long generation() { return registrations.load(); }

}  // namespace ui::font_manager

// fontconfig keeps its configuration and the character sets of added fonts for the life of the
// process, partly behind offsets instead of pointers, which LeakSanitizer cannot follow: it would
// report them as leaks of every program that touches fonts. The sanitizer runtime asks for this
// hook; outside sanitized builds nothing calls it.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
