// Prints a registry store file's status and values, one a line: "<key>|<name>|dword|<decimal>",
// "...|string|<text>" or "...|other|<data>"; keys without values as "<key>|".
#include <cstdio>

#include "platform/registry/FileRegistryStore.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: kvf_registry_probe FILE\n", stderr);
    return 1;
  }
  using namespace kvf::platform;
  QString out;
  {
    FileRegistryStore store(QString::fromLocal8Bit(argv[1]));
    out += QStringLiteral("status|%1\n").arg(static_cast<int>(store.GetStatus()));
    for (const RegistryTree::Key* key : store.Tree().AllKeys()) {
      if (key->values.empty()) out += key->path + QStringLiteral("|\n");
      for (const auto& [name, value] : key->values) {
        out += key->path + QLatin1Char('|') + name + QLatin1Char('|');
        if (value.type == RegistryType::Dword) out += QStringLiteral("dword|%1\n").arg(value.dword);
        else out += (value.type == RegistryType::String ? QStringLiteral("string|") : QStringLiteral("other|")) + value.text + '\n';
      }
    }
  }
  std::fputs(out.toUtf8().constData(), stdout);
  return 0;
}
