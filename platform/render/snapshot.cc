#include "platform/render/snapshot.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/render/external_content.h"
#include "platform/ui/gradient_layer.h"
#include "platform/ui/image_view.h"
#include "platform/ui/label.h"
#include "platform/ui/shape_layer.h"

namespace render {
namespace {

// Snapshots beyond this many pixels a side are refused rather than allocated.
constexpr double kMaxPixels = 16384;

struct SurfaceDeleter {
  void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
using SurfacePtr = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;
struct ContextDeleter {
  void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};
using ContextPtr = std::unique_ptr<cairo_t, ContextDeleter>;
struct PatternDeleter {
  void operator()(cairo_pattern_t* pattern) const { cairo_pattern_destroy(pattern); }
};
using PatternPtr = std::unique_ptr<cairo_pattern_t, PatternDeleter>;

base::Error renderError(long code, std::string message) { return base::Error{kRenderErrorDomain, code, std::move(message)}; }

// --- pixels between ui::Image (straight RGBA) and Cairo (premultiplied native-endian ARGB) ---

SurfacePtr surfaceFromImage(const ui::Image& image) {
  SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, image.pixelWidth(), image.pixelHeight()));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
  cairo_surface_flush(surface.get());
  unsigned char* data = cairo_image_surface_get_data(surface.get());
  const int stride = cairo_image_surface_get_stride(surface.get());
  for (int y = 0; y < image.pixelHeight(); ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < image.pixelWidth(); ++x) {
      const std::uint8_t* p = image.pixel(x, y);
      const std::uint32_t a = p[3];
      auto premultiply = [a](std::uint32_t c) { return (c * a + 127) / 255; };
      row[x] = (a << 24) | (premultiply(p[0]) << 16) | (premultiply(p[1]) << 8) | premultiply(p[2]);
    }
  }
  cairo_surface_mark_dirty(surface.get());
  return surface;
}

std::optional<ui::Image> imageFromSurface(cairo_surface_t* surface, double scale) {
  cairo_surface_flush(surface);
  const int width = cairo_image_surface_get_width(surface);
  const int height = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4);
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < width; ++x) {
      const std::uint32_t pixel = row[x];
      const std::uint32_t a = pixel >> 24;
      auto unpremultiply = [a](std::uint32_t c) { return a == 0 ? 0u : std::min(255u, (c * 255 + a / 2) / a); };
      std::uint8_t* out = rgba.data() + (static_cast<std::size_t>(y) * width + x) * 4;
      out[0] = static_cast<std::uint8_t>(unpremultiply((pixel >> 16) & 0xFF));
      out[1] = static_cast<std::uint8_t>(unpremultiply((pixel >> 8) & 0xFF));
      out[2] = static_cast<std::uint8_t>(unpremultiply(pixel & 0xFF));
      out[3] = static_cast<std::uint8_t>(a);
    }
  }
  return ui::Image::fromRgba(width, height, std::move(rgba), scale);
}

// --- a Gaussian-like blur of an alpha mask: three box blurs each way ---

void boxBlurRows(std::vector<float>& values, int width, int height, int radius, bool vertical) {
  const int length = vertical ? height : width;
  const int lines = vertical ? width : height;
  std::vector<float> line(static_cast<std::size_t>(length));
  for (int l = 0; l < lines; ++l) {
    auto at = [&](int i) -> float& {
      return vertical ? values[static_cast<std::size_t>(i) * width + l] : values[static_cast<std::size_t>(l) * width + i];
    };
    for (int i = 0; i < length; ++i) line[i] = at(i);
    float sum = 0;
    for (int i = -radius; i <= radius; ++i) sum += (i >= 0 && i < length) ? line[i] : 0;
    for (int i = 0; i < length; ++i) {
      at(i) = sum / static_cast<float>(2 * radius + 1);
      const int out = i - radius, in = i + radius + 1;
      if (out >= 0) sum -= line[out];
      if (in < length) sum += line[in];
    }
  }
}

void blurAlpha(cairo_surface_t* mask, double sigma) {
  if (sigma < 0.5) return;
  const int radius = std::max(1, static_cast<int>(std::lround((std::sqrt(4 * sigma * sigma + 1) - 1) / 2)));
  cairo_surface_flush(mask);
  const int width = cairo_image_surface_get_width(mask), height = cairo_image_surface_get_height(mask);
  const int stride = cairo_image_surface_get_stride(mask);
  unsigned char* data = cairo_image_surface_get_data(mask);
  std::vector<float> values(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) values[static_cast<std::size_t>(y) * width + x] = data[y * stride + x];
  }
  for (int pass = 0; pass < 3; ++pass) {
    boxBlurRows(values, width, height, radius, false);
    boxBlurRows(values, width, height, radius, true);
  }
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      data[y * stride + x] = static_cast<unsigned char>(std::lround(std::clamp(values[static_cast<std::size_t>(y) * width + x], 0.f, 255.f)));
    }
  }
  cairo_surface_mark_dirty(mask);
}

// --- paths and colours ---

void appendPath(cairo_t* cr, const ui::BezierPath& path) {
  using Kind = ui::BezierPath::Element::Kind;
  for (const auto& element : path.elements()) {
    switch (element.kind) {
      case Kind::move: cairo_move_to(cr, element.point.x, element.point.y); break;
      case Kind::line: cairo_line_to(cr, element.point.x, element.point.y); break;
      case Kind::close: cairo_close_path(cr); break;
      case Kind::arc:
        if (element.clockwise) {
          cairo_arc(cr, element.point.x, element.point.y, element.radius, element.startAngle, element.endAngle);
        } else {
          cairo_arc_negative(cr, element.point.x, element.point.y, element.radius, element.startAngle, element.endAngle);
        }
        break;
    }
  }
}

void setColor(cairo_t* cr, const ui::Color& color, const ui::TraitCollection& traits) {
  const ui::Color c = color.resolved(traits);
  auto clamp = [](double v) { return std::clamp(v, 0.0, 1.0); };
  cairo_set_source_rgba(cr, clamp(c.red()), clamp(c.green()), clamp(c.blue()), clamp(c.alpha()));
}

cairo_line_cap_t lineCap(ui::LineCap cap) {
  switch (cap) {
    case ui::LineCap::round: return CAIRO_LINE_CAP_ROUND;
    case ui::LineCap::square: return CAIRO_LINE_CAP_SQUARE;
    case ui::LineCap::butt: break;
  }
  return CAIRO_LINE_CAP_BUTT;
}

void strokePath(cairo_t* cr, const ui::BezierPath& path, double width, ui::LineCap cap, const ui::Color& color,
                const ui::TraitCollection& traits) {
  cairo_new_path(cr);
  appendPath(cr, path);
  cairo_set_line_width(cr, width);
  cairo_set_line_cap(cr, lineCap(cap));
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
  setColor(cr, color, traits);
  cairo_stroke(cr);
}

void fillPath(cairo_t* cr, const ui::BezierPath& path, const ui::Color& color, const ui::TraitCollection& traits) {
  cairo_new_path(cr);
  appendPath(cr, path);
  setColor(cr, color, traits);
  cairo_fill(cr);
}

ui::BezierPath outline(const ui::Layer& layer, const ui::Rect& rect, double radius) {
  return ui::BezierPath::roundedRect(rect, layer.maskedCorners(), {radius, radius});
}

// The scale from user space to device pixels, for sizes given in points (blur radii).
double deviceScale(cairo_t* cr) {
  double dx = 1, dy = 0;
  cairo_user_to_device_distance(cr, &dx, &dy);
  return std::hypot(dx, dy);
}

// --- the painter ---

class Painter {
 public:
  Painter(int width, int height) : width_(width), height_(height) {}

  void paintRoot(cairo_t* cr, ui::View& view) {
    const ui::Rect bounds = view.bounds();
    cairo_translate(cr, -bounds.x(), -bounds.y());
    paintLayerHere(cr, view.layer(), view.traitCollection());
  }

 private:
  // A sublayer: into its own space (position, transform about the anchor, bounds origin), then painted.
  void paintLayer(cairo_t* cr, const ui::Layer& layer, const ui::TraitCollection& inherited) {
    if (layer.isHidden() || layer.opacity() <= 0) return;
    const ui::Rect bounds = layer.bounds();
    const ui::AffineTransform& t = layer.transform();
    cairo_save(cr);
    cairo_translate(cr, layer.position().x, layer.position().y);
    cairo_matrix_t matrix;
    cairo_matrix_init(&matrix, t.a, t.b, t.c, t.d, t.tx, t.ty);
    cairo_transform(cr, &matrix);
    cairo_translate(cr, -layer.anchorPoint().x * bounds.width() - bounds.x(),
                    -layer.anchorPoint().y * bounds.height() - bounds.y());
    paintLayerHere(cr, layer, layer.view() ? layer.view()->traitCollection() : inherited);
    cairo_restore(cr);
  }

  // The layer in the current space: under its opacity and mask, above its shadow.
  void paintLayerHere(cairo_t* cr, const ui::Layer& layer, const ui::TraitCollection& traits) {
    if (layer.isHidden() || layer.opacity() <= 0) return;
    const bool faded = layer.opacity() < 1;
    if (faded) cairo_push_group(cr);
    if (layer.mask()) cairo_push_group(cr);
    if (hasShadow(layer)) {
      paintShadowed(cr, layer, traits);
    } else {
      paintContent(cr, layer, traits);
    }
    if (layer.mask()) {
      PatternPtr content(cairo_pop_group(cr));
      cairo_push_group(cr);
      paintLayer(cr, *layer.mask(), traits);
      PatternPtr mask(cairo_pop_group(cr));
      cairo_set_source(cr, content.get());
      cairo_mask(cr, mask.get());
    }
    if (faded) {
      cairo_pop_group_to_source(cr);
      cairo_paint_with_alpha(cr, std::min(1.0, layer.opacity()));
    }
  }

  static bool hasShadow(const ui::Layer& layer) {
    return layer.shadowOpacity() > 0 && layer.shadowColor() && layer.shadowColor()->alpha() > 0;
  }

  // The shadow takes the shape of the shadow path, or else of everything the layer paints.
  void paintShadowed(cairo_t* cr, const ui::Layer& layer, const ui::TraitCollection& traits) {
    cairo_push_group(cr);
    paintContent(cr, layer, traits);
    PatternPtr content(cairo_pop_group(cr));

    SurfacePtr mask(cairo_image_surface_create(CAIRO_FORMAT_A8, width_, height_));
    {
      ContextPtr m(cairo_create(mask.get()));
      cairo_matrix_t ctm;
      cairo_get_matrix(cr, &ctm);
      cairo_set_matrix(m.get(), &ctm);
      if (layer.shadowPath()) {
        appendPath(m.get(), *layer.shadowPath());
        cairo_fill(m.get());
      } else {
        cairo_set_source(m.get(), content.get());
        cairo_paint(m.get());
      }
    }
    blurAlpha(mask.get(), layer.shadowRadius() * deviceScale(cr) / 2);
    double dx = layer.shadowOffset().width, dy = layer.shadowOffset().height;
    cairo_user_to_device_distance(cr, &dx, &dy);
    cairo_save(cr);
    cairo_identity_matrix(cr);
    const ui::Color color = layer.shadowColor()->resolved(traits);
    cairo_set_source_rgba(cr, color.red(), color.green(), color.blue(),
                          std::clamp(color.alpha() * layer.shadowOpacity(), 0.0, 1.0));
    cairo_mask_surface(cr, mask.get(), dx, dy);
    cairo_restore(cr);

    cairo_set_source(cr, content.get());
    cairo_paint(cr);
  }

  void paintContent(cairo_t* cr, const ui::Layer& layer, const ui::TraitCollection& traits) {
    const ui::Rect bounds = layer.bounds();
    const ui::BezierPath shape = outline(layer, bounds, layer.cornerRadius());
    if (layer.backgroundColor()) fillPath(cr, shape, *layer.backgroundColor(), traits);
    if (auto* gradient = dynamic_cast<const ui::GradientLayer*>(&layer)) paintGradient(cr, *gradient, shape, traits);
    if (auto* shapeLayer = dynamic_cast<const ui::ShapeLayer*>(&layer)) paintShape(cr, *shapeLayer, traits);
    cairo_save(cr);
    if (layer.masksToBounds()) {
      cairo_new_path(cr);
      appendPath(cr, shape);
      cairo_clip(cr);
    }
    if (ui::View* view = layer.view()) paintViewContent(cr, *view, traits);
    for (const auto& sublayer : layer.sublayers()) paintLayer(cr, *sublayer, traits);
    cairo_restore(cr);
    paintBorder(cr, layer, traits);
  }

  void paintBorder(cairo_t* cr, const ui::Layer& layer, const ui::TraitCollection& traits) {
    const double width = layer.borderWidth();
    if (width <= 0 || !layer.borderColor()) return;
    // Inside the bounds, following the corners.
    const ui::Rect inner = layer.bounds().insetBy(width / 2, width / 2);
    const ui::BezierPath path = outline(layer, inner, std::max(0.0, layer.cornerRadius() - width / 2));
    strokePath(cr, path, width, ui::LineCap::butt, *layer.borderColor(), traits);
  }

  void paintGradient(cairo_t* cr, const ui::GradientLayer& layer, const ui::BezierPath& shape,
                     const ui::TraitCollection& traits) {
    const auto& colors = layer.colors();
    if (colors.empty()) return;
    const ui::Rect b = layer.bounds();
    PatternPtr pattern(cairo_pattern_create_linear(
        b.x() + layer.startPoint().x * b.width(), b.y() + layer.startPoint().y * b.height(),
        b.x() + layer.endPoint().x * b.width(), b.y() + layer.endPoint().y * b.height()));
    const auto& locations = layer.locations();
    const bool useLocations = locations && locations->size() == colors.size();
    for (std::size_t i = 0; i < colors.size(); ++i) {
      const double offset = useLocations ? (*locations)[i] : colors.size() == 1 ? 0 : double(i) / (colors.size() - 1);
      const ui::Color c = colors[i].resolved(traits);
      cairo_pattern_add_color_stop_rgba(pattern.get(), std::clamp(offset, 0.0, 1.0), c.red(), c.green(), c.blue(),
                                        c.alpha());
    }
    cairo_new_path(cr);
    appendPath(cr, shape);
    cairo_set_source(cr, pattern.get());
    cairo_fill(cr);
  }

  void paintShape(cairo_t* cr, const ui::ShapeLayer& layer, const ui::TraitCollection& traits) {
    if (!layer.path()) return;
    if (layer.fillColor()) fillPath(cr, *layer.path(), *layer.fillColor(), traits);
    if (layer.strokeColor() && layer.lineWidth() > 0) {
      strokePath(cr, *layer.path(), layer.lineWidth(), layer.lineCap(), *layer.strokeColor(), traits);
    }
  }

  // What the view itself draws, under its subviews: custom drawing, an image, a label's text.
  void paintViewContent(cairo_t* cr, ui::View& view, const ui::TraitCollection& traits) {
    for (const auto& command : view.recordDrawing()) {
      if (command.operation == ui::GraphicsContext::Command::Operation::fill) {
        fillPath(cr, command.path, command.color, traits);
      } else {
        strokePath(cr, command.path, command.path.lineWidth(), command.path.lineCapStyle(), command.color, traits);
      }
    }
    if (auto* imageView = dynamic_cast<ui::ImageView*>(&view)) paintImage(cr, *imageView);
    if (auto* external = dynamic_cast<ExternalContent*>(&view)) paintExternal(cr, *external, view.bounds());
    if (auto* label = dynamic_cast<ui::Label*>(&view)) {
      for (const auto& drawing : label->recordTextDrawing()) drawing.paint(cr, traits);
    }
  }

  void paintImage(cairo_t* cr, const ui::ImageView& view) {
    if (const auto image = view.displayedImage()) paintImageIn(cr, *image, view.imageRect());
  }

  void paintExternal(cairo_t* cr, const ExternalContent& content, const ui::Rect& bounds) {
    if (const auto image = content.contentImage()) paintImageIn(cr, *image, bounds);
  }

  void paintImageIn(cairo_t* cr, const ui::Image& image, const ui::Rect& rect) {
    if (rect.width() <= 0 || rect.height() <= 0) return;
    SurfacePtr surface = surfaceFromImage(image);
    if (!surface) return;
    cairo_save(cr);
    cairo_translate(cr, rect.x(), rect.y());
    cairo_scale(cr, rect.width() / image.pixelWidth(), rect.height() / image.pixelHeight());
    cairo_set_source_surface(cr, surface.get(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
    cairo_rectangle(cr, 0, 0, image.pixelWidth(), image.pixelHeight());
    cairo_fill(cr);
    cairo_restore(cr);
  }

  int width_;
  int height_;
};

// Views with external content may run the main loop while they update: they are all updated, each
// held alive, before the tree is walked to paint.
void updateExternalContent(ui::View& root) {
  std::vector<std::shared_ptr<ui::View>> found;
  std::vector<ui::View*> pending{&root};
  while (!pending.empty()) {
    ui::View* view = pending.back();
    pending.pop_back();
    if (dynamic_cast<ExternalContent*>(view) && view->shared()) found.push_back(view->shared());
    for (const auto& subview : view->subviews()) pending.push_back(subview.get());
  }
  for (const auto& view : found) dynamic_cast<ExternalContent&>(*view).updateContentImage();
}

}  // namespace

std::optional<ui::Image> snapshot(ui::View& view, double scale) {
  const ui::Rect bounds = view.bounds();
  if (!(scale > 0) || !(bounds.width() > 0) || !(bounds.height() > 0)) return std::nullopt;
  const double width = std::ceil(bounds.width() * scale - 1e-6), height = std::ceil(bounds.height() * scale - 1e-6);
  if (width > kMaxPixels || height > kMaxPixels) return std::nullopt;
  view.layoutIfNeeded();
  updateExternalContent(view);
  view.layoutIfNeeded();
  SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(width), static_cast<int>(height)));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return std::nullopt;
  {
    ContextPtr cr(cairo_create(surface.get()));
    cairo_scale(cr.get(), scale, scale);
    Painter(static_cast<int>(width), static_cast<int>(height)).paintRoot(cr.get(), view);
  }
  return imageFromSurface(surface.get(), scale);
}

std::optional<base::Error> writePng(const ui::Image& image, const std::filesystem::path& path) {
  SurfacePtr surface = surfaceFromImage(image);
  if (!surface) return renderError(1, "Could not make a surface for the image");
  if (cairo_surface_write_to_png(surface.get(), path.c_str()) != CAIRO_STATUS_SUCCESS) {
    return renderError(2, "Could not write the PNG file " + path.string());
  }
  return std::nullopt;
}

std::optional<base::Error> writePng(ui::View& view, const std::filesystem::path& path, double scale) {
  auto image = snapshot(view, scale);
  if (!image) return renderError(1, "Nothing to draw: the view is empty or the scale is not positive");
  return writePng(*image, path);
}

}  // namespace render
