// kvf blocks FILE [operations]: the block tables as JSON; with operations,
// edits the blocks as the block editor does (one working copy, the
// operations in the given order, then OK) and keeps the user blocks in the
// settings file as the viewer does.
#include <QStringList>
#include <variant>

#include "CliCommon.h"
#include "Commands.h"
#include "core/blocks/BlockEditor.h"
#include "core/session/DocumentSession.h"
#include "core/settings/ProgramKey.h"
#include "core/settings/UserBlocks.h"
#include "core/text/JsonWriter.h"
#include "platform/registry/FileRegistryStore.h"

namespace kvf::cli {

namespace {

struct Operation {
  QString option;  // "add", "rename", "delete", "members", "include"
  QStringList values;
  std::vector<int32_t> questions;  // --members
  bool include = false;            // --include
};

int ValueCount(const QString& option) {
  if (option == QLatin1String("add") || option == QLatin1String("delete")) return 1;
  if (option == QLatin1String("rename") || option == QLatin1String("members") || option == QLatin1String("include"))
    return 2;
  return -1;
}

// Reads FILE and the operations; nullopt after a usage message.
std::optional<std::pair<QString, std::vector<Operation>>> ParseWords(const QString& command, const QStringList& words) {
  QStringList positional;
  std::vector<Operation> operations;
  for (qsizetype i = 0; i < words.size(); ++i) {
    const QString& word = words[i];
    if (!word.startsWith(QLatin1String("--"))) {
      positional << word;
      continue;
    }
    Operation operation;
    operation.option = word.mid(2);
    const int count = ValueCount(operation.option);
    if (count < 0) {
      UsageError(command, QStringLiteral("unknown option %1").arg(word));
      return std::nullopt;
    }
    if (i + count >= words.size()) {
      UsageError(command, QStringLiteral("%1 needs %2 value(s)").arg(word).arg(count));
      return std::nullopt;
    }
    operation.values = words.mid(i + 1, count);
    i += count;
    if (operation.option == QLatin1String("add") && operation.values[0].isEmpty()) {
      UsageError(command, QStringLiteral("--add needs a name that is not empty"));
      return std::nullopt;
    }
    if (operation.option == QLatin1String("include")) {
      const QString& value = operation.values[1];
      if (value != QLatin1String("yes") && value != QLatin1String("no")) {
        UsageError(command, QStringLiteral("--include NAME takes yes or no"));
        return std::nullopt;
      }
      operation.include = value == QLatin1String("yes");
    }
    if (operation.option == QLatin1String("members") && !operation.values[1].isEmpty()) {
      for (const QString& piece : operation.values[1].split(QLatin1Char(','))) {
        const std::optional<int> question = ParseInt(piece);
        if (!question) {
          UsageError(command, QStringLiteral("--members NAME takes question indexes separated by commas"));
          return std::nullopt;
        }
        operation.questions.push_back(*question);
      }
    }
    operations.push_back(std::move(operation));
  }
  if (positional.size() != 1) {
    UsageError(command, QStringLiteral("expected one FILE"));
    return std::nullopt;
  }
  return std::make_pair(positional.first(), std::move(operations));
}

void WriteBlocks(const SurveyDocument& document) {
  JsonWriter json;
  json.BeginObject();
  json.Key("blocks");
  json.BeginArray();
  for (size_t b = 0; b < document.blocks.size(); ++b) {
    const Block& block = document.blocks[b];
    json.BeginObject();
    json.Field("name", document.BlockName(static_cast<int32_t>(b)));
    json.Field("fromFile", block.fromFile);
    json.Field("includeInCopy", block.includeInCopy);
    json.Field("membersByQuestionField", block.membersByQuestionField);
    json.Field("blockLevel", block.blockLevel);
    json.Field("storedIndex", block.storedIndex);
    json.Field("flexIndex", block.flexIndex);
    json.Field("graphFlags", block.graphFlags);
    json.EndObject();
  }
  json.EndArray();
  json.Key("blockItems");
  json.BeginArray();
  for (const BlockItem& item : document.blockItems) {
    json.BeginArray();
    json.Value(item.block);
    json.Value(item.question);
    json.EndArray();
  }
  json.EndArray();
  json.EndObject();
  WriteOut(json.Text() + '\n');
}

}  // namespace

int RunBlocks(const QStringList& words) {
  const QString command = QStringLiteral("blocks");
  const auto parsed = ParseWords(command, words);
  if (!parsed) return kExitUsage;
  const auto& [path, operations] = *parsed;

  // With operations the settings file is opened for writing before the
  // document is loaded (the process keeps one store, opened on first use).
  platform::FileRegistryStore* store = nullptr;
  if (!operations.empty()) store = &platform::UserRegistryStore(platform::FileRegistryStore::Access::ReadWrite);
  DocumentSession session;
  if (!OpenDocument(session, path)) return kExitLoadFailed;
  if (operations.empty()) {
    WriteBlocks(session.Document());
    return kExitOk;
  }

  // Every operation runs on the working copy (a refused one changes
  // nothing); a usage error wins over a refusal, the first of each is told.
  const SurveyDocument& document = session.Document();
  BlockEditor editor = BlockEditor::Load(document);
  std::optional<QString> usage;
  std::optional<Status> refusal;
  for (const Operation& operation : operations) {
    const int32_t entry = editor.Find(operation.values[0]);
    if (operation.option != QLatin1String("add") && entry < 0) {
      if (!usage) usage = QStringLiteral("there is no block named \"%1\"").arg(operation.values[0]);
      continue;
    }
    Status status;
    if (operation.option == QLatin1String("add")) {
      const Result<int32_t> added = editor.Add(operation.values[0]);
      status = added.Error();
    } else if (operation.option == QLatin1String("rename")) {
      status = editor.Rename(entry, operation.values[1]);
    } else if (operation.option == QLatin1String("delete")) {
      status = editor.Delete(entry);
    } else if (operation.option == QLatin1String("include")) {
      status = editor.SetIncludeInCopy(entry, operation.include);
    } else {
      bool overview = true;
      for (const int32_t q : operation.questions) {
        const Question* question = document.QuestionAt(q);
        if (!question || !question->isOverviewQuestion) {
          if (!usage) usage = QStringLiteral("question %1 is not an overview question").arg(q);
          overview = false;
        }
      }
      if (!overview) continue;
      status = editor.SetMembers(entry, operation.questions);
    }
    if (!status && !refusal) refusal = status;
  }
  if (usage) return UsageError(command, *usage);
  if (refusal) {
    WriteError(refusal->Text());
    return kExitRefused;
  }
  if (const Status committed = editor.Commit(session.MutableDocument(), session.View().Flex().respondents);
      !committed) {
    WriteError(committed.Text());
    return kExitRefused;
  }
  const Policies policies = ReadPolicies(*store);
  if (!policies.noSaveSettings && !WriteBlockDefinitions(*store, policies, document)) {
    WriteError(BiText{QStringLiteral("The blocks could not be saved in the settings file."),
                      QStringLiteral("Blocken kunde inte sparas i inställningsfilen.")}
                   .Get());
    return kExitWriteFailed;
  }
  WriteBlocks(document);
  return kExitOk;
}

}  // namespace kvf::cli
