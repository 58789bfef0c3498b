// The comment compositions on 100,000 respondents who all wrote a general
// comment and an answer comment on every question, against the floor of
// gathering the same comment texts into one string; and View > Comments as
// the user waits for it: the composition plus reading it into the pop-up's
// text document.
#include <benchmark/benchmark.h>

#include <QTextDocument>

#include "Ratios.h"
#include "core/comments/CommentsRtf.h"
#include "core/comments/RtfReader.h"
#include "core/document/KvfReader.h"
#include "kvfwriter/KvfWriter.h"

namespace {

constexpr int32_t kRespondents = 100000;

struct Fixture {
  kvf::SurveyDocument document;
  kvf::SubSheet sheet;
};

const Fixture& Commented() {
  static const Fixture fixture = [] {
    Fixture f;
    kvf::writer::SyntheticOptions options;
    options.respondents = kRespondents;
    options.questions = 10;
    options.dimensions = 2;
    options.compress = false;
    options.answerComments = true;
    kvf::DecodeKvf(kvf::writer::WriteKvf(kvf::writer::MakeSyntheticDescription(options)), f.document);
    // Every respondent gets a general comment of about 80 characters with
    // characters that need escaping and a line break.
    f.document.respondentComments.resize(kRespondents);
    for (int32_t r = 0; r < kRespondents; ++r) {
      f.document.strings.push_back(
          QStringLiteral("Respondent %1 wrote {this} \\ and more,\r\nover two lines: åäö €.").arg(r));
      f.document.respondentComments[static_cast<size_t>(r)].comment =
          static_cast<kvf::TextRef>(f.document.strings.size() - 1);
    }
    for (int32_t r = 0; r < kRespondents; ++r) f.sheet.respondents.push_back(r);
    f.sheet.columns = f.document.overviewQuestions;
    return f;
  }();
  return fixture;
}

// The floor: every general comment's text appended once to one string.
void BM_GatherComments(benchmark::State& state) {
  const Fixture& f = Commented();
  for (auto _ : state) {
    QString all;
    for (const int32_t r : f.sheet.respondents)
      all += f.document.GetText(f.document.respondentComments[static_cast<size_t>(r)].comment);
    benchmark::DoNotOptimize(all);
  }
}

void BM_AllCommentsRtf(benchmark::State& state) {
  const Fixture& f = Commented();
  for (auto _ : state) benchmark::DoNotOptimize(kvf::AllCommentsRtf(f.document, f.sheet));
}

void BM_ColumnCommentsRtf(benchmark::State& state) {
  const Fixture& f = Commented();
  const int32_t question = f.sheet.columns.front();
  for (auto _ : state) benchmark::DoNotOptimize(kvf::ColumnCommentsRtf(f.document, f.sheet, question));
}

// View > Comments until the pop-up's text is ready.
void BM_ShowAllComments(benchmark::State& state) {
  kvf::bench::EnsureGuiApplication();
  const Fixture& f = Commented();
  for (auto _ : state) {
    QTextDocument text;
    kvf::ReadRtf(kvf::AllCommentsRtf(f.document, f.sheet), &text);
    benchmark::DoNotOptimize(text.characterCount());
  }
}

BENCHMARK(BM_GatherComments)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AllCommentsRtf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ColumnCommentsRtf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowAllComments)->Unit(benchmark::kMillisecond)->Iterations(3);

const bool kRegistered = [] {
  kvf::bench::AddRatio("BM_AllCommentsRtf", "BM_GatherComments", 12.0);
  return true;
}();

}  // namespace
