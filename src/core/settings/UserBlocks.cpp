#include "core/settings/UserBlocks.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <set>

#include "core/document/DocumentLimits.h"

namespace kvf {

using platform::RegistryAccess;
using platform::RegistryKey;

namespace {
const QString kBlockItems = QStringLiteral("Block Items");
const QString kName = QStringLiteral("Name");
const QString kIncludeInCopy = QStringLiteral("Include In Copy");
const QString kIncludedDataHeaders = QStringLiteral("Included Data Headers");
}  // namespace

QString DocumentKeyPath(const SurveyDocument& document) {
  return ProgramKeyPath() + QStringLiteral("\\Documents\\") + GuidRegistryForm(document.info.guid);
}

QString BlockKeyName(int32_t block) { return QStringLiteral("Block %1").arg(block, 3, 10, QLatin1Char('0')); }

std::vector<int32_t> ParseIncludedDataHeaders(const QString& text, int32_t questionCount) {
  std::vector<int32_t> questions;
  std::set<int32_t> seen;
  for (const QString& part : text.split(QLatin1Char('|'))) {
    bool ok = false;
    const double number = part.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(number)) continue;
    const double rounded = std::nearbyint(number);  // the default rounding mode: halves to even
    if (rounded < 0 || rounded >= questionCount) continue;
    const auto question = static_cast<int32_t>(rounded);
    if (seen.insert(question).second) questions.push_back(question);
  }
  return questions;
}

QString FormatIncludedDataHeaders(std::vector<int32_t> questions) {
  std::sort(questions.begin(), questions.end());
  questions.erase(std::unique(questions.begin(), questions.end()), questions.end());
  QStringList parts;
  for (const int32_t question : questions) parts << QString::number(question);
  return parts.join(QLatin1Char('|'));
}

void RegistryUserBlockSource::ReadUserBlocks(SurveyDocument& document) {
  const RegistryKey documentKey = RegistryKey::Open(store_, DocumentKeyPath(document), RegistryAccess::Read);
  if (!documentKey.IsOpen()) return;
  const auto fileBlocks = static_cast<int32_t>(document.blocks.size());
  int32_t total = std::max(0, static_cast<int32_t>(documentKey.ReadDword(kBlockItems).value_or(0)));
  total = std::min(total, fileBlocks + kMaxUserBlocks);
  for (int32_t b = fileBlocks; b < total; ++b) {
    Block block;
    block.blockLevel = -1;
    block.graphFlags = 3;
    block.storedIndex = kNoIndex;
    block.flexIndex = kNoIndex;
    block.fromFile = false;
    block.includeInCopy = true;
    document.blocks.push_back(block);
  }
  const auto questionCount = static_cast<int32_t>(document.questions.size());
  for (int32_t b = 0; b < total; ++b) {
    const RegistryKey key = documentKey.OpenSubKey(BlockKeyName(b), RegistryAccess::Read);
    if (!key.IsOpen()) continue;
    Block& block = document.blocks[static_cast<size_t>(b)];
    if (const auto include = key.ReadFlag(kIncludeInCopy)) block.includeInCopy = *include;
    if (block.fromFile) continue;
    if (const auto name = key.ReadString(kName)) block.userName = *name;
    if (const auto headers = key.ReadString(kIncludedDataHeaders)) {
      // The settings file is outside input too: block items stay within the
      // document's limit, however many blocks and members it lists.
      for (const int32_t question : ParseIncludedDataHeaders(*headers, questionCount)) {
        if (static_cast<int64_t>(document.blockItems.size()) >= limits::kMaxBlockItems) break;
        document.blockItems.push_back({b, question});
      }
    }
  }
  document.IndexBlockMembers();
}

bool WriteBlockDefinitions(platform::RegistryStore& store, const Policies& policies, const SurveyDocument& document) {
  if (policies.noSaveSettings) return false;
  const RegistryKey documentKey = RegistryKey::Open(store, DocumentKeyPath(document), RegistryAccess::Write);
  if (!documentKey.IsOpen()) return false;
  const int32_t oldCount = std::max(0, static_cast<int32_t>(documentKey.ReadDword(kBlockItems).value_or(0)));
  const auto count = static_cast<int32_t>(document.blocks.size());

  // Members of user blocks, by block.
  std::vector<std::vector<int32_t>> members(document.blocks.size());
  for (const BlockItem& item : document.blockItems)
    if (item.block >= 0 && item.block < count) members[static_cast<size_t>(item.block)].push_back(item.question);

  bool ok = true;
  for (int32_t b = 0; b < count; ++b) {
    const Block& block = document.blocks[static_cast<size_t>(b)];
    const RegistryKey key = documentKey.OpenSubKey(BlockKeyName(b), RegistryAccess::Write);
    if (!key.IsOpen()) {
      ok = false;
      continue;
    }
    if (!block.fromFile) ok &= key.WriteString(kName, block.userName);
    ok &= key.WriteFlag(kIncludeInCopy, block.includeInCopy);
    if (!block.fromFile)
      ok &= key.WriteString(kIncludedDataHeaders, FormatIncludedDataHeaders(members[static_cast<size_t>(b)]));
  }

  // Former blocks from the new count up to the old one. Only keys that exist
  // are visited, so a damaged old count costs nothing.
  static const QRegularExpression blockKey(QStringLiteral("^Block (\\d+)$"),
                                           QRegularExpression::CaseInsensitiveOption);
  for (const QString& name : store.SubKeys(documentKey.Path())) {
    const QRegularExpressionMatch match = blockKey.match(name);
    if (!match.hasMatch()) continue;
    bool numeric = false;
    const int number = match.captured(1).toInt(&numeric);
    if (!numeric || number < count || number >= oldCount || BlockKeyName(number).compare(name, Qt::CaseInsensitive) != 0)
      continue;
    const RegistryKey former = documentKey.OpenSubKey(name, RegistryAccess::Write);
    for (const QString& value : {kIncludedDataHeaders, kIncludeInCopy, kName}) former.DeleteValue(value);
    ok &= documentKey.DeleteSubKey(name);
  }

  ok &= documentKey.WriteDword(kBlockItems, static_cast<uint32_t>(count));
  return store.Flush() && ok;
}

}  // namespace kvf
