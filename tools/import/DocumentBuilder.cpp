#include "import/DocumentBuilder.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "core/document/DocumentLimits.h"
#include "core/document/KvfReader.h"
#include "core/document/LoadError.h"
#include "core/indexes/IndexCalculation.h"
#include "import/CodeIndex.h"
#include "import/CodeWindow.h"
#include "import/ImportStatus.h"
#include "kvfwriter/KvfWriter.h"

namespace kvf::import {

namespace {

using writer::kTrue;

// Texts that follow the document's language.
struct DocumentTexts {
  const char* noAnswer;
  const char* language;
  const char* indexLabels[5];
  const char* countTip;
  const char* selectionTip;
  const char* allRespondents;
  const char* tooFew;
};

constexpr DocumentTexts kEnglish = {
    "No answer",
    "English",
    {"Respondent index", "Question index", "Sub-block index", "Block index", "Total index"},
    "Number of respondents in the current selection",
    "The current selection",
    "All respondents",
    "Too few respondents to show the results"};
constexpr DocumentTexts kSwedish = {"Inget svar",
                                    "Svenska",
                                    {"Respondentindex", "Frågeindex", "Delområdesindex", "Områdesindex", "Totalindex"},
                                    "Antal svarande i aktuellt urval",
                                    "Aktuellt urval",
                                    "Samtliga svarande",
                                    "För få svarande för att visa resultatet"};

constexpr int32_t kIndexFactor = 10;  // value = code x 10, divisor 10: one decimal on the scale

// COLORREF 0x00BBGGRR of an RGB colour.
constexpr int32_t Rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

constexpr int32_t kNoAnswerColour = Rgb(0xC0, 0xC0, 0xC0);
constexpr int32_t kQuestionColour = Rgb(0xE7, 0xE6, 0xE6);
constexpr int32_t kCategoryColours[] = {Rgb(0x8D, 0xD3, 0xC7), Rgb(0xFF, 0xFF, 0xB3), Rgb(0xBE, 0xBA, 0xDA),
                                        Rgb(0xFB, 0x80, 0x72), Rgb(0x80, 0xB1, 0xD3), Rgb(0xFD, 0xB4, 0x62),
                                        Rgb(0xB3, 0xDE, 0x69), Rgb(0xFC, 0xCD, 0xE5), Rgb(0xBC, 0x80, 0xBD),
                                        Rgb(0xCC, 0xEB, 0xC5), Rgb(0xFF, 0xED, 0x6F), Rgb(0xD9, 0xD9, 0xD9)};

// Red (first) through yellow to green (last), for position i of n.
int32_t RampColour(size_t i, size_t n) {
  struct Stop {
    int r, g, b;
  };
  constexpr Stop kRed{0xD7, 0x30, 0x27}, kYellow{0xFF, 0xFF, 0xBF}, kGreen{0x1A, 0x98, 0x50};
  const double t = n <= 1 ? 1.0 : static_cast<double>(i) / static_cast<double>(n - 1);
  const Stop& a = t < 0.5 ? kRed : kYellow;
  const Stop& b = t < 0.5 ? kYellow : kGreen;
  const double u = t < 0.5 ? t * 2 : (t - 0.5) * 2;
  auto mix = [u](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * u)); };
  return Rgb(mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b));
}

QString ShortCode(double code) { return QString::number(code, 'g', 15); }

// Maps the first filled values of v to answers in one pass through a table
// over the window of whole numbers from the smallest to the largest
// alternative code (and declared missing code, as far as the window
// reaches). Returns false, with answers all 0 again, when a value falls
// outside that window or is no alternative and not declared missing: the
// caller then maps value by value.
bool MapThroughTable(const SourceVariable& v, const std::vector<MappedAlternative>& alternatives,
                     const CodeIndex& position, size_t filled, std::vector<int32_t>& answers) {
  double lo = HUGE_VAL;
  double hi = -HUGE_VAL;
  for (const MappedAlternative& a : alternatives) {
    if (!CodeWindow::Usable(a.code)) return false;
    lo = std::min(lo, a.code);
    hi = std::max(hi, a.code);
  }
  if (alternatives.empty() || hi - lo >= static_cast<double>(CodeWindow::kMaxSize)) return false;
  for (const double m : v.missingValues) {
    if (CodeWindow::Usable(m) && std::max(hi, m) - std::min(lo, m) < static_cast<double>(CodeWindow::kMaxSize)) {
      lo = std::min(lo, m);
      hi = std::max(hi, m);
    }
  }
  const CodeWindow window(lo, static_cast<size_t>(hi - lo) + 1);
  std::vector<int32_t> table(window.Slots(), -1);
  for (size_t i = 0; i < window.Size(); ++i) {
    const int32_t found = position.Find(window.Code(i));
    table[i] = found >= 0 ? found : (v.IsDeclaredMissing(window.Code(i)) ? 0 : -1);
  }
  table[window.NaNSlot()] = 0;
  int32_t unknown = 0;
  for (size_t r = 0; r < filled; ++r) {
    const int32_t answer = table[window.Slot(v.numbers[r])];
    answers[r] = answer;
    unknown |= answer;
  }
  if (unknown >= 0) return true;
  std::fill(answers.begin(), answers.end(), 0);
  return false;
}

// The text references of an alternative and the characters they charge.
struct AlternativeTexts {
  int32_t code = -1;
  int32_t label = -1;
  int64_t characters = 0;
};

// Whether two alternative lists have the same codes (to the bit: 0 and -0
// read differently) and labels.
bool SameAlternatives(const std::vector<MappedAlternative>& a, const std::vector<MappedAlternative>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::bit_cast<uint64_t>(a[i].code) != std::bit_cast<uint64_t>(b[i].code) || a[i].label != b[i].label) {
      return false;
    }
  }
  return true;
}

Status LimitFailure(const QString& fileName, const QString& english, const QString& swedish) {
  return Status::Failure(
      {QStringLiteral("%1: %2").arg(fileName, english), QStringLiteral("%1: %2").arg(fileName, swedish)}, kLimitError);
}

Status TooManyAlternatives(const QString& fileName, const QString& variable) {
  return LimitFailure(fileName,
                      QStringLiteral("the variable \"%1\" needs more than %2 alternatives")
                          .arg(variable)
                          .arg(limits::kMaxAlternativesPerQuestion),
                      QString::fromUtf8("variabeln \"%1\" behöver fler än %2 svarsalternativ")
                          .arg(variable)
                          .arg(limits::kMaxAlternativesPerQuestion));
}

}  // namespace

Result<QByteArray> BuildDocumentFile(const SourceData& source, const ImportMapping& mapping,
                                     const DocumentIdentity& identity) {
  const QString& file = identity.fileName;
  const int64_t questionCount = static_cast<int64_t>(mapping.questions.size());
  if (questionCount == 0) {
    return Status::Failure({QStringLiteral("%1: no variable becomes a question (see --dry-run)").arg(file),
                            QStringLiteral("%1: ingen variabel blir en fråga (se --dry-run)").arg(file)},
                           kInputError);
  }
  if (questionCount > limits::kMaxQuestions) {
    return LimitFailure(
        file, QStringLiteral("%1 questions; a document holds at most %2").arg(questionCount).arg(limits::kMaxQuestions),
        QStringLiteral("%1 frågor; ett dokument rymmer högst %2").arg(questionCount).arg(limits::kMaxQuestions));
  }
  if (source.rows * questionCount > limits::kMaxAnswers) {
    return LimitFailure(file,
                        QStringLiteral("%1 respondents x %2 questions = %3 answers; a document holds at most %4")
                            .arg(source.rows)
                            .arg(questionCount)
                            .arg(source.rows * questionCount)
                            .arg(limits::kMaxAnswers),
                        QStringLiteral("%1 svarande x %2 frågor = %3 svar; ett dokument rymmer högst %4")
                            .arg(source.rows)
                            .arg(questionCount)
                            .arg(source.rows * questionCount)
                            .arg(limits::kMaxAnswers));
  }
  const bool swedish = mapping.language == QLatin1String("sv");
  const DocumentTexts& texts = swedish ? kSwedish : kEnglish;
  const bool indexes = mapping.HasIndexes();

  writer::KvfDescription d;
  writer::StringTable strings;
  strings.Reserve(4 * questionCount + static_cast<qsizetype>(mapping.blocks.size()) + 64);
  writer::InfoFields& info = d.info;
  info.guid = identity.guid;
  info.created = identity.created;
  info.secondDate = identity.created;
  info.projectName = strings.AddOptional(mapping.project.isEmpty() ? std::nullopt : std::optional(mapping.project));
  info.documentComment = strings.AddOptional(mapping.title.isEmpty() ? std::nullopt : std::optional(mapping.title));
  info.language = strings.Add(QString::fromUtf8(texts.language));
  info.allowCopy = info.allowPrint = info.allowSave = info.allowCopyData = kTrue;
  info.rowOrder = -1;
  info.indexDivisor = indexes ? kIndexFactor : 0;
  info.featureFlags = indexes ? 0x100 : 0;
  info.indexCaption = strings.Add(QStringLiteral("Index"));
  info.indexLabel0 = strings.Add(QString::fromUtf8(texts.indexLabels[0]));
  info.indexLabel1 = strings.Add(QString::fromUtf8(texts.indexLabels[1]));
  info.indexLabel2 = strings.Add(QString::fromUtf8(texts.indexLabels[2]));
  info.indexLabel3 = strings.Add(QString::fromUtf8(texts.indexLabels[3]));
  info.indexLabel4 = strings.Add(QString::fromUtf8(texts.indexLabels[4]));
  info.countTip = strings.Add(QString::fromUtf8(texts.countTip));
  info.selectionTip = strings.Add(QString::fromUtf8(texts.selectionTip));
  info.allRespondentsCaption = strings.Add(QString::fromUtf8(texts.allRespondents));
  info.tooFewCaption = strings.Add(QString::fromUtf8(texts.tooFew));
  info.minimumSelection = info.minimumComplementSelection = info.minimumGraphSelection = mapping.minimum;
  info.hideFirstAlternative = kTrue;
  info.sheetColor0 = Rgb(0xF2, 0xF2, 0xF2);
  info.sheetColor1 = Rgb(0x40, 0x40, 0x40);
  info.levelColors = {Rgb(0xDC, 0xE6, 0xF1), Rgb(0xB8, 0xCC, 0xE4), Rgb(0xEB, 0xF1, 0xDE), Rgb(0xD7, 0xE4, 0xBC)};
  const int32_t noAnswer = strings.Add(QString::fromUtf8(texts.noAnswer));
  const int64_t noAnswerSize = QString::fromUtf8(texts.noAnswer).size();
  const int32_t noAnswerMark = strings.Add(QStringLiteral("-"));

  // Characters reachable through text references, counted as the loader
  // counts them, so that a label too long to fit is named here.
  int64_t characters = 0;
  auto charge = [&](int64_t count, const QString& variable) -> Status {
    characters += count;
    if (characters <= limits::kMaxReferencedCharacters) return Status::Ok();
    return LimitFailure(
        file,
        QStringLiteral("the names and labels up to variable \"%1\" exceed %2 characters of text")
            .arg(variable)
            .arg(limits::kMaxReferencedCharacters),
        QStringLiteral("namnen och etiketterna till och med variabeln \"%1\" överskrider %2 tecken text")
            .arg(variable)
            .arg(limits::kMaxReferencedCharacters));
  };

  // The alternatives of the question before and their text references:
  // questions on one scale follow each other, and their texts need not be
  // made and looked up in the string table again.
  struct {
    std::vector<MappedAlternative> alternatives;
    std::vector<AlternativeTexts> texts;
  } previous;
  int32_t largestRun = 1;
  for (size_t qi = 0; qi < mapping.questions.size(); ++qi) {
    const MappedQuestion& mq = mapping.questions[qi];
    const SourceVariable& v = source.variables[static_cast<size_t>(mq.variable)];
    std::vector<MappedAlternative> alternatives = mq.alternatives;
    CodeIndex position;
    for (size_t a = 0; a < alternatives.size(); ++a) {
      if (position.Find(alternatives[a].code) < 0) position.Add(alternatives[a].code, static_cast<int32_t>(a) + 1);
    }
    // The answers; a value the mapping does not list (an edited mapping)
    // becomes an alternative of its own rather than being lost.
    std::vector<int32_t> answers(static_cast<size_t>(source.rows), 0);
    size_t filled = std::min(answers.size(), v.numbers.size());
    if (MapThroughTable(v, alternatives, position, filled, answers)) filled = 0;
    for (size_t r = 0; r < filled; ++r) {
      const double x = v.numbers[r];
      if (std::isnan(x)) continue;
      const int32_t found = position.Find(x);
      if (found >= 0) {
        answers[r] = found;
      } else if (!v.IsDeclaredMissing(x)) {
        if (static_cast<int64_t>(alternatives.size()) + 1 >= limits::kMaxAlternativesPerQuestion) {
          return TooManyAlternatives(file, v.name);
        }
        alternatives.push_back({x, ShortCode(x)});
        answers[r] = static_cast<int32_t>(alternatives.size());
        position.Add(x, answers[r]);
      }
    }
    if (static_cast<int64_t>(alternatives.size()) + 1 > limits::kMaxAlternativesPerQuestion) {
      return TooManyAlternatives(file, v.name);
    }
    if (static_cast<int64_t>(d.alternatives.size() + alternatives.size()) + 1 > limits::kMaxAlternatives) {
      return LimitFailure(file,
                          QStringLiteral("up to variable \"%1\" the questions have more than %2 alternatives")
                              .arg(v.name)
                              .arg(limits::kMaxAlternatives),
                          QStringLiteral("till och med variabeln \"%1\" har frågorna fler än %2 svarsalternativ")
                              .arg(v.name)
                              .arg(limits::kMaxAlternatives));
    }

    writer::QuestionRecord q;
    q.firstAlternative = static_cast<int32_t>(d.alternatives.size());
    q.alternativeCount = static_cast<int32_t>(alternatives.size()) + 1;
    largestRun = std::max(largestRun, q.alternativeCount);
    const QString sheetLabel = QString::number(qi + 1);
    q.sheetLabel = strings.Add(sheetLabel);
    q.name = q.selectionName = strings.Add(v.name);
    q.text = mq.text == v.name ? q.name : strings.Add(mq.text);  // a variable without a label shows its name
    q.backColor = kQuestionColour;
    q.isOverviewQuestion = kTrue;
    q.isDimension = mq.dimension ? kTrue : writer::kFalse;
    q.isFlexTotal = mq.flex ? kTrue : writer::kFalse;
    q.inTotalIndex = mq.index ? kTrue : writer::kFalse;
    q.primaryBlock = mq.block;
    q.graphFlags = 3 | (mq.index ? 0x100 : 0);
    if (Status s = charge(sheetLabel.size() + 2 * v.name.size() + mq.text.size(), v.name); !s) return s;

    writer::AlternativeRecord first;
    first.sheetLabel = noAnswerMark;
    first.name = first.selectionName = noAnswer;
    first.backColor = first.graphColor = kNoAnswerColour;
    first.value = first.graphValue = -1;
    first.complementProtected = first.protectedFlag = mq.dimension ? kTrue : writer::kFalse;
    d.alternatives.push_back(first);
    if (Status s = charge(2 * noAnswerSize + 1, v.name); !s) return s;
    const bool sameScale = SameAlternatives(alternatives, previous.alternatives);
    if (!sameScale) {
      previous.alternatives = alternatives;
      previous.texts.clear();
    }
    for (size_t a = 0; a < alternatives.size(); ++a) {
      const MappedAlternative& ma = alternatives[a];
      writer::AlternativeRecord alt;
      if (!sameScale) {
        const QString code = ShortCode(ma.code);
        previous.texts.push_back({strings.Add(code), strings.Add(ma.label), code.size() + 2 * ma.label.size()});
      }
      const AlternativeTexts& made = previous.texts[a];
      alt.sheetLabel = made.code;
      alt.name = alt.selectionName = made.label;
      alt.backColor = alt.graphColor =
          mq.ordered ? RampColour(a, alternatives.size()) : kCategoryColours[a % std::size(kCategoryColours)];
      const bool counted = mq.index && ma.code == std::floor(ma.code) && std::fabs(ma.code) <= 2e8;
      alt.value = counted ? static_cast<int32_t>(ma.code) * kIndexFactor : -1;
      alt.graphValue = std::isfinite(ma.code) && std::fabs(ma.code) < 2e9 ? static_cast<int32_t>(ma.code) : -1;
      alt.complementProtected = alt.protectedFlag = mq.dimension ? kTrue : writer::kFalse;
      d.alternatives.push_back(alt);
      if (Status s = charge(made.characters, v.name); !s) return s;
    }
    d.questions.push_back(q);
    d.answers.push_back(std::move(answers));
  }
  d.answerWidth = largestRun <= 256 ? 1 : (largestRun <= 32768 ? 2 : 3);

  for (const QString& name : mapping.blocks) {
    writer::BlockRecord b;
    b.sheetLabel = b.name = strings.Add(name);
    b.membersByQuestionField = kTrue;
    b.blockLevel = -1;
    d.blocks.push_back(b);
    if (Status s = charge(2 * name.size(), name); !s) return s;
  }
  if (mapping.comment >= 0) {
    const SourceVariable& v = source.variables[static_cast<size_t>(mapping.comment)];
    bool any = false;
    for (int64_t r = 0; r < source.rows; ++r) {
      const QString text =
          static_cast<size_t>(r) < v.texts.size() ? v.texts[static_cast<size_t>(r)].trimmed() : QString();
      writer::RespondentCommentRecord c;
      if (!text.isEmpty()) {
        c.comment = strings.Add(text);
        any = true;
        if (Status s = charge(text.size(), v.name); !s) return s;
      }
      d.respondentComments.push_back(c);
    }
    info.hasRespondentComments = any ? kTrue : writer::kFalse;
  }
  d.strings = strings.Entries();
  if (indexes) {
    for (size_t q = 0; q < d.questions.size(); ++q) {
      if (mapping.questions[q].index && mapping.questions[q].block >= 0) {
        d.blocks[static_cast<size_t>(mapping.questions[q].block)].graphFlags = 3 | 0x100;
      }
    }
  }

  // The payload is built once. The viewer's loader decodes it; the viewer's
  // index code computes the stored indexes on the decoded document, and
  // they go into the payload's index fields, which the loader takes as
  // plain numbers (no value of theirs makes a file unreadable). So the file
  // written is the one checked, with the indexes the viewer computes.
  d.compress = false;
  QByteArray payload = writer::BuildPayload(d);
  SurveyDocument document;
  Result<KvfRevisions> decoded = DecodeKvf(writer::WriteKvf(d, payload), document);
  if (!decoded) {
    return Status::Failure({QStringLiteral("%1: %2").arg(file, decoded.Error().Message().english),
                            QStringLiteral("%1: %2").arg(file, decoded.Error().Message().swedish)},
                           kLimitError);
  }
  if (indexes) {
    const std::vector<int32_t> everyone = AllRespondents(document);
    std::vector<double> questionIndexes(d.questions.size(), writer::kNoIndex);
    for (size_t q = 0; q < d.questions.size(); ++q) {
      if (!mapping.questions[q].index) continue;
      questionIndexes[q] = SumCountedAnswers(document, {static_cast<int32_t>(q)}, everyone).Index(document);
    }
    std::vector<double> blockIndexes(d.blocks.size(), writer::kNoIndex);
    for (size_t b = 0; b < d.blocks.size(); ++b) {
      blockIndexes[b] = CalculateBlockTotalIndex(document, static_cast<int32_t>(b));
    }
    writer::PatchStoredIndexes(payload, questionIndexes, blockIndexes, CalculateTotalIndex(document, everyone));
  }
  // libdeflate's fastest level: the answers of a survey compress a little
  // better than with zlib's fastest level, in a third of the time.
  d.compress = true;
  d.compressionLevel = 1;
  d.deflater = writer::Deflater::Libdeflate;
  return writer::WriteKvf(d, payload);
}

}  // namespace kvf::import
