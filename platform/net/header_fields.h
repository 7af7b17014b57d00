// The header fields of a request or a response. Names compare in any letter case and keep the
// spelling they were first given; a field given twice holds both values joined with ", ", as HTTP
// allows for repeated fields.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace net {

class HeaderFields {
 public:
  using Field = std::pair<std::string, std::string>;

  HeaderFields() = default;
  HeaderFields(std::initializer_list<Field> fields);

  // Appends the value to the field of that name (after ", "), or adds the field.
  void add(std::string_view name, std::string_view value);
  // Replaces the value of the field of that name, or adds the field.
  void set(std::string_view name, std::string_view value);
  void remove(std::string_view name);
  std::optional<std::string> value(std::string_view name) const;

  // Every field, in the order the names first appeared.
  const std::vector<Field>& all() const { return fields_; }
  bool empty() const { return fields_.empty(); }
  std::size_t size() const { return fields_.size(); }

  friend bool operator==(const HeaderFields&, const HeaderFields&) = default;

 private:
  Field* find(std::string_view name);
  const Field* find(std::string_view name) const;

  std::vector<Field> fields_;
};

// ASCII letters compared without case, as HTTP field names are.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace net
