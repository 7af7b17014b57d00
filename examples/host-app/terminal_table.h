// Tables for the terminal, columns lined up by how wide their text shows (a Hangul syllable takes two
// columns), so Korean ad titles read as they do in an app.
#pragma once

#include <string>
#include <vector>

namespace sample {

class TerminalTable {
 public:
  explicit TerminalTable(std::vector<std::string> header) : header_(std::move(header)) {}

  void addRow(std::vector<std::string> row) { rows_.push_back(std::move(row)); }

  // The table with a rule above and below the header and under the last row; "(none)" without rows.
  std::string render() const;

 private:
  std::vector<std::string> header_;
  std::vector<std::vector<std::string>> rows_;
};

// How many terminal columns the UTF-8 text takes.
int displayWidth(const std::string& text);

}  // namespace sample
