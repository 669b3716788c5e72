#include "tests/tools/JsonCheck.h"

#include <cctype>

namespace quendrel::test {
namespace {

class Checker {
public:
  explicit Checker(std::string_view text) : text_(text) {}

  bool Document() {
    Space();
    if (!Value(0)) return false;
    Space();
    return pos_ == text_.size();
  }

private:
  bool Value(int depth) {
    if (depth > 64 || pos_ >= text_.size()) return false;
    switch (text_[pos_]) {
      case '{': return Object(depth);
      case '[': return Array(depth);
      case '"': return String();
      case 't': return Word("true");
      case 'f': return Word("false");
      case 'n': return Word("null");
      default: return Number();
    }
  }

  bool Object(int depth) {
    ++pos_;
    Space();
    if (Take('}')) return true;
    do {
      Space();
      if (!String()) return false;
      Space();
      if (!Take(':')) return false;
      Space();
      if (!Value(depth + 1)) return false;
      Space();
    } while (Take(','));
    return Take('}');
  }

  bool Array(int depth) {
    ++pos_;
    Space();
    if (Take(']')) return true;
    do {
      Space();
      if (!Value(depth + 1)) return false;
      Space();
    } while (Take(','));
    return Take(']');
  }

  bool String() {
    if (!Take('"')) return false;
    while (pos_ < text_.size()) {
      const auto c = static_cast<unsigned char>(text_[pos_++]);
      if (c == '"') return true;
      if (c < 0x20) return false;
      if (c == '\\') {
        if (pos_ >= text_.size()) return false;
        const char e = text_[pos_++];
        if (e == 'u') {
          for (int i = 0; i < 4; ++i)
            if (pos_ >= text_.size() || !std::isxdigit(static_cast<unsigned char>(text_[pos_++]))) return false;
        } else if (std::string_view("\"\\/bfnrt").find(e) == std::string_view::npos) {
          return false;
        }
      } else if (c >= 0x80) {
        // UTF-8: a lead byte and its continuation bytes (overlong forms not checked).
        const int more = c >= 0xF0 && c < 0xF5 ? 3 : c >= 0xE0 ? 2 : c >= 0xC2 ? 1 : -1;
        if (more < 0 || c >= 0xF5) return false;
        for (int i = 0; i < more; ++i)
          if (pos_ >= text_.size() || (static_cast<unsigned char>(text_[pos_++]) & 0xC0) != 0x80) return false;
      }
    }
    return false;
  }

  bool Number() {
    const size_t start = pos_;
    Take('-');
    if (Take('0')) {
    } else if (!Digits()) {
      return false;
    }
    if (Take('.') && !Digits()) return false;
    if (Take('e') || Take('E')) {
      if (!Take('+')) Take('-');
      if (!Digits()) return false;
    }
    return pos_ > start;
  }

  bool Digits() {
    const size_t start = pos_;
    while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_]))) ++pos_;
    return pos_ > start;
  }

  bool Word(std::string_view word) {
    if (text_.substr(pos_, word.size()) != word) return false;
    pos_ += word.size();
    return true;
  }

  bool Take(char c) {
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }

  void Space() {
    while (pos_ < text_.size() && std::string_view(" \t\r\n").find(text_[pos_]) != std::string_view::npos) ++pos_;
  }

  std::string_view text_;
  size_t pos_ = 0;
};

}  // namespace

bool IsValidJson(std::string_view text) { return Checker(text).Document(); }

}  // namespace quendrel::test
