// kvf-make import end to end: data files written by libreadstat (and by
// GNU PSPP when it is installed) are imported and read back through
// `kvf dump`, `kvf select` and `kvf index-values`.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <map>

#include "StatFixture.h"

namespace kvf::import::test {
namespace {

struct Outcome {
  int code = -1;
  QByteArray out, err;
};

Outcome Start(const QString& program, const QStringList& args, const QString& language = QStringLiteral("C.UTF-8")) {
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("LC_ALL"), language);
  p.setProcessEnvironment(env);
  p.start(program, args);
  p.waitForFinished(120000);
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
          p.readAllStandardError()};
}
Outcome Make(const QStringList& args, const QString& language = QStringLiteral("C.UTF-8")) {
  return Start(QStringLiteral(KVF_MAKE_PROGRAM), QStringList{QStringLiteral("import")} + args, language);
}
QJsonObject Dump(const QString& kvf) {
  const Outcome r = Start(QStringLiteral(KVF_PROGRAM), {QStringLiteral("dump"), kvf});
  EXPECT_EQ(r.code, 0) << r.err.constData();
  return QJsonDocument::fromJson(r.out).object();
}
QString Write(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  EXPECT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
  return path;
}

// The names of a question's alternatives, in order.
QStringList AlternativeNames(const QJsonObject& dump, int question) {
  const QJsonObject q = dump[QLatin1String("questions")].toArray()[question].toObject();
  QStringList names;
  for (int a = 0; a < q[QLatin1String("alternativeCount")].toInt(); ++a) {
    names << dump[QLatin1String("alternatives")]
                 .toArray()[q[QLatin1String("firstAlternative")].toInt() + a]
                 .toObject()[QLatin1String("name")]
                 .toString();
  }
  return names;
}

TEST(ImportTest, StatisticsFilesRoundTripThroughTheLoader) {
  const QStringList labelled = {"No answer", "Very poor", "Poor", "Fair", "Good", "Very good"};
  const QStringList codes = {"No answer", "1", "2", "3", "4", "5"};
  struct Case {
    Format format;
    const char* file;
    QStringList satNames;
    QStringList genderNames;
  } cases[] = {{Format::Sav, "s.sav", labelled, {"No answer", "Female", "Male"}},
               {Format::Zsav, "s.zsav", labelled, {"No answer", "Female", "Male"}},
               {Format::Dta, "s.dta", labelled + QStringList{"Don't know"}, {"No answer", "Female", "Male"}},
               {Format::Xpt, "s.xpt", codes, {"No answer", "1", "2"}},
               {Format::Sas7bdat, "s.sas7bdat", codes, {"No answer", "1", "2"}}};
  QTemporaryDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const QString data = dir.filePath(QString::fromLatin1(c.file));
    ASSERT_TRUE(WriteSurvey(data, c.format));
    const QString out = data + QStringLiteral(".kvf");
    const Outcome r = Make({data, QStringLiteral("--index"), QStringLiteral("sat"), QStringLiteral("--dimension"),
                            QStringLiteral("gender"), QStringLiteral("--block"), QStringLiteral("Service=sat"),
                            QStringLiteral("--title"), QStringLiteral("T"), QStringLiteral("-o"), out});
    ASSERT_EQ(r.code, 0) << r.err.constData();
    EXPECT_TRUE(r.out.isEmpty());
    const QJsonObject d = Dump(out);
    const QJsonArray questions = d[QLatin1String("questions")].toArray();
    ASSERT_EQ(questions.size(), 2);  // id has too many values, remark is text
    EXPECT_EQ(questions[0][QLatin1String("name")].toString(), QStringLiteral("gender"));
    EXPECT_EQ(questions[0][QLatin1String("text")].toString(), QStringLiteral("Gender"));
    EXPECT_EQ(questions[1][QLatin1String("text")].toString(), QStringLiteral("Satisfaction with the service"));
    EXPECT_EQ(questions[1][QLatin1String("sheetLabel")].toString(), QStringLiteral("2"));
    EXPECT_EQ(AlternativeNames(d, 0), c.genderNames);
    EXPECT_EQ(AlternativeNames(d, 1), c.satNames);
    EXPECT_EQ(d[QLatin1String("dimensions")].toArray(), QJsonArray({0}));
    EXPECT_EQ(d[QLatin1String("info")][QLatin1String("indexDivisor")].toInt(), 10);
    EXPECT_EQ(d[QLatin1String("info")][QLatin1String("hideFirstAlternative")].toBool(), true);
    EXPECT_EQ(d[QLatin1String("info")][QLatin1String("documentComment")].toString(), QStringLiteral("T"));
    EXPECT_EQ(d[QLatin1String("blocks")][0][QLatin1String("name")].toString(), QStringLiteral("Service"));
    EXPECT_EQ(questions[1][QLatin1String("primaryBlock")].toInt(), 0);
    // Answers: the code's position; missing (system, declared 9) is "No answer".
    const QJsonArray answers = d[QLatin1String("answers")].toArray();
    double sum = 0;
    int count = 0;
    for (int r = 0; r < kRespondents; ++r) {
      const int raw = SatRaw(r);
      const int expected = raw == 9 ? 0 : raw;
      EXPECT_EQ(answers[0][r].toInt(), GenderCode(r));
      EXPECT_EQ(answers[1][r].toInt(), expected) << r;
      if (expected > 0) sum += expected, ++count;
    }
    EXPECT_DOUBLE_EQ(questions[1][QLatin1String("storedIndex")].toDouble(), sum / count);
    EXPECT_DOUBLE_EQ(d[QLatin1String("info")][QLatin1String("totalIndex")].toDouble(), sum / count);

    // A selection (women only) and the index table on it, by hand.
    std::map<int, int> table;
    int women = 0;
    for (int r = 0; r < kRespondents; ++r) {
      if (GenderCode(r) != 1) continue;
      ++women;
      if (SatRaw(r) >= 1 && SatRaw(r) <= 5) ++table[SatRaw(r) * 10];
    }
    QByteArray expectedTable = "Value\tCount";
    for (const auto& [value, n] : table)
      expectedTable += "\r\n" + QByteArray::number(value) + '\t' + QByteArray::number(n);
    const QStringList women0 = {out, QStringLiteral("--keep"), QStringLiteral("0:1")};
    EXPECT_EQ(Start(QStringLiteral(KVF_PROGRAM), QStringList{QStringLiteral("index-values")} + women0).out,
              expectedTable);
    const QJsonObject sel =
        QJsonDocument::fromJson(Start(QStringLiteral(KVF_PROGRAM), QStringList{QStringLiteral("select")} + women0).out)
            .object();
    EXPECT_EQ(sel[QLatin1String("count")].toInt(), women);
  }
}

TEST(ImportTest, CsvWithCodebookAndTheMappingRoundTrip) {
  QTemporaryDir dir;
  const QString csv = Write(dir.filePath(QStringLiteral("d.csv")),
                            "\xEF\xBB\xBFq1_a;q1_b;region;note\r\n1;2;1;\"fine;\nreally\"\r\n2;9;2;\r\n3;;1;x\r\n");
  const QString book = Write(dir.filePath(QStringLiteral("b.json")),
                             R"({"variables": {"q1_b": {"missing": [9]}, "region": {"label": "Region",
                                 "values": {"1": "North", "2": "South"}}}})");
  const QStringList base = {csv, QStringLiteral("--codebook"), book};
  const Outcome dry =
      Make(base + QStringList{"--blocks-by-prefix", "--comment", "note", "--index-all-scales", "--dry-run"});
  ASSERT_EQ(dry.code, 0) << dry.err.constData();
  const QJsonObject mapping = QJsonDocument::fromJson(dry.out).object();
  EXPECT_EQ(mapping[QLatin1String("dimensions")].toArray(), QJsonArray({"region"}));
  EXPECT_EQ(mapping[QLatin1String("indexes")].toArray(), QJsonArray({"q1_a"}));
  EXPECT_EQ(mapping[QLatin1String("blocks")][0][QLatin1String("variables")].toArray(), QJsonArray({"q1_a", "q1_b"}));
  EXPECT_EQ(mapping[QLatin1String("comment")].toString(), QStringLiteral("note"));

  // An edited mapping drives the import: a relabelled code and no indexes.
  QJsonObject edited = mapping;
  QJsonArray questions = edited[QLatin1String("questions")].toArray();
  QJsonObject q0 = questions[0].toObject();
  q0[QLatin1String("alternatives")] = QJsonArray({QJsonObject{{"code", 1}, {"label", "Low"}}});
  questions[0] = q0;
  edited[QLatin1String("questions")] = questions;
  edited[QLatin1String("indexes")] = QJsonArray();
  const QString map = Write(dir.filePath(QStringLiteral("m.json")), QJsonDocument(edited).toJson());
  const QString out = dir.filePath(QStringLiteral("d.kvf"));
  const Outcome r = Make(base + QStringList{"--mapping", map, "-o", out});
  ASSERT_EQ(r.code, 0) << r.err.constData();
  const QJsonObject d = Dump(out);
  EXPECT_EQ(AlternativeNames(d, 0), QStringList({"No answer", "Low", "2", "3"}));  // unlisted values kept
  EXPECT_EQ(AlternativeNames(d, 2), QStringList({"No answer", "North", "South"}));
  EXPECT_EQ(d[QLatin1String("answers")][1].toArray(), QJsonArray({1, 0, 0}));
  EXPECT_EQ(d[QLatin1String("respondentComments")][0].toString(), QStringLiteral("fine;\nreally"));
  EXPECT_EQ(d[QLatin1String("info")][QLatin1String("indexDivisor")].toInt(), 0);
}

TEST(ImportTest, BadInputIsRefusedWithItsExitCodeAndNoOutput) {
  QTemporaryDir dir;
  QByteArray big = "a,b\n";  // 500,001 rows x 2 questions: over the answer limit
  for (int r = 0; r <= 500000; ++r) big += r % 2 ? "1,2\n" : "2,1\n";
  const QString wide = Write(dir.filePath(QStringLiteral("big.csv")), big);
  const QString ragged = Write(dir.filePath(QStringLiteral("ragged.csv")), "a,b\n1,2\n3\n");
  const QString ok = Write(dir.filePath(QStringLiteral("ok.csv")), "a\n1\n");
  const QString out = dir.filePath(QStringLiteral("out.kvf"));
  struct Case {
    QStringList args;
    int code;
    const char* message;
  } cases[] = {
      {{ok, "--bogus", "-o", out}, 1, "unexpected argument"},
      {{ok, "--dimension", "zz", "-o", out}, 1, "no variable \"zz\""},
      {{ok}, 1, "-o OUT.kvf or --dry-run"},
      {{dir.filePath("none.sav"), "-o", out}, 2, "none.sav"},
      {{ragged, "-o", out}, 2, "ragged.csv, line 3: the record has 1 fields, the header 2"},
      {{Write(dir.filePath("x.por"), "not a portable file"), "-o", out}, 2, "save the data as .sav"},
      {{wide, "-o", out}, 3, "1000002 answers; a document holds at most 1000000"},
      {{ok, "-o", dir.filePath("no/such/dir/out.kvf")}, 4, "out.kvf"},
  };
  for (const Case& c : cases) {
    const Outcome r = Make(c.args);
    EXPECT_EQ(r.code, c.code) << c.message;
    EXPECT_TRUE(r.err.contains(c.message)) << r.err.constData();
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_FALSE(QFile::exists(out));
  }
  EXPECT_TRUE(Make({ragged, "-o", out}, QStringLiteral("sv_SE.UTF-8")).err.contains("rad 3"));
}

TEST(ImportTest, SavWrittenByPspp) {
  const QString pspp = QStandardPaths::findExecutable(QStringLiteral("pspp"));
  if (pspp.isEmpty()) GTEST_SKIP() << "GNU PSPP is not installed";
  QTemporaryDir dir;
  const QString sav = dir.filePath(QStringLiteral("p.sav"));
  const QString syntax =
      Write(dir.filePath(QStringLiteral("p.sps")),
            QStringLiteral("DATA LIST LIST /q1 q2.\nBEGIN DATA.\n1 2\n2 8\n3 1\n8 2\nEND DATA.\n"
                           "VARIABLE LABELS q1 'Trust in the news' q2 'Voted'.\n"
                           "VALUE LABELS q1 1 'Low' 2 'Middle' 3 'High' 8 'Refused' /q2 1 'Yes' 2 'No'.\n"
                           "MISSING VALUES q1 q2 (8).\nVARIABLE LEVEL q1 (ORDINAL) /q2 (NOMINAL).\nSAVE "
                           "OUTFILE='%1'.\nEXPORT OUTFILE='%1.por'.\n")
                .arg(sav)
                .toUtf8());
  ASSERT_EQ(Start(pspp, {syntax}).code, 0);
  const QString out = dir.filePath(QStringLiteral("p.kvf"));
  const int por = Make({sav + ".por", "-o", out}).code;  // Debian's libreadstat refuses PSPP's portable files
  EXPECT_TRUE(por == 0 || por == 2) << por;
  ASSERT_EQ(Make({sav, "--index-all-scales", "-o", out}).code, 0);
  const QJsonObject d = Dump(out);
  EXPECT_EQ(AlternativeNames(d, 0), QStringList({"No answer", "Low", "Middle", "High"}));
  EXPECT_EQ(AlternativeNames(d, 1), QStringList({"No answer", "Yes", "No"}));
  EXPECT_EQ(d[QLatin1String("answers")].toArray(), QJsonArray({QJsonArray({1, 2, 3, 0}), QJsonArray({2, 0, 1, 2})}));
  EXPECT_EQ(d[QLatin1String("dimensions")].toArray(), QJsonArray({1}));
  EXPECT_DOUBLE_EQ(d[QLatin1String("questions")][0][QLatin1String("storedIndex")].toDouble(), 2.0);
}

}  // namespace
}  // namespace kvf::import::test
