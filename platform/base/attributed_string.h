// Text with attributes over ranges of it (colour, font, stroke, paragraph style), the form in which
// labels and buttons take styled text. Indexes and ranges count UTF-16 code units, as the platform's
// attributed strings do.
//
// The attribute values are plain descriptions, so this layer needs nothing from the ui layer:
// ui::Color converts to a ColorDescription (its light components and, when dynamic, its dark ones)
// and ui::Font to a FontDescription (its name, point size and weight); the ui layer converts them
// back when it draws.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/utf16.h"

namespace base {

// Components in 0...1.
struct Rgba {
  double red = 0;
  double green = 0;
  double blue = 0;
  double alpha = 1;
  friend bool operator==(const Rgba&, const Rgba&) = default;
};

struct ColorDescription {
  Rgba light{};
  // Set for a colour that looks different in the dark appearance.
  std::optional<Rgba> dark{};
  friend bool operator==(const ColorDescription&, const ColorDescription&) = default;
};

struct FontDescription {
  // The face's name ("AppleSDGothicNeo-Bold"); empty for the system font.
  std::string name{};
  double pointSize = 0;
  // 100 (thin) to 900 (black): 400 regular, 700 bold.
  int weight = 400;
  friend bool operator==(const FontDescription&, const FontDescription&) = default;
};

// Raw values as the platform numbers them.
enum class TextAlignment { left = 0, center = 1, right = 2, justified = 3, natural = 4 };

struct TabStop {
  TextAlignment alignment = TextAlignment::left;
  double location = 0;
  friend bool operator==(const TabStop&, const TabStop&) = default;
};

// Zero means "not set" for every length, as on the platform (a line-height multiple of 0 is 1).
struct ParagraphStyle {
  TextAlignment alignment = TextAlignment::natural;
  double lineSpacing = 0;
  double lineHeightMultiple = 0;
  double paragraphSpacing = 0;
  double headIndent = 0;
  double defaultTabInterval = 0;
  std::vector<TabStop> tabStops{};
  friend bool operator==(const ParagraphStyle&, const ParagraphStyle&) = default;
};

// The attributes of one stretch of text; an absent field is an attribute not set. Further
// attributes are further optional fields here.
struct Attributes {
  std::optional<ColorDescription> foregroundColor{};
  std::optional<FontDescription> font{};
  // In percent of the font size; negative fills and outlines the glyphs, positive only outlines.
  std::optional<double> strokeWidth{};
  std::optional<ParagraphStyle> paragraphStyle{};

  bool empty() const { return *this == Attributes{}; }
  // Every field set in `other` replaces this one's; the others stay.
  void add(const Attributes& other);
  friend bool operator==(const Attributes&, const Attributes&) = default;
};

// A longest stretch of text with the same attributes.
struct AttributeRun {
  Range range{};
  Attributes attributes{};
  friend bool operator==(const AttributeRun&, const AttributeRun&) = default;
};

struct SearchOptions {
  bool caseInsensitive = false;
  // Where the search starts, in UTF-16 units.
  std::size_t from = 0;
};

class AttributedString {
 public:
  AttributedString() = default;
  explicit AttributedString(std::string_view text, const Attributes& attributes = {});
  static AttributedString fromUtf16(std::u16string text, const Attributes& attributes = {});

  // The characters as UTF-8.
  std::string string() const { return toUtf8(text_); }
  const std::u16string& utf16() const { return text_; }
  std::size_t length() const { return text_.size(); }
  // True when the range lies within the text.
  bool inBounds(Range range) const { return range.location <= length() && range.length <= length() - range.location; }

  // The attributes at an index (none past the end) and, when asked, the run they hold over.
  Attributes attributes(std::size_t at, Range* effectiveRange = nullptr) const;
  // The runs over the whole text, or clipped to a range, in order.
  std::vector<AttributeRun> runs() const { return runs(Range{0, length()}); }
  std::vector<AttributeRun> runs(Range within) const;
  // The characters and attributes of a range; empty (and logged) for a range outside the text.
  AttributedString attributedSubstring(Range range) const;

  // Editing. Each returns false, logs and changes nothing when the range lies outside the text.
  void append(const AttributedString& other);
  // Plain characters take the attributes of the first character replaced or, for an empty range,
  // of the character before it (the one after it at the start).
  bool replaceCharacters(Range range, std::string_view text);
  // Attributed characters keep their own attributes; the text around keeps its own.
  bool replaceCharacters(Range range, const AttributedString& replacement);
  // Sets the fields of `attributes` over the range, keeping the others.
  bool addAttributes(const Attributes& attributes, Range range);
  // Replaces all attributes over the range.
  bool setAttributes(const Attributes& attributes, Range range);

  // Searching the characters. A case-insensitive search compares full Unicode case folds, and only
  // matches whole characters of the text. An empty needle is never found.
  std::optional<Range> find(std::string_view needle, SearchOptions options = {}) const;
  // Every match, left to right, none overlapping.
  std::vector<Range> findAll(std::string_view needle, SearchOptions options = {}) const;
  bool contains(std::string_view needle) const { return find(needle).has_value(); }

  friend bool operator==(const AttributedString&, const AttributedString&) = default;

 private:
  struct Run {
    std::size_t length = 0;
    Attributes attributes;
    friend bool operator==(const Run&, const Run&) = default;
  };

  // inBounds, logging the operation refused when not.
  bool check(Range range, std::string_view operation) const;
  // Makes a run start at `at` and answers its index (runs_.size() at the end of the text).
  std::size_t splitAt(std::size_t at);
  void splice(Range range, const std::u16string& text, std::vector<Run> runs);
  bool changeAttributes(Range range, std::string_view operation, const std::function<void(Attributes&)>& change);
  // Merges neighbours with equal attributes and drops empty runs, so runs stay longest.
  void coalesce();

  std::u16string text_;
  std::vector<Run> runs_;
};

}  // namespace base
