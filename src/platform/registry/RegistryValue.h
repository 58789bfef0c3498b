#pragma once
// One registry value: a DWORD or a string, and it keeps its type. Values of
// any other registry type (binary, expandable or multi-strings...) are kept
// as the data text of the .reg format ("hex(2):41,00,...") so that a file
// written by another tool survives a save unchanged.
#include <QString>
#include <cstdint>

namespace kvf::platform {

enum class RegistryType { Dword, String, Other };

struct RegistryValue {
  RegistryType type = RegistryType::String;
  uint32_t dword = 0;  // Dword
  QString text;        // String: the text; Other: the .reg data text after '='

  static RegistryValue Dword(uint32_t value) { return {RegistryType::Dword, value, QString()}; }
  static RegistryValue String(const QString& value) { return {RegistryType::String, 0, value}; }
  static RegistryValue Other(const QString& dataText) { return {RegistryType::Other, 0, dataText}; }

  friend bool operator==(const RegistryValue& a, const RegistryValue& b) {
    if (a.type != b.type) return false;
    return a.type == RegistryType::Dword ? a.dword == b.dword : a.text == b.text;
  }
};

}  // namespace kvf::platform
