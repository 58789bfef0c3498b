#include "import/ImportMapping.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <set>

#include "core/document/DocumentLimits.h"
#include "core/text/JsonWriter.h"
#include "import/CodeIndex.h"
#include "import/CodeWindow.h"
#include "import/ImportStatus.h"

namespace kvf::import {

namespace {

// Variables without value labels qualify with at most this many distinct
// integer values.
constexpr int kMaxUnlabelledValues = 20;
// Dimensions chosen without --dimension have this many codes.
constexpr int kMinDimensionCodes = 2;
constexpr int kMaxDimensionCodes = 12;
// An index value is code x 10 and must stay an int32 other than -1.
constexpr double kMaxIndexCode = 200000000.0;
// The window of values examined in one pass starts this far below the
// column's first value.
constexpr double kHalfWindow = CodeWindow::kMaxSize / 2;

Status UsageFailure(const QString& english, const QString& swedish) {
  return Status::Failure({english, swedish}, kUsageError);
}

bool IsInteger(double v) { return std::isfinite(v) && v == std::floor(v); }

// A short number text: "3", "2.5", "-1".
QString ShortCode(double code) {
  QString text = QString::number(code, 'g', 15);
  return text;
}

class NameIndex {
 public:
  explicit NameIndex(const SourceData& source) {
    index_.reserve(static_cast<qsizetype>(source.variables.size()));
    for (size_t k = 0; k < source.variables.size(); ++k) {
      const QString& name = source.variables[k].name;
      if (unique_.ok() && (name.isEmpty() || index_.contains(name))) {
        const QString shown = name.isEmpty() ? QStringLiteral("(empty)") : name;
        unique_ = Status::Failure({QStringLiteral("two variables are called \"%1\", or one has no name").arg(shown),
                                   QStringLiteral("två variabler heter \"%1\", eller en saknar namn").arg(shown)},
                                  kInputError);
      }
      index_.insert(name, static_cast<int>(k));
    }
  }
  int Find(const QString& name) const { return index_.value(name, -1); }
  // Fails when two variables share a name or one has none.
  const Status& Unique() const { return unique_; }

 private:
  QHash<QString, int> index_;
  Status unique_;
};

Status UnknownVariable(const QString& option, const QString& name) {
  return UsageFailure(QStringLiteral("%1: the data has no variable \"%2\"").arg(option, name),
                      QStringLiteral("%1: data saknar variabeln \"%2\"").arg(option, name));
}

Status NotAQuestion(const QString& option, const QString& name) {
  return UsageFailure(
      QStringLiteral("%1: the variable \"%2\" does not become a question (see --dry-run)").arg(option, name),
      QStringLiteral("%1: variabeln \"%2\" blir ingen fråga (se --dry-run)").arg(option, name));
}

Status TooManyAlternatives(const QString& name) {
  return Status::Failure(
      {QStringLiteral("the variable \"%1\" has more than %2 different values; a question holds at most %2 alternatives")
           .arg(name)
           .arg(limits::kMaxAlternativesPerQuestion),
       QStringLiteral("variabeln \"%1\" har fler än %2 olika värden; en fråga rymmer högst %2 svarsalternativ")
           .arg(name)
           .arg(limits::kMaxAlternativesPerQuestion)},
      kLimitError);
}

// A question may count in indexes when every code is an integer whose
// value (code x 10) fits.
bool Indexable(const MappedQuestion& q) {
  for (const MappedAlternative& a : q.alternatives) {
    if (!IsInteger(a.code) || std::fabs(a.code) > kMaxIndexCode) return false;
  }
  return !q.alternatives.empty();
}

Status NotIndexable(const QString& option, const QString& name) {
  return UsageFailure(
      QStringLiteral("%1: the variable \"%2\" has codes that are not whole numbers (up to 200000000)")
          .arg(option, name),
      QStringLiteral("%1: variabeln \"%2\" har koder som inte är heltal (upp till 200000000)").arg(option, name));
}

// The question a variable becomes, or the reason it does not.
struct Candidate {
  bool qualifies = false;
  QString reason;
  MappedQuestion question;
  std::vector<double> scaleCodes;  // the labelled codes (or the values, without labels)
};

Result<Candidate> Examine(const SourceData& source, int k) {
  const SourceVariable& v = source.variables[static_cast<size_t>(k)];
  Candidate c;
  if (v.isString) {
    c.reason = QStringLiteral("a text variable");
    return c;
  }
  const bool labelled = !v.valueLabels.empty() || v.hasCodebookEntry;
  std::set<double> values;
  bool integers = true;
  if (v.summary.known) {
    // The reader noted the column's values as it stored them.
    for (int i = 0; i < ValueSummary::kSize; ++i) {
      if ((v.summary.present[static_cast<size_t>(i / 64)] >> (i % 64) & 1) == 0) continue;
      const double code = v.summary.low + i;
      if (!v.IsDeclaredMissing(code)) values.insert(values.end(), code);
    }
    if (labelled && static_cast<int64_t>(values.size()) > limits::kMaxAlternativesPerQuestion) {
      return TooManyAlternatives(v.name);
    }
  } else {
    // Most columns hold whole numbers close together: one pass marks the
    // values present in a window around the first value. A value outside it
    // sends the column through the search below.
    const auto firstNumber = std::find_if(v.numbers.begin(), v.numbers.end(), [](double x) { return !std::isnan(x); });
    const double first = firstNumber == v.numbers.end() ? 0.0 : *firstNumber;
    const CodeWindow window(CodeWindow::Usable(first) ? first - kHalfWindow : 0.0,
                            CodeWindow::Usable(first) ? CodeWindow::kMaxSize : 0);
    std::vector<uint8_t> present(window.Slots(), 0);
    for (const double x : v.numbers) present[window.Slot(x)] = 1;
    if (present[window.OtherSlot()] == 0) {
      for (size_t i = 0; i < window.Size(); ++i) {
        if (i % 8 == 0 && i + 8 <= window.Size()) {
          uint64_t eight = 0;  // skips eight absent values at once
          std::memcpy(&eight, present.data() + i, 8);
          if (eight == 0) {
            i += 7;
            continue;
          }
        }
        if (present[i] != 0 && !v.IsDeclaredMissing(window.Code(i))) values.insert(values.end(), window.Code(i));
      }
      if (labelled && static_cast<int64_t>(values.size()) > limits::kMaxAlternativesPerQuestion) {
        return TooManyAlternatives(v.name);
      }
    } else {
      CodeIndex distinct;
      double previous = std::nan("");
      for (double x : v.numbers) {
        if (x == previous || std::isnan(x)) continue;  // NaN: system missing
        previous = x;
        if (distinct.Find(x) >= 0 || v.IsDeclaredMissing(x)) continue;
        distinct.Add(x, 0);
        integers = integers && IsInteger(x);
        if (!labelled && (static_cast<int>(distinct.Size()) > kMaxUnlabelledValues || !integers)) break;
        if (static_cast<int64_t>(distinct.Size()) > limits::kMaxAlternativesPerQuestion) {
          return TooManyAlternatives(v.name);
        }
      }
      values.insert(distinct.Codes().begin(), distinct.Codes().end());
    }
  }
  if (!labelled) {
    if (source.formatHasLabels) {
      c.reason = QStringLiteral("no value labels");
      return c;
    }
    if (values.empty()) {
      c.reason = QStringLiteral("no values");
      return c;
    }
    if (!integers || static_cast<int>(values.size()) > kMaxUnlabelledValues) {
      c.reason = QStringLiteral("more than 20 different values, or values that are not whole numbers");
      return c;
    }
  }
  std::set<double> codes = values;
  for (const auto& [code, label] : v.valueLabels) {
    if (!v.IsDeclaredMissing(code)) {
      codes.insert(code);
      c.scaleCodes.push_back(code);
    }
  }
  if (c.scaleCodes.empty()) c.scaleCodes.assign(values.begin(), values.end());
  if (static_cast<int64_t>(codes.size()) > limits::kMaxAlternativesPerQuestion) return TooManyAlternatives(v.name);
  c.qualifies = true;
  c.question.variable = k;
  c.question.text = v.label.isEmpty() ? v.name : v.label;
  for (double code : codes) {
    const auto label = v.valueLabels.find(code);
    c.question.alternatives.push_back({code, label != v.valueLabels.end() ? label->second : ShortCode(code)});
  }
  if (v.measure == Measure::Ordinal || v.measure == Measure::Scale) {
    c.question.ordered = true;
  } else if (v.measure == Measure::Unknown) {
    bool consecutive = c.scaleCodes.size() >= 3;
    for (size_t i = 0; consecutive && i < c.scaleCodes.size(); ++i) {
      consecutive = IsInteger(c.scaleCodes[i]) && (i == 0 || c.scaleCodes[i] == c.scaleCodes[i - 1] + 1);
    }
    c.question.ordered = consecutive;
  }
  return c;
}

// Sets the flags the options ask for; shared by both routes to a mapping.
struct QuestionLookup {
  QHash<int, int> byVariable;  // variable position -> question position
  const NameIndex* names = nullptr;
  const ImportMapping* mapping = nullptr;

  Result<int> Question(const QString& option, const QString& name) const {
    const int k = names->Find(name);
    if (k < 0) return UnknownVariable(option, name);
    const int q = byVariable.value(k, -1);
    if (q < 0) return NotAQuestion(option, name);
    return q;
  }
};

Status SetComment(const SourceData& source, const NameIndex& names, const QString& option, const QString& name,
                  ImportMapping& m) {
  if (name.isEmpty()) return Status::Ok();
  const int k = names.Find(name);
  if (k < 0) return UnknownVariable(option, name);
  if (!source.variables[static_cast<size_t>(k)].isString) {
    return UsageFailure(QStringLiteral("%1: the variable \"%2\" holds no text").arg(option, name),
                        QStringLiteral("%1: variabeln \"%2\" innehåller ingen text").arg(option, name));
  }
  m.comment = k;
  return Status::Ok();
}

}  // namespace

bool ImportMapping::HasIndexes() const {
  for (const MappedQuestion& q : questions) {
    if (q.index) return true;
  }
  return false;
}

QString NamePrefix(const QString& name) {
  const qsizetype underscore = name.indexOf(u'_');
  if (underscore > 0) return name.left(underscore);
  qsizetype end = name.size();
  while (end > 0 && name[end - 1].isDigit()) --end;
  if (end > 0 && end < name.size()) return name.left(end);
  return {};
}

Result<ImportMapping> ProposeMapping(const SourceData& source, const ImportOptions& options) {
  const NameIndex names(source);
  if (!names.Unique()) return names.Unique();
  ImportMapping m;
  m.title = options.title.isEmpty() ? source.fileLabel : options.title;
  m.project = options.project;
  m.language = options.language;
  m.minimum = options.minimum;
  if (Status s = SetComment(source, names, QStringLiteral("--comment"), options.comment, m); !s) return s;

  QuestionLookup lookup;
  lookup.names = &names;
  std::vector<std::vector<double>> scaleCodes;
  for (int k = 0; k < static_cast<int>(source.variables.size()); ++k) {
    if (k == m.comment) continue;
    Result<Candidate> c = Examine(source, k);
    if (!c) return c.Error();
    if (!c->qualifies) {
      m.skipped.push_back({k, c->reason});
      continue;
    }
    lookup.byVariable.insert(k, static_cast<int>(m.questions.size()));
    scaleCodes.push_back(c->scaleCodes);
    m.questions.push_back(std::move(c.Value().question));
  }

  if (!options.dimensions.isEmpty()) {
    for (const QString& name : options.dimensions) {
      Result<int> q = lookup.Question(QStringLiteral("--dimension"), name);
      if (!q) return q.Error();
      m.questions[static_cast<size_t>(q.Value())].dimension = true;
    }
  } else {
    for (size_t q = 0; q < m.questions.size(); ++q) {
      const int n = static_cast<int>(scaleCodes[q].size());
      m.questions[q].dimension = n >= kMinDimensionCodes && n <= kMaxDimensionCodes && !m.questions[q].ordered;
    }
  }
  for (const QString& name : options.indexes) {
    Result<int> q = lookup.Question(QStringLiteral("--index"), name);
    if (!q) return q.Error();
    MappedQuestion& question = m.questions[static_cast<size_t>(q.Value())];
    if (!Indexable(question)) return NotIndexable(QStringLiteral("--index"), name);
    question.index = true;
  }
  if (options.indexAllScales) {
    for (MappedQuestion& q : m.questions) {
      if (q.ordered && Indexable(q)) q.index = true;
    }
  }
  if (!options.flex.isEmpty()) {
    Result<int> q = lookup.Question(QStringLiteral("--flex"), options.flex);
    if (!q) return q.Error();
    m.questions[static_cast<size_t>(q.Value())].flex = true;
  }
  QSet<QString> blockNames;
  for (const auto& [blockName, members] : options.blocks) {
    if (blockName.isEmpty() || blockNames.contains(blockName)) {
      return UsageFailure(QStringLiteral("--block: a block needs a name of its own (\"%1\")").arg(blockName),
                          QStringLiteral("--block: ett block behöver ett eget namn (\"%1\")").arg(blockName));
    }
    const int b = static_cast<int>(m.blocks.size());
    m.blocks.push_back(blockName);
    blockNames.insert(blockName);
    for (const QString& name : members) {
      Result<int> q = lookup.Question(QStringLiteral("--block"), name);
      if (!q) return q.Error();
      MappedQuestion& question = m.questions[static_cast<size_t>(q.Value())];
      if (question.block >= 0) {
        return UsageFailure(QStringLiteral("--block: the variable \"%1\" is in two blocks").arg(name),
                            QStringLiteral("--block: variabeln \"%1\" finns i två block").arg(name));
      }
      question.block = b;
    }
  }
  if (options.blocksByPrefix) {
    // A prefix shared by at least two questions (not already in a block)
    // makes a block, in the order the prefixes first occur.
    QHash<QString, int> count;
    for (const MappedQuestion& q : m.questions) {
      if (q.block < 0) ++count[NamePrefix(source.variables[static_cast<size_t>(q.variable)].name)];
    }
    QHash<QString, int> blockOf;
    for (MappedQuestion& q : m.questions) {
      const QString prefix = NamePrefix(source.variables[static_cast<size_t>(q.variable)].name);
      if (q.block >= 0 || prefix.isEmpty() || count.value(prefix) < 2) continue;
      if (!blockOf.contains(prefix)) {
        if (blockNames.contains(prefix)) continue;
        blockOf.insert(prefix, static_cast<int>(m.blocks.size()));
        m.blocks.push_back(prefix);
        blockNames.insert(prefix);
      }
      q.block = blockOf.value(prefix);
    }
  }
  return m;
}

QByteArray MappingToJson(const SourceData& source, const ImportMapping& m) {
  auto nameOf = [&](int k) { return source.variables[static_cast<size_t>(k)].name; };
  JsonWriter w;
  w.BeginObject();
  w.Field("title", m.title);
  w.Field("project", m.project);
  w.Field("language", m.language);
  w.Field("minimum", static_cast<int32_t>(m.minimum));
  w.Key("questions");
  w.BeginArray();
  for (const MappedQuestion& q : m.questions) {
    w.BeginObject();
    w.Field("variable", nameOf(q.variable));
    w.Field("text", q.text);
    w.Field("ordered", q.ordered);
    w.Key("alternatives");
    w.BeginArray();
    for (const MappedAlternative& a : q.alternatives) {
      w.BeginObject();
      w.Field("code", a.code);
      w.Field("label", a.label);
      w.EndObject();
    }
    w.EndArray();
    w.EndObject();
  }
  w.EndArray();
  auto names = [&](const char* key, bool MappedQuestion::*flag) {
    w.Key(key);
    w.BeginArray();
    for (const MappedQuestion& q : m.questions) {
      if (q.*flag) w.Value(nameOf(q.variable));
    }
    w.EndArray();
  };
  names("dimensions", &MappedQuestion::dimension);
  names("indexes", &MappedQuestion::index);
  w.Key("flex");
  bool flexWritten = false;
  for (const MappedQuestion& q : m.questions) {
    if (q.flex && !flexWritten) {
      w.Value(nameOf(q.variable));
      flexWritten = true;
    }
  }
  if (!flexWritten) w.Null();
  w.Key("blocks");
  w.BeginArray();
  for (int b = 0; b < static_cast<int>(m.blocks.size()); ++b) {
    w.BeginObject();
    w.Field("name", m.blocks[b]);
    w.Key("variables");
    w.BeginArray();
    for (const MappedQuestion& q : m.questions) {
      if (q.block == b) w.Value(nameOf(q.variable));
    }
    w.EndArray();
    w.EndObject();
  }
  w.EndArray();
  w.Key("comment");
  if (m.comment >= 0) {
    w.Value(nameOf(m.comment));
  } else {
    w.Null();
  }
  w.Key("skipped");
  w.BeginArray();
  for (const SkippedVariable& s : m.skipped) {
    w.BeginObject();
    w.Field("variable", nameOf(s.variable));
    w.Field("reason", s.reason);
    w.EndObject();
  }
  w.EndArray();
  w.EndObject();
  QByteArray out = w.Text();
  out.append('\n');
  return out;
}

namespace {

// Reads one mapping text; every fault names its place.
class MappingParser {
 public:
  MappingParser(const QString& fileName, const SourceData& source)
      : fileName_(fileName), source_(source), names_(source) {}

  Result<ImportMapping> Parse(const QByteArray& json) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
      return Fault(QStringLiteral("offset %1").arg(error.offset), error.errorString());
    if (!document.isObject()) return Fault(QStringLiteral("the top"), QStringLiteral("expected an object"));
    const QJsonObject root = document.object();
    static const QStringList kKeys = {"title",   "project", "language", "minimum", "questions", "dimensions",
                                      "indexes", "flex",    "blocks",   "comment", "skipped"};
    for (auto it = root.begin(); it != root.end(); ++it) {
      if (!kKeys.contains(it.key())) return Fault(it.key(), QStringLiteral("unknown key"));
    }
    ImportMapping m;
    if (!Text(root, "title", &m.title) || !Text(root, "project", &m.project) || !Text(root, "language", &m.language)) {
      return failure_;
    }
    if (m.language.isEmpty()) m.language = QStringLiteral("en");
    if (m.language != QLatin1String("en") && m.language != QLatin1String("sv")) {
      return Fault(QStringLiteral("language"), QStringLiteral("expected \"en\" or \"sv\""));
    }
    const QJsonValue minimum = root.value(QLatin1String("minimum"));
    if (!minimum.isUndefined()) {
      if (!minimum.isDouble() || minimum.toDouble() < 0 || minimum.toDouble() > 1000000 ||
          minimum.toDouble() != std::floor(minimum.toDouble())) {
        return Fault(QStringLiteral("minimum"), QStringLiteral("expected a whole number from 0 to 1000000"));
      }
      m.minimum = minimum.toInt();
    }
    const QJsonArray questions = root.value(QLatin1String("questions")).toArray();
    for (qsizetype i = 0; i < questions.size(); ++i) {
      if (!ParseQuestion(questions[i], QStringLiteral("questions[%1]").arg(i), m)) return failure_;
    }
    if (!Flags(root, "dimensions", &MappedQuestion::dimension, m) ||
        !Flags(root, "indexes", &MappedQuestion::index, m)) {
      return failure_;
    }
    for (MappedQuestion& q : m.questions) {
      if (q.index && !Indexable(q))
        return NotIndexable(fileName_, source_.variables[static_cast<size_t>(q.variable)].name);
    }
    QString flex;
    if (!Text(root, "flex", &flex)) return failure_;
    if (!flex.isEmpty()) {
      const int q = QuestionOf(flex, QStringLiteral("flex"));
      if (q < 0) return failure_;
      m.questions[static_cast<size_t>(q)].flex = true;
    }
    const QJsonArray blocks = root.value(QLatin1String("blocks")).toArray();
    QSet<QString> blockNames;
    for (qsizetype b = 0; b < blocks.size(); ++b) {
      const QString at = QStringLiteral("blocks[%1]").arg(b);
      const QJsonObject block = blocks[b].toObject();
      const QString name = block.value(QLatin1String("name")).toString();
      if (name.isEmpty() || blockNames.contains(name))
        return Fault(at + QStringLiteral(".name"), QStringLiteral("expected a name of its own"));
      m.blocks.push_back(name);
      blockNames.insert(name);
      for (const QJsonValue& v : block.value(QLatin1String("variables")).toArray()) {
        const int q = QuestionOf(v.toString(), at);
        if (q < 0) return failure_;
        if (m.questions[static_cast<size_t>(q)].block >= 0)
          return Fault(at, QStringLiteral("a variable is in two blocks"));
        m.questions[static_cast<size_t>(q)].block = static_cast<int>(m.blocks.size()) - 1;
      }
    }
    QString comment;
    if (!Text(root, "comment", &comment)) return failure_;
    if (Status s = SetComment(source_, names_, fileName_ + QStringLiteral(": comment"), comment, m); !s) return s;
    return m;
  }

 private:
  Status Fault(const QString& where, const QString& english) {
    failure_ = UsageFailure(QStringLiteral("%1: %2: %3").arg(fileName_, where, english),
                            QStringLiteral("%1: %2: %3").arg(fileName_, where, english));
    return failure_;
  }

  bool Text(const QJsonObject& o, const char* key, QString* out) {
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined() || v.isNull()) return true;
    if (!v.isString()) {
      Fault(QString::fromLatin1(key), QStringLiteral("expected a text"));
      return false;
    }
    *out = v.toString();
    return true;
  }

  int QuestionOf(const QString& name, const QString& at) {
    const int k = names_.Find(name);
    const int q = byVariable_.value(k, -1);
    if (q < 0) Fault(at, QStringLiteral("\"%1\" is not one of the questions").arg(name));
    return q;
  }

  bool Flags(const QJsonObject& root, const char* key, bool MappedQuestion::*flag, ImportMapping& m) {
    for (const QJsonValue& v : root.value(QLatin1String(key)).toArray()) {
      const int q = QuestionOf(v.toString(), QString::fromLatin1(key));
      if (q < 0) return false;
      m.questions[static_cast<size_t>(q)].*flag = true;
    }
    return true;
  }

  bool ParseQuestion(const QJsonValue& value, const QString& at, ImportMapping& m) {
    const QJsonObject o = value.toObject();
    const QString name = o.value(QLatin1String("variable")).toString();
    const int k = names_.Find(name);
    if (k < 0 || source_.variables[static_cast<size_t>(k)].isString || byVariable_.contains(k) || k == m.comment) {
      Fault(at + QStringLiteral(".variable"),
            QStringLiteral("\"%1\" is not a numeric variable of the data, or is listed twice").arg(name));
      return false;
    }
    MappedQuestion q;
    q.variable = k;
    q.text = o.value(QLatin1String("text")).toString(name);
    q.ordered = o.value(QLatin1String("ordered")).toBool(false);
    const QJsonArray alternatives = o.value(QLatin1String("alternatives")).toArray();
    if (alternatives.size() > limits::kMaxAlternativesPerQuestion) {
      failure_ = TooManyAlternatives(name);
      return false;
    }
    std::set<double> codes;
    for (qsizetype a = 0; a < alternatives.size(); ++a) {
      const QJsonObject alt = alternatives[a].toObject();
      const QJsonValue code = alt.value(QLatin1String("code"));
      if (!code.isDouble() || !codes.insert(code.toDouble()).second) {
        Fault(QStringLiteral("%1.alternatives[%2].code").arg(at).arg(a),
              QStringLiteral("expected a number of its own"));
        return false;
      }
      q.alternatives.push_back(
          {code.toDouble(), alt.value(QLatin1String("label")).toString(ShortCode(code.toDouble()))});
    }
    byVariable_.insert(k, static_cast<int>(m.questions.size()));
    m.questions.push_back(std::move(q));
    return true;
  }

  QString fileName_;
  const SourceData& source_;
  NameIndex names_;
  QHash<int, int> byVariable_;
  Status failure_;
};

}  // namespace

Result<ImportMapping> MappingFromJson(const QByteArray& json, const QString& fileName, const SourceData& source) {
  if (const NameIndex names(source); !names.Unique()) return names.Unique();
  return MappingParser(fileName, source).Parse(json);
}

}  // namespace kvf::import
