// Opening and closing documents through the session.
#include "core/session/DocumentSession.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "kvfwriter/JsonDescription.h"
#include "kvfwriter/KvfWriter.h"

namespace kvf {
namespace {

// Records what the session tells its observers.
class Recorder : public SessionObserver {
 public:
  void DocumentClosing(const SurveyDocument& document) override {
    events.push_back(QStringLiteral("closing ") + document.file.documentFileName);
  }
  void DocumentClosed(const QString& path) override { events.push_back(QStringLiteral("closed ") + path); }
  void DocumentLoaded(const SurveyDocument& document) override {
    events.push_back(QStringLiteral("loaded ") + document.file.documentFileName);
  }
  void UpgradeWarning(const QString& caption, const QString& text) override {
    events.push_back(QStringLiteral("warning ") + caption + QStringLiteral(": ") + text);
  }
  std::vector<QString> events;
};

// Adds one user block with the given items.
class FakeUserBlocks : public UserBlockSource {
 public:
  void ReadUserBlocks(SurveyDocument& document) override {
    Block block;
    block.userName = QStringLiteral("Mine");
    block.fromFile = false;
    document.blocks.push_back(block);
    const auto b = static_cast<int32_t>(document.blocks.size()) - 1;
    document.blockItems.push_back({b, 0});
  }
};

// Two overview questions with values 2/4/-1 answered by three respondents;
// the first (answers 2, 4, -1) is in the total index.
writer::KvfDescription IndexSurvey(int revision) {
  writer::KvfDescription d;
  QString error;
  EXPECT_TRUE(writer::ParseJsonDescription(R"({"info": {"indexDivisor": 1, "totalIndex": 7.0}, "questions": [
    {"isOverviewQuestion": true, "inTotalIndex": true, "alternatives": [{"value": 2}, {"value": 4}, {"value": -1}]},
    {"isOverviewQuestion": true, "alternatives": [{"value": 2}, {"value": 4}, {"value": -1}]}],
    "answers": [[0, 1, 2], [0, 0, 0]]})",
                                           &d, &error))
      << error.toStdString();
  d.header.formatRevision = revision;
  d.header.compatibleRevision = std::min(revision, 9);
  return d;
}

class DocumentSessionTest : public ::testing::Test {
 protected:
  void SetUp() override { session_.AddObserver(&recorder_); }
  QString Write(const QString& name, const writer::KvfDescription& d) {
    const QString path = dir_.path() + QLatin1Char('/') + name;
    QString error;
    EXPECT_TRUE(writer::SaveKvf(d, path, &error)) << error.toStdString();
    return path;
  }
  QTemporaryDir dir_;
  DocumentSession session_;
  Recorder recorder_;
};

TEST_F(DocumentSessionTest, LoadRecordsTheFileAndNotifiesAndOlderRevisionsComputeTheTotalIndex) {
  const QString path = Write(QStringLiteral("Survey A.kvf"), IndexSurvey(9));
  ASSERT_TRUE(session_.LoadDocument(path, true).ok());
  const SurveyDocument& doc = session_.Document();
  EXPECT_TRUE(session_.IsOpen());
  // Revision 5 and later carry the total index.
  EXPECT_EQ(std::make_tuple(doc.file.documentPath, doc.file.documentFileName, doc.file.documentTitle,
                            doc.file.formatRevision, session_.DataOpenFolder(), doc.info.totalIndex),
            std::make_tuple(path, QStringLiteral("Survey A.kvf"), QStringLiteral("Survey A.kvf"), 9, dir_.path(), 7.0));
  EXPECT_EQ(recorder_.events, (std::vector<QString>{QStringLiteral("loaded Survey A.kvf")}));

  DocumentSession old;
  ASSERT_TRUE(old.LoadDocument(Write(QStringLiteral("old.kvf"), IndexSurvey(4)), false).ok());
  // Weights 2, 4 and a skipped -1 over the one total-index question.
  EXPECT_EQ(std::make_tuple(old.Document().info.totalIndex, old.Document().info.currentTotalIndex),
            std::make_tuple(3.0, 3.0));
  EXPECT_TRUE(old.DataOpenFolder().isEmpty());
  writer::KvfDescription noIndexes = IndexSurvey(4);
  noIndexes.info.indexDivisor = 0;
  ASSERT_TRUE(old.LoadDocument(Write(QStringLiteral("plain.kvf"), noIndexes), false).ok());
  EXPECT_EQ(old.Document().info.totalIndex, -1.0);
}

TEST_F(DocumentSessionTest, AFailedLoadLeavesTheOpenDocumentAndASecondLoadClosesTheFirst) {
  const QString a = Write(QStringLiteral("a.kvf"), IndexSurvey(9));
  ASSERT_TRUE(session_.LoadDocument(a, true).ok());
  const QString folder = session_.DataOpenFolder();
  writer::KvfDescription damaged = IndexSurvey(9);
  damaged.header.crc = 1;
  QDir().mkpath(dir_.path() + QStringLiteral("/other"));
  const Status failed = session_.LoadDocument(Write(QStringLiteral("other/bad.kvf"), damaged), true);
  EXPECT_EQ(failed.Message().swedish, QStringLiteral("Den här KVF-filen är skadad!"));
  EXPECT_EQ(std::make_tuple(session_.Document().file.documentPath, session_.Document().questions.size(),
                            session_.DataOpenFolder()),
            std::make_tuple(a, size_t{2}, folder));

  const QString b = Write(QStringLiteral("b.kvf"), IndexSurvey(9));
  ASSERT_TRUE(session_.LoadDocument(b, false).ok());
  EXPECT_EQ(recorder_.events, (std::vector<QString>{QStringLiteral("loaded a.kvf"), QStringLiteral("closing a.kvf"),
                                                    QStringLiteral("closed ") + a, QStringLiteral("loaded b.kvf")}));
  session_.CloseDocument();
  EXPECT_FALSE(session_.IsOpen());
  EXPECT_EQ(std::make_tuple(session_.Document().questions.empty(), session_.Document().file.formatRevision,
                            recorder_.events.back()),
            std::make_tuple(true, 0, QStringLiteral("closed ") + b));
  const size_t count = recorder_.events.size();
  session_.CloseDocument();  // nothing open: nothing happens
  EXPECT_EQ(recorder_.events.size(), count);
}

TEST_F(DocumentSessionTest, NewerFormatWarnsAfterLoadingAndUserBlocksGetTheirIndexOverAllRespondents) {
  FakeUserBlocks source;
  session_.SetUserBlockSource(&source);
  writer::KvfDescription d = IndexSurvey(9);
  d.header.formatRevision = 10;
  ASSERT_TRUE(session_.LoadDocument(Write(QStringLiteral("new.kvf"), d), false).ok());
  ASSERT_EQ(recorder_.events.size(), 2u);
  EXPECT_TRUE(recorder_.events[1].startsWith(QStringLiteral("warning Time to upgrade: new.kvf is in a newer format")));
  const SurveyDocument& doc = session_.Document();
  ASSERT_EQ(doc.blocks.size(), 1u);
  EXPECT_EQ(std::make_tuple(doc.BlockName(0), doc.blocks[0].storedIndex, doc.blocks[0].flexIndex),
            std::make_tuple(QStringLiteral("Mine"), 3.0, 3.0));
}

}  // namespace
}  // namespace kvf
