// Opening and closing documents through the session.
#include "core/session/DocumentSession.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "kvfwriter/KvfWriter.h"

namespace kvf {
namespace {

using writer::kTrue;

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

// Two questions with values 2/4/-1, answered by three respondents.
writer::KvfDescription IndexSurvey(int revision) {
  writer::KvfDescription d;
  d.header.formatRevision = revision;
  d.header.compatibleRevision = std::min(revision, 9);
  d.info.indexDivisor = 1;
  for (const int value : {2, 4, -1}) {
    writer::AlternativeRecord a;
    a.value = value;
    d.alternatives.push_back(a);
  }
  writer::QuestionRecord q;
  q.alternativeCount = 3;
  q.isOverviewQuestion = kTrue;
  q.inTotalIndex = kTrue;
  d.questions = {q, q};
  d.questions[1].inTotalIndex = 0;
  d.answers = {{0, 1, 2}, {0, 0, 0}};
  d.info.totalIndex = 7.0;
  return d;
}

class DocumentSessionTest : public ::testing::Test {
 protected:
  QString Write(const QString& name, const writer::KvfDescription& d) {
    const QString path = dir_.path() + QLatin1Char('/') + name;
    QString error;
    EXPECT_TRUE(writer::SaveKvf(d, path, &error)) << error.toStdString();
    return path;
  }
  QTemporaryDir dir_;
};

TEST_F(DocumentSessionTest, LoadRecordsTheFileAndNotifies) {
  DocumentSession session;
  Recorder recorder;
  session.AddObserver(&recorder);
  const QString path = Write(QStringLiteral("Survey A.kvf"), IndexSurvey(9));
  ASSERT_TRUE(session.LoadDocument(path, true).ok());
  const SurveyDocument& doc = session.Document();
  EXPECT_TRUE(session.IsOpen());
  EXPECT_EQ(doc.file.documentPath, path);
  EXPECT_EQ(doc.file.documentFileName, QStringLiteral("Survey A.kvf"));
  EXPECT_EQ(doc.file.documentTitle, QStringLiteral("Survey A.kvf"));
  EXPECT_EQ(doc.file.formatRevision, 9);
  EXPECT_EQ(session.DataOpenFolder(), dir_.path());
  EXPECT_EQ(doc.info.totalIndex, 7.0);  // revision 5 and later carry it
  EXPECT_EQ(recorder.events, (std::vector<QString>{QStringLiteral("loaded Survey A.kvf")}));
}

TEST_F(DocumentSessionTest, OlderRevisionsComputeTheTotalIndex) {
  DocumentSession session;
  ASSERT_TRUE(session.LoadDocument(Write(QStringLiteral("old.kvf"), IndexSurvey(4)), false).ok());
  // Weights 2, 4 and a skipped -1 over the one total-index question.
  EXPECT_EQ(session.Document().info.totalIndex, 3.0);
  EXPECT_EQ(session.Document().info.currentTotalIndex, 3.0);
  EXPECT_TRUE(session.DataOpenFolder().isEmpty());

  writer::KvfDescription noIndexes = IndexSurvey(4);
  noIndexes.info.indexDivisor = 0;
  ASSERT_TRUE(session.LoadDocument(Write(QStringLiteral("plain.kvf"), noIndexes), false).ok());
  EXPECT_EQ(session.Document().info.totalIndex, -1.0);
}

TEST_F(DocumentSessionTest, FailedLoadLeavesTheOpenDocumentUntouched) {
  DocumentSession session;
  Recorder recorder;
  session.AddObserver(&recorder);
  const QString good = Write(QStringLiteral("good.kvf"), IndexSurvey(9));
  ASSERT_TRUE(session.LoadDocument(good, true).ok());
  const QString folder = session.DataOpenFolder();

  writer::KvfDescription damaged = IndexSurvey(9);
  damaged.header.crc = 1;
  QDir().mkpath(dir_.path() + QStringLiteral("/other"));
  const Status failed = session.LoadDocument(Write(QStringLiteral("other/bad.kvf"), damaged), true);
  EXPECT_EQ(failed.Message().swedish, QStringLiteral("Den här KVF-filen är skadad!"));
  EXPECT_EQ(session.Document().file.documentPath, good);
  EXPECT_EQ(session.Document().questions.size(), 2u);
  EXPECT_EQ(session.DataOpenFolder(), folder);
  EXPECT_EQ(recorder.events.size(), 1u);  // only the first load
}

TEST_F(DocumentSessionTest, ASecondLoadClosesTheFirst) {
  DocumentSession session;
  Recorder recorder;
  session.AddObserver(&recorder);
  const QString a = Write(QStringLiteral("a.kvf"), IndexSurvey(9));
  const QString b = Write(QStringLiteral("b.kvf"), IndexSurvey(9));
  ASSERT_TRUE(session.LoadDocument(a, false).ok());
  ASSERT_TRUE(session.LoadDocument(b, false).ok());
  EXPECT_EQ(recorder.events, (std::vector<QString>{QStringLiteral("loaded a.kvf"), QStringLiteral("closing a.kvf"),
                                                   QStringLiteral("closed ") + a, QStringLiteral("loaded b.kvf")}));
  session.CloseDocument();
  EXPECT_FALSE(session.IsOpen());
  EXPECT_TRUE(session.Document().questions.empty());
  EXPECT_EQ(session.Document().file.formatRevision, 0);
  EXPECT_EQ(recorder.events.back(), QStringLiteral("closed ") + b);
  const size_t count = recorder.events.size();
  session.CloseDocument();  // nothing open: nothing happens
  EXPECT_EQ(recorder.events.size(), count);
}

TEST_F(DocumentSessionTest, NewerFormatWarnsAfterLoading) {
  DocumentSession session;
  Recorder recorder;
  session.AddObserver(&recorder);
  writer::KvfDescription d = IndexSurvey(9);
  d.header.formatRevision = 10;
  ASSERT_TRUE(session.LoadDocument(Write(QStringLiteral("new.kvf"), d), false).ok());
  ASSERT_EQ(recorder.events.size(), 2u);
  EXPECT_EQ(recorder.events[1],
            QStringLiteral("warning Time to upgrade: new.kvf is in a newer format then this version of KVF Viewer was "
                           "designed for! The file can still be opened, but to make sure you can access all the "
                           "information in the file you should upgrade you copy of KVF Viewer!"));
}

TEST_F(DocumentSessionTest, UserBlocksGetTheirIndexOverAllRespondents) {
  DocumentSession session;
  FakeUserBlocks source;
  session.SetUserBlockSource(&source);
  ASSERT_TRUE(session.LoadDocument(Write(QStringLiteral("u.kvf"), IndexSurvey(9)), false).ok());
  const SurveyDocument& doc = session.Document();
  ASSERT_EQ(doc.blocks.size(), 1u);
  EXPECT_EQ(doc.BlockName(0), QStringLiteral("Mine"));
  EXPECT_EQ(doc.blocks[0].storedIndex, 3.0);
  EXPECT_EQ(doc.blocks[0].flexIndex, 3.0);
}

}  // namespace
}  // namespace kvf
