#pragma once
// A strict reader of one JSON text, enough to check that a tool's output is well formed and
// to read its members: objects, arrays, strings (escapes kept as written), numbers (without
// exponents, which the tools never write), true, false and null. Anything else, including a
// repeated member name or text after the value, is refused.

#include <cctype>
#include <charconv>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tarvel::decode_json::test {

struct JsonValue {
  using Object = std::map<std::string, JsonValue>;
  using Array = std::vector<JsonValue>;
  std::variant<std::nullptr_t, bool, double, std::string, std::shared_ptr<Array>,
               std::shared_ptr<Object>>
      value;

  const Object* object() const {
    const auto* p = std::get_if<std::shared_ptr<Object>>(&value);
    return p ? p->get() : nullptr;
  }
  std::optional<double> number() const {
    const auto* p = std::get_if<double>(&value);
    return p ? std::optional(*p) : std::nullopt;
  }
};

class JsonReader {
 public:
  // The value of the whole of `text`, or nothing when `text` is not exactly one JSON value
  // (blanks around it allowed).
  static std::optional<JsonValue> Read(std::string_view text) {
    JsonReader r(text);
    auto v = r.Value();
    r.Blanks();
    if (!v || r.at_ != text.size()) return std::nullopt;
    return v;
  }

 private:
  explicit JsonReader(std::string_view text) : text_(text) {}

  void Blanks() {
    while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_])))
      ++at_;
  }
  bool Take(char c) {
    Blanks();
    if (at_ < text_.size() && text_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }
  bool Word(std::string_view w) {
    if (text_.substr(at_, w.size()) != w) return false;
    at_ += w.size();
    return true;
  }

  std::optional<std::string> String() {
    if (!Take('"')) return std::nullopt;
    std::string s;
    while (at_ < text_.size() && text_[at_] != '"') {
      const char c = text_[at_++];
      if (static_cast<unsigned char>(c) < 0x20) return std::nullopt;
      s += c;
      if (c == '\\') {
        if (at_ == text_.size()) return std::nullopt;
        s += text_[at_++];
      }
    }
    if (!Take('"')) return std::nullopt;
    return s;
  }

  std::optional<JsonValue> Value() {
    if (++depth_ > 64) return std::nullopt;
    Blanks();
    if (at_ == text_.size()) return std::nullopt;
    const char c = text_[at_];
    std::optional<JsonValue> v;
    if (c == '{') {
      ++at_;
      auto object = std::make_shared<JsonValue::Object>();
      if (!Take('}')) {
        do {
          auto key = String();
          if (!key || !Take(':')) return std::nullopt;
          auto member = Value();
          if (!member || !object->emplace(*key, *member).second) return std::nullopt;
        } while (Take(','));
        if (!Take('}')) return std::nullopt;
      }
      v = JsonValue{object};
    } else if (c == '[') {
      ++at_;
      auto array = std::make_shared<JsonValue::Array>();
      if (!Take(']')) {
        do {
          auto item = Value();
          if (!item) return std::nullopt;
          array->push_back(*item);
        } while (Take(','));
        if (!Take(']')) return std::nullopt;
      }
      v = JsonValue{array};
    } else if (c == '"') {
      if (auto s = String()) v = JsonValue{*s};
    } else if (Word("true")) {
      v = JsonValue{true};
    } else if (Word("false")) {
      v = JsonValue{false};
    } else if (Word("null")) {
      v = JsonValue{nullptr};
    } else {
      // JSON numbers: no leading '+', no leading zeros, digits on both sides of a point.
      const std::string_view rest = text_.substr(at_);
      std::size_t n = rest.starts_with('-') ? 1 : 0;
      const std::size_t int_start = n;
      while (n < rest.size() && std::isdigit(static_cast<unsigned char>(rest[n])))
        ++n;
      if (n == int_start || (rest[int_start] == '0' && n - int_start > 1)) return std::nullopt;
      if (n < rest.size() && rest[n] == '.') {
        const std::size_t frac = ++n;
        while (n < rest.size() && std::isdigit(static_cast<unsigned char>(rest[n])))
          ++n;
        if (n == frac) return std::nullopt;
      }
      double d = 0;
      const auto r = std::from_chars(rest.data(), rest.data() + n, d);
      if (r.ec != std::errc() || r.ptr != rest.data() + n) return std::nullopt;
      at_ += n;
      v = JsonValue{d};
    }
    --depth_;
    return v;
  }

  std::string_view text_;
  std::size_t at_ = 0;
  int depth_ = 0;
};

}  // namespace tarvel::decode_json::test
