#include "platform/ui/text_layout.h"

#include <cairo.h>
#include <hb.h>
#include <pango/pangocairo.h>
#include <pango/pangofc-fontmap.h>

#include <algorithm>
#include <climits>
#include <cmath>

#include "platform/ui/font_manager.h"

namespace ui {

struct TextLayout::Input {
  base::AttributedString text;
  TextStyle style;
  double width;
  double maxHeight;
};

namespace {

struct GObjectUnref {
  void operator()(void* object) const {
    if (object) g_object_unref(object);
  }
};
template <class T>
using GPtr = std::unique_ptr<T, GObjectUnref>;

struct AttrListUnref {
  void operator()(PangoAttrList* list) const { pango_attr_list_unref(list); }
};
using AttrListPtr = std::unique_ptr<PangoAttrList, AttrListUnref>;

constexpr double kMaxPangoPoints = 1e6;  // beyond this, Pango units would overflow an int

int pangoUnits(double points) {
  return static_cast<int>(std::lround(std::clamp(points, -kMaxPangoPoints, kMaxPangoPoints) * PANGO_SCALE));
}
double toPoints(int units) { return static_cast<double>(units) / PANGO_SCALE; }

bool isBounded(double width) { return std::isfinite(width) && width > 0; }

// Unhinted outlines and metrics, grey antialiasing: the same shapes and advances at every scale
// and on every machine.
const cairo_font_options_t* fontOptions() {
  static cairo_font_options_t* options = [] {
    cairo_font_options_t* o = cairo_font_options_create();
    cairo_font_options_set_antialias(o, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_subpixel_order(o, CAIRO_SUBPIXEL_ORDER_DEFAULT);
    return o;
  }();
  return options;
}

// One font map for the process, told when fonts were registered since it last looked.
PangoFontMap* fontMap() {
  static PangoFontMap* map = pango_cairo_font_map_new();
  static unsigned long seenGeneration = font_manager::generation();
  const unsigned long generation = font_manager::generation();
  if (generation != seenGeneration) {
    seenGeneration = generation;
    if (PANGO_IS_FC_FONT_MAP(map)) pango_fc_font_map_config_changed(PANGO_FC_FONT_MAP(map));
  }
  return map;
}

void configure(PangoContext* context) {
  pango_cairo_context_set_font_options(context, fontOptions());
  pango_context_set_round_glyph_positions(context, FALSE);
  pango_context_set_language(context, pango_language_from_string("ko"));
}

PangoContext* measuringContext() {
  PangoFontMap* map = fontMap();
  static PangoContext* context = [map] {
    PangoContext* c = pango_font_map_create_context(map);
    configure(c);
    return c;
  }();
  return context;
}

GPtr<PangoContext> drawingContext(cairo_t* cr) {
  GPtr<PangoContext> context(pango_font_map_create_context(fontMap()));
  configure(context.get());
  pango_cairo_update_context(cr, context.get());
  return context;
}

// --- the text as UTF-8 with its attributes over byte ranges ---

struct Span {
  std::size_t start = 0;
  std::size_t end = 0;
  base::Attributes attributes;
};

struct Prepared {
  std::string text;
  std::vector<Span> spans;
};

Prepared prepare(const base::AttributedString& attributed) {
  Prepared prepared;
  const std::u16string& units = attributed.utf16();
  for (const auto& run : attributed.runs()) {
    std::size_t start = prepared.text.size();
    prepared.text += base::toUtf8(std::u16string_view(units).substr(run.range.location, run.range.length));
    prepared.spans.push_back({start, prepared.text.size(), run.attributes});
  }
  return prepared;
}

const base::Attributes* attributesAt(const Prepared& prepared, std::size_t byte) {
  for (const auto& span : prepared.spans) {
    if (byte >= span.start && byte < span.end) return &span.attributes;
  }
  return prepared.spans.empty() ? nullptr : &prepared.spans.back().attributes;
}

struct ParagraphRange {
  std::size_t start = 0;
  std::size_t end = 0;  // before the separator
};

// Paragraphs end at a line feed, a carriage return (with or without a line feed after it) or a
// paragraph separator, as Pango splits them.
std::vector<ParagraphRange> paragraphs(const std::string& text) {
  std::vector<ParagraphRange> result;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size();) {
    std::size_t separator = 0;
    if (text[i] == '\n') separator = 1;
    else if (text[i] == '\r') separator = (i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
    else if (text.compare(i, 3, "\xE2\x80\xA9") == 0) separator = 3;
    if (!separator) {
      ++i;
      continue;
    }
    result.push_back({start, i});
    i += separator;
    start = i;
  }
  result.push_back({start, text.size()});
  return result;
}

// --- Pango attributes ---

void insert(PangoAttrList* list, PangoAttribute* attribute, std::size_t start, std::size_t end) {
  attribute->start_index = static_cast<guint>(start);
  attribute->end_index = static_cast<guint>(end);
  pango_attr_list_insert(list, attribute);
}

void insertFont(PangoAttrList* list, const Font& font, std::size_t start, std::size_t end) {
  PangoFontDescription* description = pango_font_description_new();
  pango_font_description_set_family(description, font.familyName().c_str());
  pango_font_description_set_weight(description, static_cast<PangoWeight>(font.weight()));
  pango_font_description_set_style(description, font.isItalic() ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  pango_font_description_set_absolute_size(description, std::max(1, pangoUnits(font.pointSize())));
  insert(list, pango_attr_font_desc_new(description), start, end);
  pango_font_description_free(description);
}

guint16 channel(double value) { return static_cast<guint16>(std::lround(std::clamp(value, 0.0, 1.0) * 65535)); }

// Pango reads an alpha of 0 as "not set" (opaque), so a clear colour gets the faintest alpha instead.
// Stroked text gets an alpha one step apart from plain text of the same colour, so Pango keeps it in
// a run of its own that the stroke pass can find.
void insertColor(PangoAttrList* list, const Color& color, bool stroked, std::size_t start, std::size_t end) {
  insert(list, pango_attr_foreground_new(channel(color.red()), channel(color.green()), channel(color.blue())),
         start, end);
  guint16 alpha = std::max<guint16>(channel(color.alpha()), 2);
  if (stroked) alpha ^= 1;
  insert(list, pango_attr_foreground_alpha_new(alpha), start, end);
}

bool isHangul(gunichar c) {
  return (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0x1100 && c <= 0x11FF) || (c >= 0x3130 && c <= 0x318F);
}

// Byte ranges of a paragraph.
using Ranges = std::vector<std::pair<std::size_t, std::size_t>>;

bool intersects(const Ranges& ranges, std::size_t start, std::size_t end) {
  return std::any_of(ranges.begin(), ranges.end(), [&](const auto& r) { return r.first < end && start < r.second; });
}

// Words holding Hangul break only at spaces (Pango would break between any two syllables), except
// those within `breakable`: words too wide for a line of their own.
void keepHangulWordsWhole(PangoAttrList* list, std::string_view text, const Ranges& breakable) {
  const char* begin = text.data();
  const char* end = begin + text.size();
  const char* wordStart = nullptr;
  bool hangul = false;
  for (const char* p = begin; p <= end;) {
    const bool atEnd = p == end;
    const gunichar c = atEnd ? ' ' : g_utf8_get_char_validated(p, end - p);
    const bool space = atEnd || c == static_cast<gunichar>(-1) || c == static_cast<gunichar>(-2) || g_unichar_isspace(c);
    if (!space && !wordStart) {
      wordStart = p;
      hangul = false;
    }
    if (!space && isHangul(c)) hangul = true;
    if (space && wordStart) {
      const auto from = static_cast<std::size_t>(wordStart - begin), to = static_cast<std::size_t>(p - begin);
      if (hangul && !intersects(breakable, from, to)) insert(list, pango_attr_allow_breaks_new(FALSE), from, to);
      wordStart = nullptr;
    }
    if (atEnd) break;
    const char* next = g_utf8_find_next_char(p, end);
    p = next ? next : end;
  }
}

// How text looks when painted: colours resolved, or one colour over everything.
struct Painting {
  TraitCollection traits;
  std::optional<Color> overrideColor;
  Color colorOf(const std::optional<base::ColorDescription>& own, const Color& fallback) const {
    if (overrideColor) return overrideColor->resolved(traits);
    return (own ? Color::fromColorDescription(*own) : fallback).resolved(traits);
  }
};

// Glyph outlines drawn over a stretch of text, as a negative (fill and outline) or positive
// (outline only) stroke width asks.
struct StrokeSpan {
  std::size_t start = 0;
  std::size_t end = 0;
  double lineWidth = 0;
  Color color;
};

AttrListPtr attributesFor(const Prepared& prepared, std::size_t start, std::size_t end, const TextStyle& style,
                          const Painting* painting, const Ranges* hangulBreakable) {
  AttrListPtr list(pango_attr_list_new());
  insertFont(list.get(), style.font, 0, end - start);
  if (painting) insertColor(list.get(), painting->colorOf(std::nullopt, style.textColor), false, 0, end - start);
  for (const auto& span : prepared.spans) {
    const std::size_t from = std::max(span.start, start), to = std::min(span.end, end);
    if (from >= to) continue;
    const auto& a = span.attributes;
    if (a.font) insertFont(list.get(), Font::fromFontDescription(*a.font), from - start, to - start);
    if (painting && (a.foregroundColor || a.strokeWidth)) {
      Color color = painting->colorOf(a.foregroundColor, style.textColor);
      const bool stroked = a.strokeWidth && *a.strokeWidth != 0;
      if (stroked && *a.strokeWidth > 0) color = color.withAlphaComponent(0);
      insertColor(list.get(), color, stroked, from - start, to - start);
    }
  }
  if (hangulBreakable) {
    keepHangulWordsWhole(list.get(), std::string_view(prepared.text).substr(start, end - start), *hangulBreakable);
  }
  return list;
}

std::vector<StrokeSpan> strokeSpans(const Prepared& prepared, const TextStyle& style, const Painting& painting) {
  std::vector<StrokeSpan> result;
  for (const auto& span : prepared.spans) {
    const auto& a = span.attributes;
    if (!a.strokeWidth || *a.strokeWidth == 0) continue;
    const double size = a.font ? a.font->pointSize : style.font.pointSize();
    result.push_back({span.start, span.end, std::abs(*a.strokeWidth) / 100.0 * size,
                      painting.colorOf(a.foregroundColor, style.textColor)});
  }
  return result;
}

PangoTabAlign tabAlign(TextAlignment alignment) {
  switch (alignment) {
    case TextAlignment::right: return PANGO_TAB_RIGHT;
    case TextAlignment::center: return PANGO_TAB_CENTER;
    default: return PANGO_TAB_LEFT;
  }
}

// The paragraph's tab stops, then stops every default interval (28 points when none is set, as
// the platform's default) to past the line's width.
PangoTabArray* tabArray(const ParagraphStyle& style, double width) {
  std::vector<TabStop> stops = style.tabStops;
  std::sort(stops.begin(), stops.end(), [](const TabStop& a, const TabStop& b) { return a.location < b.location; });
  const double interval = style.defaultTabInterval > 0 ? style.defaultTabInterval : 28;
  const double reach = isBounded(width) ? width : 2000;
  double next = stops.empty() ? interval : (std::floor(stops.back().location / interval) + 1) * interval;
  for (int added = 0; next <= reach + interval && added < 256; next += interval, ++added) {
    stops.push_back({TextAlignment::left, next});
  }
  PangoTabArray* tabs = pango_tab_array_new(static_cast<gint>(stops.size()), FALSE);
  for (std::size_t i = 0; i < stops.size(); ++i) {
    pango_tab_array_set_tab(tabs, static_cast<gint>(i), tabAlign(stops[i].alignment), pangoUnits(stops[i].location));
  }
  return tabs;
}

PangoEllipsizeMode ellipsizeMode(LineBreakMode mode) {
  switch (mode) {
    case LineBreakMode::byTruncatingHead: return PANGO_ELLIPSIZE_START;
    case LineBreakMode::byTruncatingMiddle: return PANGO_ELLIPSIZE_MIDDLE;
    case LineBreakMode::byTruncatingTail: return PANGO_ELLIPSIZE_END;
    default: return PANGO_ELLIPSIZE_NONE;
  }
}

}  // namespace

// The text broken into placed lines, for one Pango context.
struct TextLayout::Composition {
  struct Paragraph {
    GPtr<PangoLayout> layout;
    std::size_t byteOffset = 0;  // of the layout's text in the whole text
    ParagraphStyle style;
    Ranges breakable;  // Hangul words too wide to keep whole
  };
  struct Line {
    std::size_t paragraph = 0;  // index into paragraphs
    PangoLayoutLine* line = nullptr;
    double originX = 0;  // of the line's origin, left-aligned, from the layout's left edge
    double extent = 0;   // from the line's origin to the right end of its text
    double ascent = 0;
    double naturalHeight = 0;
    double top = 0;
    double baseline = 0;
    double boxHeight = 0;
    bool clipped = false;  // shows the rest of its paragraph unwrapped, cut at the width
  };

  std::string text;
  std::vector<Paragraph> paragraphs;
  std::vector<Line> lines;
  std::vector<StrokeSpan> strokes;
  double width = 0;
  double height = 0;
  bool truncated = false;
};

namespace {

using Composition = TextLayout::Composition;

struct Composer {
  const TextLayout::Input& input;
  PangoContext* context;
  const Painting* painting;
  Prepared prepared;
  std::vector<ParagraphRange> ranges;

  ParagraphStyle paragraphStyle(const ParagraphRange& range) const {
    const base::Attributes* attributes = attributesAt(prepared, range.start);
    if (attributes && attributes->paragraphStyle) return *attributes->paragraphStyle;
    ParagraphStyle style;
    style.alignment = input.style.alignment;
    return style;
  }

  GPtr<PangoLayout> layout(std::size_t start, std::size_t end, const ParagraphStyle& style, bool wrap,
                           const Ranges& breakable = {}) const {
    GPtr<PangoLayout> layout(pango_layout_new(context));
    pango_layout_set_text(layout.get(), prepared.text.data() + start, static_cast<int>(end - start));
    const LineBreakMode mode = input.style.lineBreakMode;
    AttrListPtr attributes = attributesFor(prepared, start, end, input.style, painting,
                                           mode == LineBreakMode::byCharWrapping ? nullptr : &breakable);
    pango_layout_set_attributes(layout.get(), attributes.get());
    const bool bounded = wrap && isBounded(input.width);
    pango_layout_set_width(layout.get(), bounded ? pangoUnits(input.width) : -1);
    pango_layout_set_wrap(layout.get(), mode == LineBreakMode::byCharWrapping ? PANGO_WRAP_CHAR : PANGO_WRAP_WORD_CHAR);
    pango_layout_set_alignment(layout.get(), PANGO_ALIGN_LEFT);
    pango_layout_set_justify(layout.get(), bounded && style.alignment == TextAlignment::justified);
    if (style.headIndent > 0) pango_layout_set_indent(layout.get(), -pangoUnits(style.headIndent));
    PangoTabArray* tabs = tabArray(style, input.width);
    pango_layout_set_tabs(layout.get(), tabs);
    pango_tab_array_free(tabs);
    return layout;
  }

  void addLines(Composition& c, std::size_t paragraph, std::size_t limit = SIZE_MAX) const {
    PangoLayoutIter* iter = pango_layout_get_iter(c.paragraphs[paragraph].layout.get());
    std::size_t count = 0;
    do {
      if (count++ >= limit) break;
      Composition::Line line;
      line.paragraph = paragraph;
      line.line = pango_layout_iter_get_line_readonly(iter);
      PangoRectangle inLayout, own;
      pango_layout_iter_get_line_extents(iter, nullptr, &inLayout);
      pango_layout_line_get_extents(line.line, nullptr, &own);
      line.originX = toPoints(inLayout.x - own.x);
      line.extent = toPoints(own.x + own.width);
      line.ascent = toPoints(pango_layout_iter_get_baseline(iter) - inLayout.y);
      line.naturalHeight = toPoints(inLayout.height);
      c.lines.push_back(line);
    } while (pango_layout_iter_next_line(iter));
    pango_layout_iter_free(iter);
  }

  // The byte ranges (in the paragraph) of lines wider than the width.
  Ranges overflowingLines(PangoLayout* layout) const {
    Ranges result;
    if (!isBounded(input.width)) return result;
    PangoLayoutIter* iter = pango_layout_get_iter(layout);
    do {
      PangoRectangle extents;
      pango_layout_iter_get_line_extents(iter, nullptr, &extents);
      if (toPoints(extents.x + extents.width) > input.width + 0.01) {
        const PangoLayoutLine* line = pango_layout_iter_get_line_readonly(iter);
        result.emplace_back(line->start_index, line->start_index + line->length);
      }
    } while (pango_layout_iter_next_line(iter));
    pango_layout_iter_free(iter);
    return result;
  }

  void addParagraph(Composition& c, const ParagraphRange& range) const {
    const ParagraphStyle style = paragraphStyle(range);
    Ranges breakable;
    GPtr<PangoLayout> laidOut = layout(range.start, range.end, style, true);
    // A Hangul word wider than the line breaks between its syllables after all.
    for (int round = 0; round < 3 && input.style.lineBreakMode != LineBreakMode::byCharWrapping; ++round) {
      Ranges overflowing = overflowingLines(laidOut.get());
      if (overflowing.empty()) break;
      breakable.insert(breakable.end(), overflowing.begin(), overflowing.end());
      laidOut = layout(range.start, range.end, style, true, breakable);
    }
    c.paragraphs.push_back({std::move(laidOut), range.start, style, std::move(breakable)});
    addLines(c, c.paragraphs.size() - 1);
  }

  // Stacks the lines: spacing between lines and after paragraphs, boxes grown by the multiple.
  static void place(Composition& c, double clipWidth) {
    double y = 0;
    for (std::size_t i = 0; i < c.lines.size(); ++i) {
      auto& line = c.lines[i];
      const ParagraphStyle& style = c.paragraphs[line.paragraph].style;
      if (i > 0) {
        const auto& previous = c.lines[i - 1];
        const ParagraphStyle& previousStyle = c.paragraphs[previous.paragraph].style;
        y += previousStyle.lineSpacing;
        if (previous.paragraph != line.paragraph) y += previousStyle.paragraphSpacing;
      }
      const double multiple = style.lineHeightMultiple > 0 ? style.lineHeightMultiple : 1;
      line.boxHeight = line.naturalHeight * multiple;
      line.top = y;
      line.baseline = y + (line.boxHeight - line.naturalHeight) + line.ascent;
      y += line.boxHeight;
    }
    c.height = c.lines.empty() ? 0 : y;
    c.width = 0;
    for (const auto& line : c.lines) {
      double right = line.originX + line.extent;
      if (line.clipped && isBounded(clipWidth)) right = std::min(right, clipWidth);
      c.width = std::max(c.width, right);
    }
  }

  std::size_t visibleLineCount(const Composition& c) const {
    const std::size_t byNumber =
        input.style.numberOfLines > 0 ? static_cast<std::size_t>(input.style.numberOfLines) : SIZE_MAX;
    std::size_t count = 0;
    while (count < c.lines.size() && count < byNumber) {
      const auto& line = c.lines[count];
      if (count > 0 && line.top + line.boxHeight > input.maxHeight + 1e-6) break;
      ++count;
    }
    return count;
  }

  std::size_t lineStart(const Composition::Line& line) const { return static_cast<std::size_t>(line.line->start_index); }

  // Cuts the lines after the last one shown, and ends that one as the line-break mode says.
  void truncate(Composition& c, std::size_t visible) const {
    c.truncated = true;
    const Composition::Line last = c.lines[visible - 1];
    std::size_t inParagraph = 0;
    for (std::size_t i = 0; i < visible - 1; ++i) inParagraph += c.lines[i].paragraph == last.paragraph;
    c.lines.resize(visible);
    c.paragraphs.resize(last.paragraph + 1);
    auto& paragraph = c.paragraphs[last.paragraph];
    const ParagraphStyle style = paragraph.style;
    const ParagraphRange range = ranges[last.paragraph];
    const LineBreakMode mode = input.style.lineBreakMode;
    if (!isBounded(input.width)) return;
    if (mode == LineBreakMode::byClipping) {
      const std::size_t from = paragraph.byteOffset + lineStart(last);
      GPtr<PangoLayout> rest = layout(from, range.end, style, false);
      c.paragraphs.push_back({std::move(rest), from, style, {}});
      c.lines.pop_back();
      addLines(c, c.paragraphs.size() - 1, 1);
      c.lines.back().originX = last.originX;
      c.lines.back().clipped = true;
      return;
    }
    const PangoEllipsizeMode ellipsize = ellipsizeMode(mode);
    if (ellipsize == PANGO_ELLIPSIZE_NONE) return;
    // A one-paragraph layout limited to its lines so far plus one ellipsizes exactly that line.
    paragraph.layout = layout(range.start, range.end, style, true, paragraph.breakable);
    pango_layout_set_ellipsize(paragraph.layout.get(), ellipsize);
    pango_layout_set_height(paragraph.layout.get(), -static_cast<int>(inParagraph + 1));
    c.lines.resize(visible - inParagraph - 1);
    addLines(c, last.paragraph, inParagraph + 1);
  }

  Composition compose() {
    Composition c;
    prepared = prepare(input.text);
    if (prepared.text.empty()) return c;
    ranges = paragraphs(prepared.text);
    for (const auto& range : ranges) addParagraph(c, range);
    place(c, input.width);
    const std::size_t visible = visibleLineCount(c);
    if (visible < c.lines.size()) {
      truncate(c, visible);
      place(c, input.width);
    }
    if (painting) c.strokes = strokeSpans(prepared, input.style, *painting);
    c.text = std::move(prepared.text);
    return c;
  }
};

// Pango's ellipsis: a run whose glyphs all belong to its first character, showing "…".
bool isEllipsisRun(const PangoGlyphItem* run) {
  const PangoGlyphString* glyphs = run->glyphs;
  if (glyphs->num_glyphs == 0) return false;
  for (int i = 0; i < glyphs->num_glyphs; ++i) {
    if (glyphs->log_clusters[i] != 0) return false;
  }
  hb_codepoint_t ellipsis = 0;
  hb_font_t* font = run->item->analysis.font ? pango_font_get_hb_font(run->item->analysis.font) : nullptr;
  if (!font || !hb_font_get_nominal_glyph(font, 0x2026, &ellipsis)) return run->item->num_chars > glyphs->num_glyphs;
  return glyphs->glyphs[0].glyph == ellipsis && (run->item->num_chars > 1 || glyphs->num_glyphs == 1);
}

double alignedOrigin(const Composition::Line& line, TextAlignment alignment, bool rightToLeft, double width) {
  if (alignment == TextAlignment::natural) alignment = rightToLeft ? TextAlignment::right : TextAlignment::left;
  switch (alignment) {
    case TextAlignment::right: return width - line.extent;
    case TextAlignment::center: return line.originX + (width - line.originX - line.extent) / 2;
    default: return line.originX;
  }
}

void strokeRuns(cairo_t* cr, const Composition& c, const Composition::Line& line, double x, double baseline) {
  const std::size_t offset = c.paragraphs[line.paragraph].byteOffset;
  for (GSList* node = line.line->runs; node; node = node->next) {
    const auto* run = static_cast<const PangoGlyphItem*>(node->data);
    const std::size_t at = offset + static_cast<std::size_t>(run->item->offset);
    for (const auto& stroke : c.strokes) {
      if (at < stroke.start || at >= stroke.end) continue;
      cairo_move_to(cr, x, baseline);
      pango_cairo_glyph_string_path(cr, run->item->analysis.font, run->glyphs);
      cairo_set_source_rgba(cr, stroke.color.red(), stroke.color.green(), stroke.color.blue(), stroke.color.alpha());
      cairo_set_line_width(cr, stroke.lineWidth);
      cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
      cairo_stroke(cr);
      break;
    }
    x += toPoints(pango_glyph_string_get_width(run->glyphs));
  }
}

}  // namespace

TextLayout::TextLayout(const base::AttributedString& text, const TextStyle& style, double width, double maxHeight)
    : input_(std::make_unique<Input>(Input{text, style, width, maxHeight})) {
  Composer composer{*input_, measuringContext(), nullptr, {}, {}};
  measured_ = std::make_unique<Composition>(composer.compose());
}

TextLayout::~TextLayout() = default;
TextLayout::TextLayout(TextLayout&&) noexcept = default;
TextLayout& TextLayout::operator=(TextLayout&&) noexcept = default;

Size TextLayout::size() const { return {measured_->width, measured_->height}; }

Size TextLayout::ceiledSize() const { return {ceilToPoints(measured_->width), ceilToPoints(measured_->height)}; }

int TextLayout::lineCount() const { return static_cast<int>(measured_->lines.size()); }

bool TextLayout::isTruncated() const { return measured_->truncated; }

std::vector<std::string> TextLayout::lineTexts() const {
  std::vector<std::string> result;
  for (const auto& line : measured_->lines) {
    const std::size_t offset = measured_->paragraphs[line.paragraph].byteOffset;
    std::string text;
    if (line.clipped) {
      text = measured_->text.substr(offset + line.line->start_index, line.line->length);
    }
    for (GSList* node = line.clipped ? nullptr : line.line->runs; node; node = node->next) {
      const auto* run = static_cast<const PangoGlyphItem*>(node->data);
      text += isEllipsisRun(run) ? std::string("\xE2\x80\xA6")
                                 : measured_->text.substr(offset + run->item->offset, run->item->length);
    }
    result.push_back(std::move(text));
  }
  return result;
}

void TextLayout::draw(cairo_t* cr, const Rect& rect, const TraitCollection& traits,
                      const std::optional<Color>& overrideColor) const {
  if (measured_->lines.empty()) return;
  GPtr<PangoContext> context = drawingContext(cr);
  const Painting painting{traits, overrideColor};
  Composer composer{*input_, context.get(), &painting, {}, {}};
  const Composition c = composer.compose();
  const double width = isBounded(input_->width) ? input_->width : rect.width();
  cairo_save(cr);
  for (const auto& line : c.lines) {
    const ParagraphStyle& style = c.paragraphs[line.paragraph].style;
    const double x = rect.x() + alignedOrigin(line, style.alignment, input_->style.rightToLeft, width);
    const double baseline = rect.y() + line.baseline;
    if (line.clipped) {
      cairo_save(cr);
      cairo_rectangle(cr, rect.x(), rect.y() + line.top, width, line.boxHeight);
      cairo_clip(cr);
    }
    cairo_move_to(cr, x, baseline);
    pango_cairo_show_layout_line(cr, line.line);
    if (!c.strokes.empty()) strokeRuns(cr, c, line, x, baseline);
    if (line.clipped) cairo_restore(cr);
  }
  cairo_restore(cr);
}

double ceilToPoints(double value) { return std::ceil(value - 1e-6); }

}  // namespace ui
