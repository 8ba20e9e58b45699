// A small JSON reader for the samples' truth files (objects, arrays, numbers, strings, true/false/null).
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace velkor::samples {

struct JsonValue {
  enum class Type { Null, Bool, Number, String, Array, Object };
  Type type = Type::Null;
  bool boolean = false;
  double number = 0;
  std::string text;
  std::vector<JsonValue> items;
  std::map<std::string, JsonValue> members;

  bool Has(const std::string& key) const { return members.count(key) != 0; }
  // Throws std::out_of_range when the member is missing.
  const JsonValue& operator[](const std::string& key) const { return members.at(key); }
  const JsonValue& operator[](std::size_t index) const { return items.at(index); }
};

// Throws std::runtime_error naming the offset of the first thing it cannot read.
JsonValue ParseJson(const std::string& text);

}  // namespace velkor::samples
