// A deterministic generator of large, realistic documents for benchmarks,
// fuzz seeds and tests that need volume.
#include <algorithm>
#include <array>
#include <cmath>

#include "kvfwriter/KvfWriter.h"

namespace kvf::writer {
namespace {

// splitmix64: small, fast and identical on every platform.
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}
  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // Uniform in 0 .. n - 1. REQUIRES: n >= 1.
  int32_t Below(int32_t n) { return static_cast<int32_t>(Next() % static_cast<uint64_t>(n)); }
  // Uniform in [0, 1).
  double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }

 private:
  uint64_t state_;
};

struct Dimension {
  const char* name;
  std::vector<const char*> alternatives;
};

const std::array<Dimension, 6> kDimensions{{
    {"Department", {"Sales", "Production", "Finance", "Human resources", "IT", "Logistics", "Marketing"}},
    {"Age group", {"Under 25", "25-34", "35-44", "45-54", "55 or older"}},
    {"Gender", {"Woman", "Man", "Other or prefer not to say"}},
    {"Years employed", {"Less than 1 year", "1-3 years", "4-10 years", "More than 10 years"}},
    {"Region", {"North", "South", "East", "West", "Central", "Abroad"}},
    {"Employment", {"Permanent", "Temporary"}},
}};

const std::array<const char*, 12> kTopics{
    "your workload",          "your immediate manager",   "the information you get",
    "your influence at work", "your development",         "your salary",
    "the work environment",   "cooperation in your team", "the equipment you use",
    "the goals of your unit", "your work-life balance",   "the company's future"};
const std::array<const char*, 10> kAspects{
    "on the whole",          "during the last month", "compared with last year", "in your daily work", "in meetings",
    "when changes are made", "in difficult times",    "in your own unit",        "across departments", "looking ahead"};
const std::array<const char*, 10> kAreas{"Workload", "Leadership",  "Communication", "Influence", "Development",
                                         "Reward",   "Environment", "Teamwork",      "Tools",     "Goals"};

// Rating scale: position 0 is "No answer" and does not count in indexes.
const std::array<const char*, 6> kScaleNames{"No answer", "Very bad", "Bad", "Neither good nor bad",
                                             "Good",      "Very good"};
const std::array<const char*, 6> kScaleLabels{"-", "1", "2", "3", "4", "5"};
const std::array<int32_t, 6> kScaleValues{-1, 0, 25, 50, 75, 100};
// COLORREF 0x00BBGGRR: grey, then red to green.
const std::array<int32_t, 6> kScaleColors{0x00C0C0C0, 0x000000E0, 0x004080FF, 0x0000E0FF, 0x0080E080, 0x00209020};
const std::array<int32_t, 8> kDimensionColors{0x00F0E0D0, 0x00D0E8F8, 0x00E0F0D0, 0x00F8D8E8,
                                              0x00D8F0F0, 0x00E8D8F0, 0x00D0D0F0, 0x00F0F0D0};

double Index(int64_t sum, int64_t count, int32_t divisor) {
  return count > 0 ? (static_cast<double>(sum) / static_cast<double>(count)) / divisor : kNoIndex;
}

}  // namespace

KvfDescription MakeSyntheticDescription(const SyntheticOptions& options) {
  Random random(options.seed);
  StringTable strings;
  KvfDescription d;
  d.compress = options.compress;
  d.answerWidth = std::clamp(options.answerWidth, 1, 3);

  const int32_t questionCount = std::max(1, options.questions);
  const int32_t respondentCount = std::max(0, options.respondents);
  const int32_t dimensionCount = std::clamp(options.dimensions, 0, questionCount);
  constexpr int32_t kDivisor = 10;
  constexpr int32_t kBlockSize = 10;
  constexpr int32_t kSubBlockSize = 5;

  InfoFields& info = d.info;
  for (size_t k = 0; k < info.guid.size(); ++k) {
    info.guid[k] = static_cast<uint8_t>(random.Next());
  }
  info.projectNumber = strings.Add(QStringLiteral("S-%1").arg(options.seed));
  info.projectName = strings.Add(
      QStringLiteral("Synthetic survey, %1 respondents and %2 questions").arg(respondentCount).arg(questionCount));
  info.copyright = strings.Add(QStringLiteral("Generated data"));
  info.documentComment = strings.Add(QStringLiteral("A generated document for measurements and tests."));
  info.fileVersion = {1, 0, 1};
  info.created = 45658.5;  // 2025-01-01 12:00 UTC
  info.secondDate = 45658.5;
  info.language = strings.Add(QStringLiteral("English"));
  info.allowCopy = info.allowPrint = info.allowSave = info.allowCopyData = kTrue;
  info.indexDivisor = kDivisor;
  info.indexCaption = strings.Add(QStringLiteral("Indexes"));
  info.indexLabel0 = strings.Add(QStringLiteral("Question index"));
  info.indexLabel1 = strings.Add(QStringLiteral("Block index"));
  info.indexLabel2 = strings.Add(QStringLiteral("Sub-block index"));
  info.indexLabel3 = strings.Add(QStringLiteral("Block"));
  info.indexLabel4 = strings.Add(QStringLiteral("Total index"));
  info.countTip = strings.Add(QStringLiteral("Number of respondents in the selection"));
  info.selectionTip = strings.Add(QStringLiteral("The current selection"));
  info.allRespondentsCaption = strings.Add(QStringLiteral("All respondents"));
  info.tooFewCaption = strings.Add(QStringLiteral("Too few respondents"));
  info.minimumSelection = 5;
  info.minimumComplementSelection = 5;
  info.minimumGraphSelection = 5;
  info.hasRespondentComments = kTrue;
  info.sheetColor0 = 0x00F0F0F0;
  info.sheetColor1 = 0x00404040;
  info.levelColors = {0x00E8D0B0, 0x00F0E0C8, 0x00C8E0C8, 0x00DCF0DC};
  info.featureFlags = 0x100;
  info.rowOrder = -1;
  info.rowOrderThreshold = -1;

  // Questions and their alternative runs. Background questions come first;
  // the first of them is also the flex-total question.
  const int32_t ratingCount = questionCount - dimensionCount;
  const int32_t blockCount = (ratingCount + kBlockSize - 1) / kBlockSize;
  const int32_t subBlockCount = (ratingCount + kSubBlockSize - 1) / kSubBlockSize;
  for (int32_t q = 0; q < questionCount; ++q) {
    QuestionRecord question;
    question.firstAlternative = static_cast<int32_t>(d.alternatives.size());
    if (q < dimensionCount) {
      const Dimension& dim = kDimensions[static_cast<size_t>(q) % kDimensions.size()];
      const QString suffix = q < static_cast<int32_t>(kDimensions.size()) ? QString() : QStringLiteral(" %1").arg(q);
      question.sheetLabel = strings.Add(QStringLiteral("B%1").arg(q + 1));
      question.name = strings.Add(QString::fromUtf8(dim.name) + suffix);
      question.text = strings.Add(QStringLiteral("Background: %1%2").arg(QString::fromUtf8(dim.name), suffix));
      question.selectionName = question.name;
      question.isDimension = kTrue;
      question.isFlexTotal = q == 0 ? kTrue : kFalse;
      question.graphFlags = 3;
      for (size_t k = 0; k < dim.alternatives.size(); ++k) {
        AlternativeRecord a;
        a.name = strings.Add(QString::fromUtf8(dim.alternatives[k]));
        a.sheetLabel = strings.Add(QString::number(k + 1));
        a.selectionName = a.name;
        a.backColor = kDimensionColors[k % kDimensionColors.size()];
        a.graphColor = a.backColor;
        a.value = -1;
        a.graphValue = -1;
        a.complementProtected = kTrue;
        a.protectedFlag = kTrue;
        d.alternatives.push_back(a);
      }
    } else {
      const int32_t n = q - dimensionCount;
      const auto topic = static_cast<size_t>(random.Below(static_cast<int32_t>(kTopics.size())));
      const auto aspect = static_cast<size_t>(random.Below(static_cast<int32_t>(kAspects.size())));
      question.sheetLabel = strings.Add(QStringLiteral("Q%1").arg(n + 1));
      question.name =
          strings.Add(QStringLiteral("%1 %2")
                          .arg(QString::fromUtf8(kAreas[static_cast<size_t>(n / kBlockSize) % kAreas.size()]))
                          .arg(n + 1));
      question.text = strings.Add(QStringLiteral("%1. How do you rate %2 %3?")
                                      .arg(n + 1)
                                      .arg(QString::fromUtf8(kTopics[topic]), QString::fromUtf8(kAspects[aspect])));
      question.selectionName = question.name;
      question.isOverviewQuestion = kTrue;
      question.inTotalIndex = kTrue;
      question.primaryBlock = n / kBlockSize;
      question.secondaryBlock = blockCount + n / kSubBlockSize;
      question.graphFlags = 0x107;
      for (size_t k = 0; k < kScaleNames.size(); ++k) {
        AlternativeRecord a;
        a.sheetLabel = strings.Add(QString::fromUtf8(kScaleLabels[k]));
        a.name = strings.Add(QString::fromUtf8(kScaleNames[k]));
        a.selectionName = a.name;
        a.backColor = kScaleColors[k];
        a.graphColor = kScaleColors[k];
        a.value = kScaleValues[k];
        a.graphValue = kScaleValues[k];
        d.alternatives.push_back(a);
      }
    }
    question.alternativeCount = static_cast<int32_t>(d.alternatives.size()) - question.firstAlternative;
    d.questions.push_back(question);
  }

  // Answers: every respondent has a mood that leans all rating answers.
  std::vector<double> mood(static_cast<size_t>(respondentCount));
  for (double& m : mood) {
    m = 1.5 + 3.0 * random.Unit();
  }
  if (respondentCount > 0) {
    d.answers.assign(static_cast<size_t>(questionCount), std::vector<int32_t>(static_cast<size_t>(respondentCount)));
  }
  for (int32_t q = 0; q < questionCount && respondentCount > 0; ++q) {
    const QuestionRecord& question = d.questions[static_cast<size_t>(q)];
    auto& row = d.answers[static_cast<size_t>(q)];
    const double lean = random.Unit() - 0.5;
    for (int32_t r = 0; r < respondentCount; ++r) {
      int32_t a = 0;
      if (q < dimensionCount) {
        a = random.Below(question.alternativeCount);
      } else if (random.Below(50) != 0) {
        const double x = mood[static_cast<size_t>(r)] + lean + 1.6 * (random.Unit() - 0.5);
        a = std::clamp(static_cast<int32_t>(std::lround(x)), 1, 5);
      }
      row[static_cast<size_t>(r)] = a;
    }
  }

  // Stored indexes: per question, per block (through the questions' block
  // fields) and the total, all over every respondent.
  std::vector<int64_t> blockSum(static_cast<size_t>(blockCount + subBlockCount));
  std::vector<int64_t> blockN(blockSum.size());
  int64_t totalSum = 0;
  int64_t totalN = 0;
  for (int32_t q = dimensionCount; q < questionCount && respondentCount > 0; ++q) {
    QuestionRecord& question = d.questions[static_cast<size_t>(q)];
    int64_t sum = 0;
    int64_t n = 0;
    for (int32_t r = 0; r < respondentCount; ++r) {
      const int32_t v = d.alternatives[static_cast<size_t>(question.firstAlternative +
                                                           d.answers[static_cast<size_t>(q)][static_cast<size_t>(r)])]
                            .value;
      if (v != -1) {
        sum += v;
        ++n;
      }
    }
    question.storedIndex = Index(sum, n, kDivisor);
    blockSum[static_cast<size_t>(question.primaryBlock)] += sum;
    blockN[static_cast<size_t>(question.primaryBlock)] += n;
    blockSum[static_cast<size_t>(question.secondaryBlock)] += sum;
    blockN[static_cast<size_t>(question.secondaryBlock)] += n;
    totalSum += sum;
    totalN += n;
  }
  info.totalIndex = Index(totalSum, totalN, kDivisor);

  for (int32_t b = 0; b < blockCount + subBlockCount; ++b) {
    BlockRecord block;
    const bool sub = b >= blockCount;
    const int32_t n = sub ? b - blockCount : b;
    const QString area =
        QString::fromUtf8(kAreas[static_cast<size_t>(sub ? n * kSubBlockSize / kBlockSize : n) % kAreas.size()]);
    block.sheetLabel = strings.Add(sub ? QStringLiteral("%1 %2").arg(area).arg(n % 2 == 0 ? "A" : "B") : area);
    block.name = strings.Add(sub ? QStringLiteral("%1, part %2 (%3)").arg(area).arg(n % 2 + 1).arg(n + 1)
                                 : QStringLiteral("%1 (%2)").arg(area).arg(n + 1));
    block.membersByQuestionField = kTrue;
    block.blockLevel = sub ? 1 : -1;
    block.storedIndex = Index(blockSum[static_cast<size_t>(b)], blockN[static_cast<size_t>(b)], kDivisor);
    block.graphFlags = 0x103;
    d.blocks.push_back(block);
  }

  // Comments from about one respondent in seven.
  static const std::array<const char*, 6> kComments{
      "More time for planning would help us a lot.",     "I enjoy my colleagues, but the meetings are too long.",
      "Please repair the ventilation in the east wing.", "Good year overall; the new system is still slow.",
      "I would like clearer goals for our team.",        "Thank you for asking!"};
  if (respondentCount > 0) {
    d.respondentComments.resize(static_cast<size_t>(respondentCount));
    for (auto& c : d.respondentComments) {
      if (random.Below(7) == 0) {
        c.comment = strings.Add(QString::fromUtf8(kComments[static_cast<size_t>(random.Below(6))]));
      }
    }
  }
  if (options.answerComments && respondentCount > 0) {
    d.answerComments.assign(static_cast<size_t>(questionCount),
                            std::vector<int32_t>(static_cast<size_t>(respondentCount), kNone));
    for (int32_t q = dimensionCount; q < questionCount; ++q) {
      for (int32_t r = 0; r < respondentCount; ++r) {
        if (random.Below(50) == 0) {
          d.answerComments[static_cast<size_t>(q)][static_cast<size_t>(r)] =
              strings.Add(QStringLiteral("Comment of respondent %1 on question %2").arg(r + 1).arg(q + 1));
        }
      }
    }
  }

  d.strings = strings.Entries();
  return d;
}

}  // namespace kvf::writer
