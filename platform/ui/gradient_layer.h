// A layer that paints a linear gradient over its bounds, from startPoint to endPoint in unit
// coordinates of the bounds (top centre to bottom centre by default).
#pragma once

#include <optional>
#include <vector>

#include "platform/ui/layer.h"

namespace ui {

class GradientLayer : public Layer {
 public:
  const std::vector<Color>& colors() const { return colors_; }
  void setColors(std::vector<Color> colors) { colors_ = std::move(colors); }
  // Stops in 0...1, one per colour; none spreads the colours evenly.
  const std::optional<std::vector<double>>& locations() const { return locations_; }
  void setLocations(std::optional<std::vector<double>> locations) { locations_ = std::move(locations); }
  Point startPoint() const { return startPoint_; }
  void setStartPoint(Point point) { startPoint_ = point; }
  Point endPoint() const { return endPoint_; }
  void setEndPoint(Point point) { endPoint_ = point; }

 private:
  std::vector<Color> colors_;
  std::optional<std::vector<double>> locations_;
  Point startPoint_{0.5, 0};
  Point endPoint_{0.5, 1};
};

}  // namespace ui
