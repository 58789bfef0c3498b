#pragma once
// A small streaming JSON writer that keeps keys in the order written.
//
// Usage: BeginObject(); Key("a"); Value(1); EndObject(); then Text().
// The caller is responsible for well-formed nesting; the writer only adds
// commas and escapes. Doubles are written in the shortest form that reads
// back to the same value ("-1", "0.5", "1e+300"); NaN and infinities, which
// JSON cannot hold, are written as null.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

namespace kvf {

class JsonWriter {
 public:
  void BeginObject();
  void EndObject();
  void BeginArray();
  void EndArray();
  void Key(const char* key);

  void Value(const QString& text);
  void Value(const char* text);
  void Value(bool flag);
  void Value(int32_t number);
  void Value(int64_t number);
  void Value(double number);
  void Null();

  // Key(key) followed by Value(value).
  template <typename T>
  void Field(const char* key, const T& value) {
    Key(key);
    Value(value);
  }

  const QByteArray& Text() const { return out_; }

 private:
  void Separate();
  void Raw(const char* text, size_t length) { out_.append(text, static_cast<qsizetype>(length)); }

  QByteArray out_;
  // One entry per open container: true once it holds an element.
  std::vector<bool> hasElement_;
  bool afterKey_ = false;
};

}  // namespace kvf
