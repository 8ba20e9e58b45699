// Recursive descent over the JSON grammar; numbers go through from_chars, so no locale leaks in.
#include "json_lite.h"

#include <charconv>
#include <stdexcept>

namespace velkor::samples {
namespace {

class Reader {
 public:
  explicit Reader(const std::string& text) : s_(text) {}

  JsonValue Document() {
    JsonValue v = Value();
    Blanks();
    if (pos_ != s_.size()) Fail("trailing text");
    return v;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error("JSON: " + what + " at offset " + std::to_string(pos_));
  }
  void Blanks() {
    while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\n' || s_[pos_] == '\r' || s_[pos_] == '\t')) ++pos_;
  }
  bool Eat(char c) {
    Blanks();
    if (pos_ < s_.size() && s_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }
  void Expect(char c) {
    if (!Eat(c)) Fail(std::string("expected '") + c + "'");
  }
  bool Word(const char* word) {
    std::string w(word);
    if (s_.compare(pos_, w.size(), w) != 0) return false;
    pos_ += w.size();
    return true;
  }

  std::string String() {
    Expect('"');
    std::string out;
    while (pos_ < s_.size() && s_[pos_] != '"') {
      char c = s_[pos_++];
      if (c != '\\') {
        out += c;
        continue;
      }
      if (pos_ >= s_.size()) Fail("unfinished escape");
      char e = s_[pos_++];
      switch (e) {
        case 'n':
          out += '\n';
          break;
        case 't':
          out += '\t';
          break;
        case 'r':
          out += '\r';
          break;
        case 'b':
          out += '\b';
          break;
        case 'f':
          out += '\f';
          break;
        case 'u': {
          if (pos_ + 4 > s_.size()) Fail("short \\u escape");
          unsigned code = std::stoul(s_.substr(pos_, 4), nullptr, 16);
          pos_ += 4;
          // UTF-8 of the code unit; surrogate pairs are not needed by the truth files.
          if (code < 0x80) {
            out += static_cast<char>(code);
          } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
          } else {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
          }
          break;
        }
        default:
          out += e;
          break;
      }
    }
    Expect('"');
    return out;
  }

  JsonValue Value() {
    Blanks();
    if (pos_ >= s_.size()) Fail("unexpected end");
    JsonValue v;
    char c = s_[pos_];
    if (c == '{') {
      ++pos_;
      v.type = JsonValue::Type::Object;
      if (Eat('}')) return v;
      do {
        Blanks();
        std::string key = String();
        Expect(':');
        v.members[key] = Value();
      } while (Eat(','));
      Expect('}');
    } else if (c == '[') {
      ++pos_;
      v.type = JsonValue::Type::Array;
      if (Eat(']')) return v;
      do v.items.push_back(Value());
      while (Eat(','));
      Expect(']');
    } else if (c == '"') {
      v.type = JsonValue::Type::String;
      v.text = String();
    } else if (Word("true")) {
      v.type = JsonValue::Type::Bool;
      v.boolean = true;
    } else if (Word("false")) {
      v.type = JsonValue::Type::Bool;
    } else if (Word("null")) {
    } else {
      v.type = JsonValue::Type::Number;
      auto [end, ec] = std::from_chars(s_.data() + pos_, s_.data() + s_.size(), v.number);
      if (ec != std::errc()) Fail("not a value");
      pos_ = static_cast<std::size_t>(end - s_.data());
    }
    return v;
  }

  const std::string& s_;
  std::size_t pos_ = 0;
};

}  // namespace

JsonValue ParseJson(const std::string& text) { return Reader(text).Document(); }

}  // namespace velkor::samples
