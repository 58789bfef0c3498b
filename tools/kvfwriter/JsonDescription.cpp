#include "kvfwriter/JsonDescription.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QRegularExpression>
#include <QTimeZone>

#include <cmath>
#include <limits>
#include <set>

#include "kvfwriter/KvfWriter.h"

namespace kvf::writer {
namespace {

constexpr double kOleEpochDays = 25569.0;  // 1970-01-01 as an OLE date

class Parser {
 public:
  bool Parse(const QByteArray& json, KvfDescription* d, QString* error);

 private:
  // Appends a path segment for as long as it lives.
  class Scope {
   public:
    Scope(Parser& p, const QString& segment) : p_(p) { p_.path_.push_back(segment); }
    ~Scope() { p_.path_.pop_back(); }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    Parser& p_;
  };
  static QString Key(const char* key) { return QStringLiteral(".") + QLatin1String(key); }
  static QString Item(qsizetype i) { return QStringLiteral("[%1]").arg(i); }

  bool Fail(const QString& message) {
    if (error_.isEmpty()) {
      QString path = path_.join(QString());
      if (path.startsWith(QLatin1Char('.'))) {
        path.remove(0, 1);
      }
      error_ = path.isEmpty() ? message : path + QStringLiteral(": ") + message;
    }
    return false;
  }

  bool Keys(const QJsonObject& o, std::initializer_list<const char*> allowed) {
    for (auto it = o.begin(); it != o.end(); ++it) {
      bool known = false;
      for (const char* k : allowed) {
        known = known || it.key() == QLatin1String(k);
      }
      if (!known) {
        Scope s(*this, QStringLiteral(".") + it.key());
        return Fail(QStringLiteral("unknown key"));
      }
    }
    return true;
  }

  bool ToInt(const QJsonValue& v, int32_t* out) {
    const double x = v.toDouble();
    if (!v.isDouble() || x != std::floor(x) || x < std::numeric_limits<int32_t>::min() ||
        x > std::numeric_limits<int32_t>::max()) {
      return Fail(QStringLiteral("expected a 32-bit integer"));
    }
    *out = static_cast<int32_t>(x);
    return true;
  }
  bool ToFlag(const QJsonValue& v, int16_t* out) {
    if (!v.isBool()) {
      return Fail(QStringLiteral("expected true or false"));
    }
    *out = v.toBool() ? kTrue : kFalse;
    return true;
  }
  bool ToText(const QJsonValue& v, int32_t* out) {
    if (v.isNull()) {
      *out = kNone;
    } else if (v.isString()) {
      *out = strings_.Add(v.toString());
    } else {
      return Fail(QStringLiteral("expected a text or null"));
    }
    return true;
  }
  bool ToColour(const QJsonValue& v, int32_t* out) {
    static const QRegularExpression hex(QStringLiteral("^#([0-9A-Fa-f]{2})([0-9A-Fa-f]{2})([0-9A-Fa-f]{2})$"));
    if (v.isNull()) {
      *out = kNone;
      return true;
    }
    if (v.isString()) {
      const QRegularExpressionMatch m = hex.match(v.toString());
      if (m.hasMatch()) {
        const int r = m.captured(1).toInt(nullptr, 16);
        const int g = m.captured(2).toInt(nullptr, 16);
        const int b = m.captured(3).toInt(nullptr, 16);
        *out = (b << 16) | (g << 8) | r;
        return true;
      }
    } else if (v.isDouble()) {
      return ToInt(v, out);
    }
    return Fail(QStringLiteral("expected a colour (\"#RRGGBB\", a COLORREF integer or null)"));
  }
  // A number, or null for -1.0 (no index).
  bool ToIndex(const QJsonValue& v, double* out) {
    if (v.isNull()) {
      *out = kNoIndex;
    } else if (v.isDouble()) {
      *out = v.toDouble();
    } else {
      return Fail(QStringLiteral("expected a number or null"));
    }
    return true;
  }
  // An OLE date number or an ISO 8601 date and time (UTC unless it says).
  bool ToDate(const QJsonValue& v, double* out) {
    if (v.isDouble()) {
      *out = v.toDouble();
      return true;
    }
    QDateTime t = QDateTime::fromString(v.toString(), Qt::ISODate);
    if (!v.isString() || !t.isValid()) {
      return Fail(QStringLiteral("expected an OLE date number or an ISO 8601 date such as \"2024-03-01T09:30:00Z\""));
    }
    // A date without a zone designator ("Z" or an offset) reads as local
    // time; it is meant as UTC.
    if (t.timeZone() == QTimeZone::systemTimeZone()) t = QDateTime(t.date(), t.time(), QTimeZone::utc());
    *out = static_cast<double>(t.toMSecsSinceEpoch()) / 86400000.0 + kOleEpochDays;
    return true;
  }

  // Converts o[key] with convert(value, out) under the key's path; an absent
  // key leaves *out unchanged.
  template <typename T>
  bool Field(const QJsonObject& o, const char* key, T* out, bool (Parser::*convert)(const QJsonValue&, T*)) {
    const auto it = o.constFind(QLatin1String(key));
    if (it == o.constEnd()) {
      return true;
    }
    Scope s(*this, Key(key));
    return (this->*convert)(it.value(), out);
  }
  bool Int(const QJsonObject& o, const char* key, int32_t* out) { return Field(o, key, out, &Parser::ToInt); }
  bool Flag(const QJsonObject& o, const char* key, int16_t* out) { return Field(o, key, out, &Parser::ToFlag); }
  bool Text(const QJsonObject& o, const char* key, int32_t* out) { return Field(o, key, out, &Parser::ToText); }
  bool Colour(const QJsonObject& o, const char* key, int32_t* out) { return Field(o, key, out, &Parser::ToColour); }
  bool Index(const QJsonObject& o, const char* key, double* out) { return Field(o, key, out, &Parser::ToIndex); }
  bool Date(const QJsonObject& o, const char* key, double* out) { return Field(o, key, out, &Parser::ToDate); }
  bool Object(const QJsonValue& v, QJsonObject* out) {
    if (!v.isObject()) {
      return Fail(QStringLiteral("expected an object"));
    }
    *out = v.toObject();
    return true;
  }
  // Absent arrays read as empty.
  bool Array(const QJsonObject& o, const char* key, QJsonArray* out, qsizetype exactSize = -1) {
    if (!o.contains(QLatin1String(key))) {
      return true;
    }
    Scope s(*this, Key(key));
    const QJsonValue v = o.value(QLatin1String(key));
    if (!v.isArray()) {
      return Fail(QStringLiteral("expected an array"));
    }
    *out = v.toArray();
    if (exactSize >= 0 && out->size() != exactSize) {
      return Fail(QStringLiteral("expected %1 elements").arg(exactSize));
    }
    return true;
  }

  bool ParseGuid(const QJsonObject& o, std::array<uint8_t, 16>* guid);
  bool ParseInfo(const QJsonObject& o);
  bool ParseQuestion(const QJsonObject& o);
  bool ParseAlternative(const QJsonObject& o);
  bool ParseBlock(const QJsonObject& o);
  bool ParseAnswers(const QJsonObject& root);
  bool ParseComments(const QJsonObject& root);
  bool CheckReferences();
  int32_t DefaultGraphFlags(double storedIndex) const {
    return static_cast<int32_t>(3 | (d_.info.indexDivisor >= 1 && storedIndex != kNoIndex ? 0x100 : 0));
  }

  QStringList path_;
  QString error_;
  StringTable strings_;
  KvfDescription d_;
  bool widthGiven_ = false;
};

bool Parser::ParseGuid(const QJsonObject& o, std::array<uint8_t, 16>* guid) {
  if (!o.contains(QLatin1String("guid"))) {
    return true;
  }
  Scope s(*this, Key("guid"));
  static const QRegularExpression form(
      QStringLiteral("^\\{([0-9A-Fa-f]{8})-([0-9A-Fa-f]{4})-([0-9A-Fa-f]{4})-([0-9A-Fa-f]{4})-([0-9A-Fa-f]{12})\\}$"));
  const QRegularExpressionMatch m = form.match(o.value(QLatin1String("guid")).toString());
  if (!m.hasMatch()) {
    return Fail(QStringLiteral("expected a GUID such as \"{0123ABCD-4567-89EF-0123-456789ABCDEF}\""));
  }
  // int32, int16, int16 little-endian, then eight bytes in order.
  const uint32_t data1 = m.captured(1).toUInt(nullptr, 16);
  const uint32_t data2 = m.captured(2).toUInt(nullptr, 16);
  const uint32_t data3 = m.captured(3).toUInt(nullptr, 16);
  const QString tail = m.captured(4) + m.captured(5);
  for (int k = 0; k < 4; ++k) {
    (*guid)[static_cast<size_t>(k)] = static_cast<uint8_t>(data1 >> (8 * k));
  }
  (*guid)[4] = static_cast<uint8_t>(data2);
  (*guid)[5] = static_cast<uint8_t>(data2 >> 8);
  (*guid)[6] = static_cast<uint8_t>(data3);
  (*guid)[7] = static_cast<uint8_t>(data3 >> 8);
  for (int k = 0; k < 8; ++k) {
    (*guid)[static_cast<size_t>(8 + k)] = static_cast<uint8_t>(tail.mid(2 * k, 2).toUInt(nullptr, 16));
  }
  return true;
}

bool Parser::ParseInfo(const QJsonObject& o) {
  InfoFields& i = d_.info;
  if (!Keys(o, {"guid",
                "projectNumber",
                "projectName",
                "copyright",
                "documentComment",
                "fileVersion",
                "created",
                "secondDate",
                "language",
                "allowCopy",
                "allowPrint",
                "allowSave",
                "allowCopyData",
                "indexDivisor",
                "indexCaption",
                "indexLabels",
                "countTip",
                "selectionTip",
                "allRespondentsCaption",
                "tooFewCaption",
                "minimumSelection",
                "minimumComplementSelection",
                "minimumGraphSelection",
                "hasRespondentComments",
                "hideFirstAlternative",
                "sheetColor0",
                "sheetColor1",
                "levelColors",
                "rowOrder",
                "rowOrderThreshold",
                "totalIndex",
                "featureFlags",
                "maxAlternativeValue"})) {
    return false;
  }
  QJsonArray version, labels, levels;
  bool ok =
      ParseGuid(o, &i.guid) && Text(o, "projectNumber", &i.projectNumber) && Text(o, "projectName", &i.projectName) &&
      Text(o, "copyright", &i.copyright) && Text(o, "documentComment", &i.documentComment) &&
      Array(o, "fileVersion", &version, 3) && Date(o, "created", &i.created) && Date(o, "secondDate", &i.secondDate) &&
      Text(o, "language", &i.language) && Flag(o, "allowCopy", &i.allowCopy) && Flag(o, "allowPrint", &i.allowPrint) &&
      Flag(o, "allowSave", &i.allowSave) && Flag(o, "allowCopyData", &i.allowCopyData) &&
      Int(o, "indexDivisor", &i.indexDivisor) && Text(o, "indexCaption", &i.indexCaption) &&
      Array(o, "indexLabels", &labels, 5) && Text(o, "countTip", &i.countTip) &&
      Text(o, "selectionTip", &i.selectionTip) && Text(o, "allRespondentsCaption", &i.allRespondentsCaption) &&
      Text(o, "tooFewCaption", &i.tooFewCaption) && Int(o, "minimumSelection", &i.minimumSelection) &&
      Int(o, "minimumGraphSelection", &i.minimumGraphSelection) &&
      Flag(o, "hasRespondentComments", &i.hasRespondentComments) &&
      Flag(o, "hideFirstAlternative", &i.hideFirstAlternative) && Colour(o, "sheetColor0", &i.sheetColor0) &&
      Colour(o, "sheetColor1", &i.sheetColor1) && Array(o, "levelColors", &levels, 4) &&
      Int(o, "rowOrder", &i.rowOrder) && Int(o, "rowOrderThreshold", &i.rowOrderThreshold) &&
      Index(o, "totalIndex", &i.totalIndex);
  if (!ok) {
    return false;
  }
  i.minimumComplementSelection = i.minimumSelection;
  i.featureFlags = i.indexDivisor >= 1 ? 0x100 : 0;
  if (!Int(o, "minimumComplementSelection", &i.minimumComplementSelection) ||
      !Int(o, "featureFlags", &i.featureFlags)) {
    return false;
  }
  if (o.contains(QLatin1String("maxAlternativeValue"))) {
    int32_t max = -1;
    if (!Int(o, "maxAlternativeValue", &max)) {
      return false;
    }
    i.maxAlternativeValue = max;
  }
  {
    Scope s(*this, Key("fileVersion"));
    for (qsizetype k = 0; k < version.size(); ++k) {
      Scope e(*this, Item(k));
      if (!ToInt(version.at(k), &i.fileVersion[static_cast<size_t>(k)])) {
        return false;
      }
    }
  }
  {
    // Labels 0..4 as shown; label 2 lives in its own slot.
    Scope s(*this, Key("indexLabels"));
    int32_t* labelSlots[5] = {&i.indexLabel0, &i.indexLabel1, &i.indexLabel2, &i.indexLabel3, &i.indexLabel4};
    for (qsizetype k = 0; k < labels.size(); ++k) {
      Scope e(*this, Item(k));
      if (!ToText(labels.at(k), labelSlots[k])) {
        return false;
      }
    }
  }
  Scope s(*this, Key("levelColors"));
  for (qsizetype k = 0; k < levels.size(); ++k) {
    Scope e(*this, Item(k));
    if (!ToColour(levels.at(k), &i.levelColors[static_cast<size_t>(k)])) {
      return false;
    }
  }
  return true;
}

bool Parser::ParseAlternative(const QJsonObject& o) {
  if (!Keys(o, {"sheetLabel", "name", "selectionName", "backColor", "value", "complementProtected", "protected",
                "graphOptions", "graphValue", "graphColor"})) {
    return false;
  }
  AlternativeRecord a;
  if (!Text(o, "sheetLabel", &a.sheetLabel) || !Text(o, "name", &a.name) || !Colour(o, "backColor", &a.backColor) ||
      !Int(o, "value", &a.value) || !Flag(o, "complementProtected", &a.complementProtected) ||
      !Flag(o, "protected", &a.protectedFlag) || !Int(o, "graphOptions", &a.graphOptions)) {
    return false;
  }
  a.selectionName = a.name;
  a.graphValue = a.value;
  a.graphColor = a.backColor;
  if (!Text(o, "selectionName", &a.selectionName) || !Int(o, "graphValue", &a.graphValue) ||
      !Colour(o, "graphColor", &a.graphColor)) {
    return false;
  }
  d_.alternatives.push_back(a);
  return true;
}

bool Parser::ParseQuestion(const QJsonObject& o) {
  if (!Keys(o, {"sheetLabel", "name", "text", "selectionName", "isDimension", "isOverviewQuestion", "isFlexTotal",
                "backColor", "primaryBlock", "secondaryBlock", "storedIndex", "inTotalIndex", "graphFlags",
                "rankingWeight", "alternatives"})) {
    return false;
  }
  QuestionRecord q;
  QJsonArray alternatives;
  if (!Text(o, "sheetLabel", &q.sheetLabel) || !Text(o, "name", &q.name) || !Text(o, "text", &q.text) ||
      !Flag(o, "isDimension", &q.isDimension) || !Flag(o, "isOverviewQuestion", &q.isOverviewQuestion) ||
      !Flag(o, "isFlexTotal", &q.isFlexTotal) || !Colour(o, "backColor", &q.backColor) ||
      !Int(o, "primaryBlock", &q.primaryBlock) || !Int(o, "secondaryBlock", &q.secondaryBlock) ||
      !Index(o, "storedIndex", &q.storedIndex) || !Flag(o, "inTotalIndex", &q.inTotalIndex) ||
      !Int(o, "rankingWeight", &q.rankingWeight) || !Array(o, "alternatives", &alternatives)) {
    return false;
  }
  q.selectionName = q.name;
  q.graphFlags = DefaultGraphFlags(q.storedIndex);
  if (!Text(o, "selectionName", &q.selectionName) || !Int(o, "graphFlags", &q.graphFlags)) {
    return false;
  }
  q.firstAlternative = static_cast<int32_t>(d_.alternatives.size());
  q.alternativeCount = static_cast<int32_t>(alternatives.size());
  Scope s(*this, Key("alternatives"));
  for (qsizetype k = 0; k < alternatives.size(); ++k) {
    Scope e(*this, Item(k));
    QJsonObject a;
    if (!Object(alternatives.at(k), &a) || !ParseAlternative(a)) {
      return false;
    }
  }
  d_.questions.push_back(q);
  return true;
}

bool Parser::ParseBlock(const QJsonObject& o) {
  if (!Keys(o, {"sheetLabel", "name", "text2", "membersByQuestionField", "blockLevel", "storedIndex", "graphFlags"})) {
    return false;
  }
  BlockRecord b;
  if (!Text(o, "sheetLabel", &b.sheetLabel) || !Text(o, "name", &b.name) || !Text(o, "text2", &b.text2) ||
      !Flag(o, "membersByQuestionField", &b.membersByQuestionField) || !Int(o, "blockLevel", &b.blockLevel) ||
      !Index(o, "storedIndex", &b.storedIndex)) {
    return false;
  }
  b.graphFlags = DefaultGraphFlags(b.storedIndex);
  if (!Int(o, "graphFlags", &b.graphFlags)) {
    return false;
  }
  d_.blocks.push_back(b);
  return true;
}

bool Parser::ParseAnswers(const QJsonObject& root) {
  QJsonArray rows;
  if (!Array(root, "answers", &rows)) {
    return false;
  }
  Scope s(*this, Key("answers"));
  if (!rows.isEmpty() && rows.size() != static_cast<qsizetype>(d_.questions.size())) {
    return Fail(
        QStringLiteral("expected one row per question (%1), found %2").arg(d_.questions.size()).arg(rows.size()));
  }
  int32_t low = 0;
  int32_t high = 0;
  for (qsizetype q = 0; q < rows.size(); ++q) {
    Scope e(*this, Item(q));
    if (!rows.at(q).isArray()) {
      return Fail(QStringLiteral("expected an array of answers, one per respondent"));
    }
    const QJsonArray row = rows.at(q).toArray();
    if (q > 0 && row.size() != static_cast<qsizetype>(d_.answers.front().size())) {
      return Fail(QStringLiteral("expected %1 answers like answers[0], found %2")
                      .arg(d_.answers.front().size())
                      .arg(row.size()));
    }
    const int32_t count = d_.questions[static_cast<size_t>(q)].alternativeCount;
    std::vector<int32_t> values(static_cast<size_t>(row.size()));
    for (qsizetype r = 0; r < row.size(); ++r) {
      Scope a(*this, Item(r));
      int32_t v = 0;
      if (!ToInt(row.at(r), &v)) {
        return false;
      }
      if (v < 0 || v >= count) {
        return Fail(QStringLiteral("answer %1 is not an alternative position of question %2 (0 .. %3)")
                        .arg(v)
                        .arg(q)
                        .arg(count - 1));
      }
      values[static_cast<size_t>(r)] = v;
      low = std::min(low, v);
      high = std::max(high, v);
    }
    d_.answers.push_back(std::move(values));
  }
  if (!d_.answers.empty() && d_.answers.front().empty()) {
    d_.answers.clear();  // no respondents: no matrix
  }
  if (!widthGiven_) {
    d_.answerWidth = high <= 255 ? 1 : high <= 32767 ? 2 : 3;
  } else if ((d_.answerWidth == 1 && high > 255) || (d_.answerWidth == 2 && high > 32767)) {
    return Fail(QStringLiteral("answer %1 does not fit answerWidth %2").arg(high).arg(d_.answerWidth));
  }
  return true;
}

bool Parser::ParseComments(const QJsonObject& root) {
  const qsizetype respondents = d_.answers.empty() ? 0 : static_cast<qsizetype>(d_.answers.front().size());
  QJsonArray general;
  if (!Array(root, "respondentComments", &general)) {
    return false;
  }
  {
    Scope s(*this, Key("respondentComments"));
    if (general.size() > respondents) {
      return Fail(QStringLiteral("%1 comments for %2 respondents").arg(general.size()).arg(respondents));
    }
    for (qsizetype r = 0; r < general.size(); ++r) {
      Scope e(*this, Item(r));
      RespondentCommentRecord c;
      if (!ToText(general.at(r), &c.comment)) {
        return false;
      }
      d_.respondentComments.push_back(c);
    }
  }
  QJsonArray perAnswer;
  if (!Array(root, "answerComments", &perAnswer)) {
    return false;
  }
  Scope s(*this, Key("answerComments"));
  if (!perAnswer.isEmpty()) {
    d_.answerComments.assign(d_.answers.size(), std::vector<int32_t>(static_cast<size_t>(respondents), kNone));
  }
  for (qsizetype k = 0; k < perAnswer.size(); ++k) {
    Scope e(*this, Item(k));
    QJsonObject o;
    int32_t q = -1;
    int32_t r = -1;
    int32_t text = kNone;
    if (!Object(perAnswer.at(k), &o) || !Keys(o, {"question", "respondent", "text"}) || !Int(o, "question", &q) ||
        !Int(o, "respondent", &r) || !Text(o, "text", &text)) {
      return false;
    }
    if (q < 0 || q >= static_cast<int32_t>(d_.answerComments.size()) || r < 0 || r >= respondents) {
      return Fail(QStringLiteral("question %1, respondent %2 is outside the answer matrix").arg(q).arg(r));
    }
    d_.answerComments[static_cast<size_t>(q)][static_cast<size_t>(r)] = text;
  }
  return true;
}

bool Parser::CheckReferences() {
  const auto blocks = static_cast<int32_t>(d_.blocks.size());
  const auto questions = static_cast<int32_t>(d_.questions.size());
  for (size_t q = 0; q < d_.questions.size(); ++q) {
    Scope s(*this, Key("questions"));
    Scope e(*this, Item(static_cast<qsizetype>(q)));
    for (const auto& [name, value] : {std::pair{"primaryBlock", d_.questions[q].primaryBlock},
                                      std::pair{"secondaryBlock", d_.questions[q].secondaryBlock}}) {
      if (value < -1 || value >= blocks) {
        Scope k(*this, Key(name));
        return Fail(QStringLiteral("block %1 does not exist (%2 blocks)").arg(value).arg(blocks));
      }
    }
  }
  for (size_t k = 0; k < d_.blockItems.size(); ++k) {
    Scope s(*this, Key("blockItems"));
    Scope e(*this, Item(static_cast<qsizetype>(k)));
    const BlockItemRecord& item = d_.blockItems[k];
    if (item.block < 0 || item.block >= blocks || item.question < 0 || item.question >= questions) {
      return Fail(QStringLiteral("[%1, %2] names no block and question").arg(item.block).arg(item.question));
    }
  }
  return true;
}

bool Parser::Parse(const QByteArray& json, KvfDescription* d, QString* error) {
  QJsonParseError parseError;
  const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
  if (parseError.error != QJsonParseError::NoError) {
    *error = QStringLiteral("invalid JSON at byte %1: %2").arg(parseError.offset).arg(parseError.errorString());
    return false;
  }
  if (!document.isObject()) {
    *error = QStringLiteral("expected a JSON object at the top");
    return false;
  }
  const QJsonObject root = document.object();
  QJsonObject info;
  QJsonArray questions, blocks, items;
  bool ok = Keys(root, {"formatRevision", "compatibleRevision", "compress", "answerWidth", "info", "questions",
                        "answers", "respondentComments", "answerComments", "blocks", "blockItems"}) &&
            Int(root, "formatRevision", &d_.header.formatRevision) &&
            Int(root, "compatibleRevision", &d_.header.compatibleRevision);
  if (ok && root.contains(QLatin1String("compress"))) {
    Scope s(*this, Key("compress"));
    ok = root.value(QLatin1String("compress")).isBool() || Fail(QStringLiteral("expected true or false"));
    d_.compress = root.value(QLatin1String("compress")).toBool();
  }
  if (ok && root.contains(QLatin1String("answerWidth"))) {
    widthGiven_ = true;
    ok = Int(root, "answerWidth", &d_.answerWidth);
    if (ok && (d_.answerWidth < 1 || d_.answerWidth > 3)) {
      Scope s(*this, Key("answerWidth"));
      ok = Fail(QStringLiteral("expected 1, 2 or 3"));
    }
  }
  if (ok && root.contains(QLatin1String("info"))) {
    Scope s(*this, Key("info"));
    ok = Object(root.value(QLatin1String("info")), &info) && ParseInfo(info);
  }
  ok = ok && Array(root, "questions", &questions);
  for (qsizetype k = 0; ok && k < questions.size(); ++k) {
    Scope s(*this, Key("questions"));
    Scope e(*this, Item(k));
    QJsonObject q;
    ok = Object(questions.at(k), &q) && ParseQuestion(q);
  }
  ok = ok && Array(root, "blocks", &blocks);
  for (qsizetype k = 0; ok && k < blocks.size(); ++k) {
    Scope s(*this, Key("blocks"));
    Scope e(*this, Item(k));
    QJsonObject b;
    ok = Object(blocks.at(k), &b) && ParseBlock(b);
  }
  ok = ok && Array(root, "blockItems", &items);
  for (qsizetype k = 0; ok && k < items.size(); ++k) {
    Scope s(*this, Key("blockItems"));
    Scope e(*this, Item(k));
    const QJsonArray pair = items.at(k).toArray();
    BlockItemRecord item;
    ok = (items.at(k).isArray() && pair.size() == 2) || Fail(QStringLiteral("expected [block, question]"));
    ok = ok && ToInt(pair.at(0), &item.block) && ToInt(pair.at(1), &item.question);
    d_.blockItems.push_back(item);
  }
  ok = ok && ParseAnswers(root) && ParseComments(root) && CheckReferences();
  if (!ok) {
    *error = error_;
    return false;
  }
  d_.strings = strings_.Entries();
  *d = std::move(d_);
  return true;
}

}  // namespace

bool ParseJsonDescription(const QByteArray& json, KvfDescription* description, QString* error) {
  return Parser().Parse(json, description, error);
}

}  // namespace kvf::writer
