// kvf info FILE: what File > Properties shows, as one JSON object.
#include "CliCommon.h"
#include "Commands.h"
#include "core/dialogs/DocumentProperties.h"
#include "core/session/DocumentSession.h"
#include "core/text/JsonWriter.h"
#include "core/text/Language.h"

namespace kvf::cli {

int RunInfo(const QStringList& arguments) {
  QString error;
  const std::optional<Arguments> parsed = Arguments::Parse(arguments, {}, {}, &error);
  if (!parsed) return UsageError(QStringLiteral("info"), error);
  if (parsed->Positional().size() != 1) return UsageError(QStringLiteral("info"), QStringLiteral("expects FILE"));
  DocumentSession session;
  if (!OpenDocument(session, parsed->Positional().first())) return kExitLoadFailed;

  const DocumentPropertiesContent content =
      DescribeDocumentProperties(session.Document(), Swedish(), QLocale::system());
  JsonWriter json;
  json.BeginObject();
  json.Field("caption", content.caption);
  json.Key("labels");
  json.BeginArray();
  for (const PropertyRow& row : content.rows) {
    json.BeginArray();
    json.Value(row.label);
    json.Value(row.value);
    json.EndArray();
  }
  json.EndArray();
  json.Key("indexFrame");
  json.BeginObject();
  json.Field("enabled", content.indexFrame.enabled);
  json.Field("caption", content.indexFrame.caption);
  json.Field("status", content.indexFrame.status);
  json.Field("information", content.indexFrame.information);
  json.EndObject();
  json.Field("comment", content.comment);
  json.EndObject();
  WriteOut(json.Text() + '\n');
  return kExitOk;
}

}  // namespace kvf::cli
