#include "core/text/JsonWriter.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace kvf {

void JsonWriter::Separate() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (!hasElement_.empty()) {
    if (hasElement_.back()) out_.append(',');
    hasElement_.back() = true;
  }
}

void JsonWriter::BeginObject() {
  Separate();
  out_.append('{');
  hasElement_.push_back(false);
}

void JsonWriter::EndObject() {
  hasElement_.pop_back();
  out_.append('}');
}

void JsonWriter::BeginArray() {
  Separate();
  out_.append('[');
  hasElement_.push_back(false);
}

void JsonWriter::EndArray() {
  hasElement_.pop_back();
  out_.append(']');
}

void JsonWriter::Key(const char* key) {
  Separate();
  out_.append('"');
  out_.append(key);
  out_.append("\":");
  afterKey_ = true;
}

void JsonWriter::Value(const QString& text) {
  Separate();
  out_.append('"');
  const QByteArray utf8 = text.toUtf8();
  for (const char c : utf8) {
    const auto u = static_cast<unsigned char>(c);
    switch (c) {
      case '"': out_.append("\\\""); break;
      case '\\': out_.append("\\\\"); break;
      case '\b': out_.append("\\b"); break;
      case '\f': out_.append("\\f"); break;
      case '\n': out_.append("\\n"); break;
      case '\r': out_.append("\\r"); break;
      case '\t': out_.append("\\t"); break;
      default:
        if (u < 0x20) {
          char buffer[8];
          std::snprintf(buffer, sizeof buffer, "\\u%04x", u);
          out_.append(buffer);
        } else {
          out_.append(c);
        }
    }
  }
  out_.append('"');
}

void JsonWriter::Value(const char* text) { Value(QString::fromUtf8(text)); }

void JsonWriter::Value(bool flag) {
  Separate();
  out_.append(flag ? "true" : "false");
}

void JsonWriter::Value(int32_t number) { Value(static_cast<int64_t>(number)); }

void JsonWriter::Value(int64_t number) {
  Separate();
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
  Raw(buffer, static_cast<size_t>(result.ptr - buffer));
}

void JsonWriter::Value(double number) {
  if (!std::isfinite(number)) {
    Null();
    return;
  }
  Separate();
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
  Raw(buffer, static_cast<size_t>(result.ptr - buffer));
}

void JsonWriter::Null() {
  Separate();
  out_.append("null");
}

}  // namespace kvf
