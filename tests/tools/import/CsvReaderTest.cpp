// The CSV reader and the codebook parser on their own.
#include <gtest/gtest.h>

#include "import/CodeIndex.h"
#include "import/Codebook.h"
#include "import/CsvReader.h"
#include "import/ImportMapping.h"
#include "import/ImportStatus.h"

namespace kvf::import {
namespace {

// Every record joined by "|", records by "/".
QString Records(const QByteArray& csv, Status* status) {
  QStringList out;
  *status = ReadCsvRecords(csv, GuessCsvSeparator(csv), QStringLiteral("f.csv"),
                           [&](int64_t line, const std::vector<std::string>& fields) {
                             QStringList f;
                             for (const std::string& s : fields) f << QString::fromStdString(s);
                             out << QString::number(line) + u':' + f.join(u'|');
                             return Status::Ok();
                           });
  return out.join(u'/');
}

TEST(CsvReaderTest, ReadsRfc4180RecordsOrNamesTheFaultyLine) {
  struct Case {
    QByteArray csv;
    const char* records;  // or the message
  } cases[] = {
      {"a,b\n1,2\n", "1:a|b/2:1|2"},
      {"a;b\r\n1;2\r\n\r\n", "1:a|b/2:1|2"},
      {"\xEF\xBB\xBF"
       "a\tb\n\"x\ty\"\t\"say \"\"hi\"\"\"\n",
       "1:a|b/2:x\ty|say \"hi\""},
      {"a,b\n\"two\nlines\",\n3,4", "1:a|b/2:two\nlines|/4:3|4"},
      {"a,b,c\n,,\n", "1:a|b|c/2:||"},
      {"a\n\"open\n", "f.csv, line 2: a quoted field is never closed"},
      {"a,b\n\"x\"y,1\n", "f.csv, line 2: text follows a closing quote"},
  };
  for (const Case& c : cases) {
    Status status;
    const QString records = Records(c.csv, &status);
    EXPECT_EQ(status ? records : status.Message().english, QString::fromUtf8(c.records)) << c.csv.constData();
  }
}

TEST(CsvReaderTest, TypesColumnsAndRefusesRaggedRows) {
  Result<SourceData> data = ReadCsv("'id',name,score\n1,Ann, 2.5\n2,,NA\n3,Bo,.\n", QStringLiteral("f.csv"));
  ASSERT_TRUE(data.ok());
  ASSERT_EQ(data->variables.size(), 3u);
  EXPECT_EQ(data->rows, 3);
  EXPECT_EQ(data->variables[0].name, QStringLiteral("id"));
  EXPECT_FALSE(data->variables[0].isString);
  EXPECT_TRUE(data->variables[1].isString);
  EXPECT_EQ(data->variables[1].texts, (std::vector<QString>{"Ann", "", "Bo"}));
  EXPECT_EQ(data->variables[2].numbers[0], 2.5);
  EXPECT_TRUE(std::isnan(data->variables[2].numbers[1]) && std::isnan(data->variables[2].numbers[2]));
  Result<SourceData> ragged = ReadCsv("a,b\n1,2,3\n", QStringLiteral("f.csv"));
  EXPECT_EQ(ragged.Error().Code(), kInputError);
  EXPECT_EQ(ragged.Error().Message().english, QStringLiteral("f.csv, line 2: the record has 3 fields, the header 2"));
}

TEST(CodebookTest, ParsesEntriesAndNamesWhatIsWrong) {
  Result<Codebook> book = ParseCodebook(
      R"({"variables": {"q": {"label": "Q", "values": {"1": "Yes", " 2.5 ": "No"}, "missing": [9]}, "r": {}}})",
      QStringLiteral("b.json"));
  ASSERT_TRUE(book.ok()) << book.Error().Text().toStdString();
  const CodebookEntry& q = book->variables.at(QStringLiteral("q"));
  EXPECT_EQ(q.label, QStringLiteral("Q"));
  EXPECT_EQ(q.values, (std::map<double, QString>{{1, "Yes"}, {2.5, "No"}}));
  EXPECT_EQ(q.missing, std::vector<double>{9});
  struct Bad {
    const char* json;
    const char* message;
  } bad[] = {
      {R"([])", "b.json: the top: expected an object"},
      {R"({"vars": {}})", "b.json: vars: unknown key"},
      {R"({"variables": {"q": {"values": {"one": "x"}}}})", "b.json: variables.q.values.one: the code is not a number"},
      {R"({"variables": {"q": {"missing": ["9"]}}})", "b.json: variables.q.missing: expected an array of numbers"},
      {R"({"variables": {"q": {"label": 3}}})", "b.json: variables.q.label: expected a text"},
  };
  for (const Bad& b : bad) {
    EXPECT_EQ(ParseCodebook(b.json, QStringLiteral("b.json")).Error().Message().english, QString::fromUtf8(b.message));
  }
  SourceData data;
  data.variables.resize(1);
  data.variables[0].name = QStringLiteral("x");
  EXPECT_EQ(ApplyCodebook(book.Value(), QStringLiteral("b.json"), data).Code(), kUsageError);
}

TEST(ImportMappingTest, NamePrefixes) {
  const std::pair<const char*, const char*> cases[] = {
      {"q1_a", "q1"}, {"trust3", "trust"}, {"age", ""}, {"12", ""}, {"_x", ""}};
  for (const auto& [name, prefix] : cases)
    EXPECT_EQ(NamePrefix(QString::fromLatin1(name)), QString::fromLatin1(prefix)) << name;
}

TEST(CodeIndexTest, FindsExactlyTheAddedCodesInEveryRepresentation) {
  std::vector<std::vector<double>> lists = {{3, 1, 2, 9}, {-5, 0.5, 7}, {0, 5000}, {}, {}};
  for (int c = 0; c < 100; ++c) lists[3].push_back(c);        // dense past the linear length
  for (int c = 0; c < 40; ++c) lists[4].push_back(c * 0.75);  // hashed
  lists[3].push_back(2000);                                   // no longer dense
  for (const std::vector<double>& codes : lists) {
    CodeIndex index;
    for (size_t i = 0; i < codes.size(); ++i) index.Add(codes[i], static_cast<int32_t>(i) + 1);
    for (size_t i = 0; i < codes.size(); ++i) {
      EXPECT_EQ(index.Find(codes[i]), static_cast<int32_t>(i) + 1) << codes[i];
      if (std::find(codes.begin(), codes.end(), codes[i] + 0.25) == codes.end()) {
        EXPECT_EQ(index.Find(codes[i] + 0.25), -1);
      }
    }
    EXPECT_EQ(index.Find(std::nan("")), -1);
    EXPECT_EQ(index.Find(-1e300), -1);
  }
}

}  // namespace
}  // namespace kvf::import
