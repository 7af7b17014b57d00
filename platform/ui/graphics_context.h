// The target of a view's custom drawing: draw(rect) runs with a context made current, and what it
// strokes and fills is recorded as commands in the view's coordinates, for the renderer to paint
// and for tests to read.
#pragma once

#include <vector>

#include "platform/ui/bezier_path.h"
#include "platform/ui/color.h"

namespace ui {

class GraphicsContext {
 public:
  struct Command {
    enum class Operation { stroke, fill };
    Operation operation = Operation::stroke;
    BezierPath path;  // carries its line width and cap
    Color color;
  };

  // The context of the drawing pass under way on this thread; null outside one.
  static GraphicsContext* current();

  // Makes a context current for the life of the scope; scopes nest.
  class Scope {
   public:
    explicit Scope(GraphicsContext& context);
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    GraphicsContext* previous_;
  };

  // The colours later strokes and fills use (black at first, as the platform's).
  void setStrokeColor(const Color& color) { strokeColor_ = color; }
  void setFillColor(const Color& color) { fillColor_ = color; }
  const Color& strokeColor() const { return strokeColor_; }
  const Color& fillColor() const { return fillColor_; }

  void stroke(const BezierPath& path) { commands_.push_back({Command::Operation::stroke, path, strokeColor_}); }
  void fill(const BezierPath& path) { commands_.push_back({Command::Operation::fill, path, fillColor_}); }

  const std::vector<Command>& commands() const { return commands_; }

 private:
  Color strokeColor_ = Color::black();
  Color fillColor_ = Color::black();
  std::vector<Command> commands_;
};

}  // namespace ui
