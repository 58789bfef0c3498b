// kvf about [--summary | --compliance | --trademark]: what Help > About shows.
#include <QLocale>

#include "CliCommon.h"
#include "Commands.h"
#include "core/dialogs/AboutTexts.h"
#include "core/settings/ProgramKey.h"
#include "core/settings/SettingsFile.h"
#include "core/text/JsonWriter.h"
#include "core/text/Language.h"
#include "platform/registry/FileRegistryStore.h"
#include "platform/system/SystemFacts.h"

namespace kvf::cli {

int RunAbout(const QStringList& arguments) {
  const QString name = QStringLiteral("about");
  QString error;
  const QStringList topics = {QStringLiteral("trademark"), QStringLiteral("summary"), QStringLiteral("compliance")};
  const std::optional<Arguments> parsed = Arguments::Parse(arguments, topics, {}, &error);
  if (!parsed) return UsageError(name, error);
  if (!parsed->Positional().isEmpty()) return UsageError(name, QStringLiteral("takes no FILE"));
  std::optional<AboutTopic> topic;
  int chosen = 0;
  const AboutTopic topicOf[] = {AboutTopic::Trademark, AboutTopic::SystemSummary, AboutTopic::Compliance};
  for (int i = 0; i < topics.size(); ++i) {
    if (!parsed->Has(topics[i])) continue;
    topic = topicOf[i];
    ++chosen;
  }
  if (chosen > 1) return UsageError(name, QStringLiteral("takes one of --summary, --compliance and --trademark"));

  if (topic) {
    platform::FileRegistryStore& store = platform::UserRegistryStore(platform::FileRegistryStore::Access::ReadOnly);
    const platform::SystemFacts system =
        *topic == AboutTopic::SystemSummary ? platform::ReadSystemFacts() : platform::SystemFacts();
    WriteOut(
        AboutRtfDocument(*topic, Swedish(), system, CurrentApplicationFacts(), ReadPolicies(store), QLocale::system())
            .toUtf8());
    return kExitOk;
  }
  JsonWriter json;
  json.BeginObject();
  json.Field("caption", AboutCaption().Get());
  json.Field("name", ApplicationTitle());
  json.Field("version", AboutVersionText(CurrentProgramVersion()));
  json.Field("legalNotice", LegalNotice().Get());
  json.Key("show");
  json.BeginArray();
  for (const AboutShowItem& item : AboutShowItems()) json.Value(item.text.Get());
  json.EndArray();
  json.EndObject();
  WriteOut(json.Text() + '\n');
  return kExitOk;
}

}  // namespace kvf::cli
