// Opens a registry store file and prints, one line each, its status and
// every value: "<key>|<name>|dword|<decimal>", "...|string|<text>" or
// "...|other|<data>". Keys without values print as "<key>|".
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
        switch (value.type) {
          case RegistryType::Dword:
            out += QStringLiteral("dword|%1\n").arg(value.dword);
            break;
          case RegistryType::String:
            out += QStringLiteral("string|") + value.text + QLatin1Char('\n');
            break;
          case RegistryType::Other:
            out += QStringLiteral("other|") + value.text + QLatin1Char('\n');
            break;
        }
      }
    }
  }
  std::fputs(out.toUtf8().constData(), stdout);
  return 0;
}
