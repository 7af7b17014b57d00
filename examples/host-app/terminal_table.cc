#include "examples/host-app/terminal_table.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <algorithm>

namespace sample {
namespace {

std::string rule(const std::vector<int>& widths) {
  std::string line = "+";
  for (int width : widths) line += std::string(width + 2, '-') + "+";
  return line + "\n";
}

std::string line(const std::vector<std::string>& cells, const std::vector<int>& widths) {
  std::string text = "|";
  for (std::size_t i = 0; i < widths.size(); ++i) {
    const std::string cell = i < cells.size() ? cells[i] : "";
    text += " " + cell + std::string(widths[i] - displayWidth(cell), ' ') + " |";
  }
  return text + "\n";
}

}  // namespace

int displayWidth(const std::string& text) {
  int width = 0;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  const auto length = static_cast<std::int32_t>(text.size());
  for (std::int32_t at = 0; at < length;) {
    UChar32 c;
    U8_NEXT(bytes, at, length, c);
    const auto kind = u_getIntPropertyValue(c, UCHAR_EAST_ASIAN_WIDTH);
    width += (kind == U_EA_WIDE || kind == U_EA_FULLWIDTH) ? 2 : 1;
  }
  return width;
}

std::string TerminalTable::render() const {
  const auto rows = rows_.empty() ? std::vector<std::vector<std::string>>{{"(none)"}} : rows_;
  std::vector<int> widths;
  for (const auto& title : header_) widths.push_back(displayWidth(title));
  for (const auto& row : rows) {
    for (std::size_t i = 0; i < std::min(row.size(), widths.size()); ++i) {
      widths[i] = std::max(widths[i], displayWidth(row[i]));
    }
  }
  std::string text = rule(widths) + line(header_, widths) + rule(widths);
  for (const auto& row : rows) text += line(row, widths);
  return text + rule(widths);
}

}  // namespace sample
