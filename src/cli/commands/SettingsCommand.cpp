// kvf settings: the program settings in effect, as the viewer would read them.
#include "CliCommon.h"
#include "Commands.h"
#include "core/settings/ProgramSettings.h"
#include "core/settings/SettingsFile.h"
#include "platform/registry/FileRegistryStore.h"

namespace kvf::cli {

int RunSettings(const QStringList& arguments) {
  if (!arguments.isEmpty()) return UsageError(QStringLiteral("settings"), QStringLiteral("takes no arguments"));
  platform::FileRegistryStore& store = platform::UserRegistryStore(platform::FileRegistryStore::Access::ReadOnly);
  if (const Status file = SettingsFileStatus(store); !file) WriteError(file.Text());
  QByteArray out;
  for (const SettingLine& line : DescribeProgramSettings(store, SystemSpecialFolders())) {
    out += (line.key + QLatin1Char('\\') + line.name + QLatin1Char('\t') + line.value + QLatin1Char('\t') +
            (line.fromStore ? QStringLiteral("store") : QStringLiteral("default")))
               .toUtf8() +
           '\n';
  }
  WriteOut(out);
  return kExitOk;
}

}  // namespace kvf::cli
