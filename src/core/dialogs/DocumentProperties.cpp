#include "core/dialogs/DocumentProperties.h"

#include <QDateTime>
#include <QTimeZone>
#include <cmath>

namespace kvf {

namespace {

QString S(const char* text) { return QString::fromUtf8(text); }

// A number with at least `digits` digits, as a "#00"-style format writes it.
QString Padded(int32_t value, int digits) {
  const qint64 wide = value;
  const QString magnitude = QString::number(wide < 0 ? -wide : wide).rightJustified(digits, QLatin1Char('0'));
  return wide < 0 ? QLatin1Char('-') + magnitude : magnitude;
}

}  // namespace

QString FileVersionText(const std::array<int32_t, 3>& parts) {
  return Padded(parts[0], 1) + QLatin1Char('.') + Padded(parts[1], 2) + QLatin1Char('.') + Padded(parts[2], 4);
}

QDateTime OleDateToUtc(double oleDate) {
  // Far beyond any date Qt can hold, and safely inside qint64 days.
  if (!std::isfinite(oleDate) || std::fabs(oleDate) > 1e11) return {};
  // An OLE date's fraction is the time of day whatever the sign of the
  // day: -1.25 is 29 December 1899, 06:00.
  const double days = std::trunc(oleDate);
  const auto milliseconds = static_cast<qint64>(std::llround(std::fabs(oleDate - days) * 86400000.0));
  const QDate date = QDate(1899, 12, 30).addDays(static_cast<qint64>(days));
  if (!date.isValid()) return {};
  const QDateTime dateTime = QDateTime(date, QTime(0, 0), Qt::UTC).addMSecs(milliseconds);
  return dateTime.isValid() ? dateTime : QDateTime();
}

QString CreatedDateText(double oleDate, const QLocale& locale) {
  const QDateTime dateTime = OleDateToUtc(oleDate);
  if (!dateTime.isValid()) return {};
  return locale.toString(dateTime, QLocale::ShortFormat) + S(" UTC");
}

BiText RowOrderText(int32_t rowOrder, int32_t threshold) {
  BiText text;
  switch (rowOrder) {
    case -1:
      text = {S("User selectable"), S("Valfri")};
      break;
    case 0:
      text = {S("Original"), S("Ursprunglig")};
      break;
    case 1:
      text = {S("Random"), S("Slumpmässig")};
      break;
    case 2:
      text = {S("Random per column"), S("Slumpmässig per kolumn")};
      break;
    default:
      text = {S("Undefined"), S("Odefinerad")};
      break;
  }
  if (threshold != -1) {
    text.english += S(" at selections less then ") + QString::number(threshold);
    text.swedish += S(" vid urval mindre än ") + QString::number(threshold);
  }
  return text;
}

QString QuestionsLeftOutOfTotalIndex(const SurveyDocument& document) {
  QStringList names;
  for (const Question& question : document.questions)
    if (question.isOverviewQuestion && !question.inTotalIndex) names << document.GetText(question.name);
  return names.join(S(", "));
}

BiText DisplayingPropertiesStatus() { return {S("Displaying file properties..."), S("Visar filegenskaper...")}; }

DocumentPropertiesContent DescribeDocumentProperties(const SurveyDocument& document, bool swedish,
                                                     const QLocale& locale) {
  const DocumentInfo& info = document.info;
  const auto pick = [swedish](const char* english, const char* swedishText) {
    return swedish ? S(swedishText) : S(english);
  };
  DocumentPropertiesContent content;
  content.caption = pick("Properties", "Egenskaper");

  QString format = S("KVF revision ") + QString::number(document.file.formatRevision);
  if (document.file.compatibleRevision != document.file.formatRevision)
    format += pick(" (backwards compatible with revision ", " (bakåtkompatibel med revision ") +
              QString::number(document.file.compatibleRevision) + QLatin1Char(')');

  content.rows = {
      {pick("File name:", "Filnamn:"), document.file.documentFileName},
      {pick("File format:", "Filformat:"), format},
      {pick("File version:", "Filversion:"), FileVersionText(info.fileVersion)},
      {pick("File GUID:", "Fil-GUID:"), GuidRegistryForm(info.guid)},
      {pick("File created:", "Filen skapad:"), CreatedDateText(info.created, locale)},
      {pick("Project no:", "Projektnr:"), document.GetText(info.projectNumber)},
      {pick("Project name:", "Projektnamn:"), document.GetText(info.projectName)},
      {S("Copyright:"), document.GetText(info.copyright)},
  };
  content.identityRowCount = static_cast<int32_t>(content.rows.size());
  content.integrityCaption = pick("Integrity protection", "Integritetsskydd");
  content.rows.push_back({pick("Minimum selection:", "Minsta urval:"), QString::number(info.minimumSelection)});
  content.rows.push_back({pick("Minimum complement selection:", "Minsta komplementurval:"),
                          QString::number(info.minimumComplementSelection)});
  content.rows.push_back(
      {pick("Minimum graph selection:", "Minsta grafurval:"), QString::number(info.minimumGraphSelection)});
  content.rows.push_back({pick("Overview row order:", "Radordning i översikten:"),
                          RowOrderText(info.rowOrder, info.rowOrderThreshold).Get(swedish)});

  content.commentLabel = pick("Comment:", "Kommentar:");
  content.comment = info.documentComment == -1 ? QString() : document.GetText(info.documentComment);

  IndexFrameContent& frame = content.indexFrame;
  frame.enabled = info.HasIndexes();
  if (!frame.enabled) {
    frame.status = pick("Disabled", "Avaktiverat");
  } else {
    frame.caption = document.GetText(info.indexCaption);
    frame.status = pick("Enabled", "Aktiverat");
    const QString leftOut = QuestionsLeftOutOfTotalIndex(document);
    frame.information = leftOut.isEmpty()
                            ? pick("Total index includes all questions.", "Totalindex inkluderar alla frågor.")
                            : pick("Total index includes all questions except these:",
                                   "Totalindex inkluderar alla frågor utom följande:") +
                                  QLatin1Char('\n') + leftOut;
  }
  return content;
}

}  // namespace kvf
