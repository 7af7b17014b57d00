#include "platform/net/header_fields.h"

#include <algorithm>

namespace net {

namespace {

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lower(x) == lower(y); });
}

HeaderFields::HeaderFields(std::initializer_list<Field> fields) {
  for (const auto& [name, value] : fields) add(name, value);
}

void HeaderFields::add(std::string_view name, std::string_view value) {
  if (Field* field = find(name)) {
    field->second.append(", ").append(value);
    return;
  }
  fields_.emplace_back(std::string(name), std::string(value));
}

void HeaderFields::set(std::string_view name, std::string_view value) {
  if (Field* field = find(name)) {
    field->second.assign(value);
    return;
  }
  fields_.emplace_back(std::string(name), std::string(value));
}

void HeaderFields::remove(std::string_view name) {
  std::erase_if(fields_, [&](const Field& field) { return equalsIgnoringCase(field.first, name); });
}

std::optional<std::string> HeaderFields::value(std::string_view name) const {
  if (const Field* field = find(name)) return field->second;
  return std::nullopt;
}

HeaderFields::Field* HeaderFields::find(std::string_view name) {
  auto it = std::find_if(fields_.begin(), fields_.end(),
                         [&](const Field& field) { return equalsIgnoringCase(field.first, name); });
  return it == fields_.end() ? nullptr : &*it;
}

const HeaderFields::Field* HeaderFields::find(std::string_view name) const {
  return const_cast<HeaderFields*>(this)->find(name);
}

}  // namespace net
