// Draws every image of the framework's bundle with Cairo, writes each as a PNG into
// <resources>/images/, then writes <resources>/resource_images.cc, which embeds those PNG bytes in
// the library. Drawings use paths only (no text), so the output does not depend on installed fonts.
//
// Usage: velkor-draw-resources <velkor/resources folder>

#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr double kScale = 2.0;  // pixels per point
constexpr double kPi = 3.14159265358979323846;

struct Rgba {
  double r, g, b, a = 1.0;
};

Rgba hex(unsigned value, double alpha = 1.0) {
  return {((value >> 16) & 0xff) / 255.0, ((value >> 8) & 0xff) / 255.0, (value & 0xff) / 255.0, alpha};
}

const Rgba kDark = hex(0x343a40);
const Rgba kGrey = hex(0xadb5bd);
const Rgba kLight = hex(0xe9ecef);
const Rgba kWhite = hex(0xffffff);
const Rgba kPrimary = hex(0x3481ff);
const Rgba kNew = hex(0xff5a3c);
const Rgba kCoin = hex(0xffc233);

void setColor(cairo_t* cr, Rgba c) { cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a); }

void strokeWith(cairo_t* cr, Rgba c, double width) {
  setColor(cr, c);
  cairo_set_line_width(cr, width);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke(cr);
}

void fillWith(cairo_t* cr, Rgba c) {
  setColor(cr, c);
  cairo_fill(cr);
}

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
  cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
  cairo_arc(cr, x + r, y + r, r, kPi, 3 * kPi / 2);
  cairo_close_path(cr);
}

void circle(cairo_t* cr, double cx, double cy, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
}

// A small landscape (hill and sun) in the middle of a w × h frame: the "picture goes here" mark.
void pictureMark(cairo_t* cr, double w, double h, Rgba color) {
  double s = std::min(w, h) * 0.4;
  double x = (w - s) / 2, y = (h - s) / 2;
  circle(cr, x + s * 0.72, y + s * 0.28, s * 0.12);
  fillWith(cr, color);
  cairo_move_to(cr, x, y + s);
  cairo_line_to(cr, x + s * 0.35, y + s * 0.45);
  cairo_line_to(cr, x + s * 0.6, y + s * 0.75);
  cairo_line_to(cr, x + s * 0.75, y + s * 0.6);
  cairo_line_to(cr, x + s, y + s);
  cairo_close_path(cr);
  fillWith(cr, color);
}

void drawEmpty(cairo_t*, double, double) {}

void drawNothing(cairo_t* cr, double w, double h) {
  circle(cr, w / 2, h / 2, w / 2 - 2);
  strokeWith(cr, kGrey, 3);
  cairo_move_to(cr, w / 2, h * 0.26);
  cairo_line_to(cr, w / 2, h * 0.58);
  strokeWith(cr, kGrey, 4);
  circle(cr, w / 2, h * 0.73, 2.5);
  fillWith(cr, kGrey);
}

void drawMarkNew(cairo_t* cr, double w, double h) {
  circle(cr, w / 2, h / 2, w / 2);
  fillWith(cr, kNew);
  cairo_move_to(cr, w * 0.34, h * 0.7);
  cairo_line_to(cr, w * 0.34, h * 0.3);
  cairo_line_to(cr, w * 0.66, h * 0.7);
  cairo_line_to(cr, w * 0.66, h * 0.3);
  strokeWith(cr, kWhite, 1.6);
}

void drawTempThumb(cairo_t* cr, double w, double h) {
  roundedRect(cr, 0, 0, w, h, 10);
  fillWith(cr, kLight);
  pictureMark(cr, w, h, kGrey);
}

void drawInfoTimer(cairo_t* cr, double w, double h) {
  circle(cr, w / 2, h / 2, w / 2 - 2);
  strokeWith(cr, kWhite, 2);
  cairo_move_to(cr, w / 2, h * 0.25);
  cairo_line_to(cr, w / 2, h / 2);
  cairo_line_to(cr, w * 0.68, h * 0.62);
  strokeWith(cr, kWhite, 2);
}

void drawInfoCompleted(cairo_t* cr, double w, double h) {
  circle(cr, w / 2, h / 2, w / 2 - 2);
  strokeWith(cr, kWhite, 2);
  cairo_move_to(cr, w * 0.3, h * 0.52);
  cairo_line_to(cr, w * 0.45, h * 0.67);
  cairo_line_to(cr, w * 0.72, h * 0.38);
  strokeWith(cr, kWhite, 2.2);
}

void drawPlaceholder(cairo_t* cr, double w, double h) {
  cairo_rectangle(cr, 0, 0, w, h);
  fillWith(cr, kLight);
  pictureMark(cr, w, h, kGrey);
}

void drawDropdownArrow(cairo_t* cr, double w, double h) {
  cairo_move_to(cr, 1.5, 1.5);
  cairo_line_to(cr, w / 2, h - 1.5);
  cairo_line_to(cr, w - 1.5, 1.5);
  strokeWith(cr, kDark, 1.5);
}

void drawTopButton(cairo_t* cr, double w, double h) {
  circle(cr, w / 2, h / 2, w / 2 - 1);
  fillWith(cr, kWhite);
  circle(cr, w / 2, h / 2, w / 2 - 1);
  strokeWith(cr, kGrey, 1);
  cairo_move_to(cr, w * 0.34, h * 0.5);
  cairo_line_to(cr, w * 0.5, h * 0.34);
  cairo_line_to(cr, w * 0.66, h * 0.5);
  cairo_move_to(cr, w * 0.5, h * 0.35);
  cairo_line_to(cr, w * 0.5, h * 0.68);
  strokeWith(cr, kDark, 2);
}

void drawRetry(cairo_t* cr, double w, double h) {
  const double r = w / 2 - 6, cx = w / 2, cy = h / 2;
  const double from = kPi * 0.1, to = kPi * 1.7;
  cairo_arc(cr, cx, cy, r, from, to);
  strokeWith(cr, kPrimary, 3);
  // An arrowhead at the open end, pointing along the circle.
  const double px = cx + r * std::cos(to), py = cy + r * std::sin(to);
  const double tx = -std::sin(to), ty = std::cos(to);  // direction of travel
  const double nx = std::cos(to), ny = std::sin(to);   // outwards
  cairo_move_to(cr, px + tx * 7, py + ty * 7);
  cairo_line_to(cr, px + nx * 6, py + ny * 6);
  cairo_line_to(cr, px - nx * 6, py - ny * 6);
  cairo_close_path(cr);
  fillWith(cr, kPrimary);
}

void drawBack(cairo_t* cr, double w, double h) {
  cairo_move_to(cr, w * 0.62, h * 0.2);
  cairo_line_to(cr, w * 0.32, h * 0.5);
  cairo_line_to(cr, w * 0.62, h * 0.8);
  strokeWith(cr, kDark, 2);
}

void drawClose(cairo_t* cr, double w, double h) {
  cairo_move_to(cr, w * 0.25, h * 0.25);
  cairo_line_to(cr, w * 0.75, h * 0.75);
  cairo_move_to(cr, w * 0.75, h * 0.25);
  cairo_line_to(cr, w * 0.25, h * 0.75);
  strokeWith(cr, kDark, 2);
}

void drawHelp(cairo_t* cr, double w, double h) {
  circle(cr, w / 2, h / 2, w / 2 - 2);
  strokeWith(cr, kDark, 1.6);
  cairo_arc(cr, w / 2, h * 0.4, w * 0.14, kPi, kPi * 2.3);
  cairo_line_to(cr, w / 2, h * 0.62);
  strokeWith(cr, kDark, 1.6);
  circle(cr, w / 2, h * 0.75, 1.2);
  fillWith(cr, kDark);
}

void drawReward(cairo_t* cr, double w, double h) {
  circle(cr, w / 2, h / 2, w / 2 - 1);
  fillWith(cr, kCoin);
  circle(cr, w / 2, h / 2, w / 2 - 5);
  strokeWith(cr, kWhite, 1.5);
  cairo_move_to(cr, w * 0.42, h * 0.7);
  cairo_line_to(cr, w * 0.42, h * 0.3);
  cairo_arc(cr, w * 0.5, h * 0.4, h * 0.1, -kPi / 2, kPi / 2);
  cairo_line_to(cr, w * 0.42, h * 0.5);
  strokeWith(cr, kWhite, 1.8);
}

// Frame n of 4: three dots, the n-th of a cycle (1, 2, 3, 2) highlighted.
std::function<void(cairo_t*, double, double)> loadingFrame(int n) {
  static const int lit[] = {0, 1, 2, 1};
  return [n](cairo_t* cr, double w, double h) {
    for (int i = 0; i < 3; ++i) {
      circle(cr, w * (0.2 + 0.3 * i), h / 2, h * 0.3);
      fillWith(cr, i == lit[n - 1] ? kPrimary : kGrey);
    }
  };
}

struct Drawing {
  const char* name;
  double width, height;  // points
  std::function<void(cairo_t*, double, double)> draw;
};

// Every image a screen asks for by name. The names are fixed by the screens that load them.
std::vector<Drawing> drawings() {
  return {
      {"empty", 1, 1, drawEmpty},                         // navigation bar back indicator: none
      {"nothing", 50, 50, drawNothing},                   // error view icon
      {"ico-mark-new", 15, 15, drawMarkNew},              // new-ad mark of list rows
      {"temp_thumb", 52, 52, drawTempThumb},              // row thumbnail placeholder
      {"ico-info-timer", 24, 24, drawInfoTimer},          // row information icon: countdown
      {"ico-info-completed", 24, 24, drawInfoCompleted},  // row information icon: taken part
      {"velkorPlaceholder", 120, 72, drawPlaceholder},    // banner and popup pages without an image
      {"ic_dropdown_arrow", 10, 6, drawDropdownArrow},    // sort-order button
      {"btnTop", 46, 46, drawTopButton},                  // move-to-top button
      {"ic_retry", 40, 40, drawRetry},                    // network error view's retry button
      {"ic_back", 24, 24, drawBack},                      // navigation bar
      {"ic_close", 24, 24, drawClose},                    // navigation bar
      {"ic_help", 24, 24, drawHelp},                      // navigation bar
      {"ic_reward", 24, 24, drawReward},                  // prepare view's reward icon
      {"ic_loading_1", 40, 10, loadingFrame(1)},          // loading animation frames
      {"ic_loading_2", 40, 10, loadingFrame(2)},
      {"ic_loading_3", 40, 10, loadingFrame(3)},
      {"ic_loading_4", 40, 10, loadingFrame(4)},
  };
}

bool writePng(const Drawing& drawing, const fs::path& file) {
  int w = static_cast<int>(std::lround(drawing.width * kScale));
  int h = static_cast<int>(std::lround(drawing.height * kScale));
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
  cairo_t* cr = cairo_create(surface);
  cairo_scale(cr, kScale, kScale);
  drawing.draw(cr, drawing.width, drawing.height);
  cairo_destroy(cr);
  bool ok = cairo_surface_write_to_png(surface, file.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return ok;
}

std::vector<unsigned char> readFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string identifier(const std::string& name) {
  std::string id = "k";
  bool upper = true;
  for (char c : name) {
    if (c == '-' || c == '_') {
      upper = true;
      continue;
    }
    id += upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
    upper = false;
  }
  return id + "Png";
}

std::string embeddingSource(const std::vector<Drawing>& all, const fs::path& imageDir) {
  std::ostringstream out;
  out << "// Generated by tools/draw-resources from the PNGs in images/; do not edit.\n"
         "#include <cstdint>\n\n#include \"velkor/resources/resource_bundle.h\"\n\nnamespace velkor {\nnamespace {\n\n";
  for (const Drawing& d : all) {
    auto bytes = readFile(imageDir / (std::string(d.name) + ".png"));
    out << "const std::uint8_t " << identifier(d.name) << "[] = {";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      if (i % 16 == 0) out << "\n   ";
      char hexByte[8];
      std::snprintf(hexByte, sizeof hexByte, " 0x%02x,", bytes[i]);
      out << hexByte;
    }
    out << "\n};\n\n";
  }
  out << "}  // namespace\n\nstd::vector<ui::ImageBundle::Entry> resourceImageEntries() {\n  return {\n";
  for (const Drawing& d : all) {
    out << "      {\"" << d.name << "\", " << identifier(d.name) << ", " << kScale << "},\n";
  }
  out << "  };\n}\n\n}  // namespace velkor\n";
  return out.str();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <velkor/resources folder>\n", argv[0]);
    return 2;
  }
  const fs::path resources = argv[1];
  const fs::path imageDir = resources / "images";
  fs::create_directories(imageDir);
  const auto all = drawings();
  for (const Drawing& drawing : all) {
    if (!writePng(drawing, imageDir / (std::string(drawing.name) + ".png"))) {
      std::fprintf(stderr, "could not write %s\n", drawing.name);
      return 1;
    }
  }
  std::ofstream(resources / "resource_images.cc") << embeddingSource(all, imageDir);
  std::printf("drew %zu images into %s\n", all.size(), imageDir.c_str());
  return 0;
}
