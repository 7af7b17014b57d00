#include "velkor/detail/notice_list.h"

#include "velkor/core/text_replace.h"
#include "velkor/offerwall/rows/row_style.h"

namespace velkor {

std::vector<std::string> noticeItems(const std::string& text) {
  const std::string joined = replacingOccurrences(replacingOccurrences(text, "\n・", "・"), "\n", "");
  constexpr std::string_view separator = "・ ";
  std::vector<std::string> items;
  std::size_t start = 0;
  while (start <= joined.size()) {
    const std::size_t end = joined.find(separator, start);
    const std::string piece = joined.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!piece.empty()) items.push_back(piece);
    if (end == std::string::npos) break;
    start = end + separator.size();
  }
  return items;
}

base::AttributedString bulletedList(const std::vector<std::string>& items, const std::string& bullet,
                                    const BulletStyle& style) {
  base::ParagraphStyle paragraph{.alignment = base::TextAlignment::left,
                                 .lineSpacing = style.lineSpacing,
                                 .paragraphSpacing = style.paragraphSpacing,
                                 .headIndent = style.indent,
                                 .defaultTabInterval = style.indent,
                                 .tabStops = {{base::TextAlignment::left, style.indent}}};
  base::AttributedString list;
  for (const auto& item : items) {
    base::Attributes line = textAttributes(style.textColor, style.font);
    line.paragraphStyle = paragraph;
    base::AttributedString text(bullet + "\t" + item + "\n", line);
    text.addAttributes(textAttributes(style.bulletColor, style.font),
                       base::Range{0, base::AttributedString(bullet).length()});
    list.append(text);
  }
  return list;
}

}  // namespace velkor
