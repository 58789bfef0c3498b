#include "core/dialogs/AboutTexts.h"

#include <zlib.h>

#include <QLocale>
#include <QSysInfo>

namespace kvf {

namespace {

QString S(const char* text) { return QString::fromUtf8(text); }

const QString kRtfHead =
    S("{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss MS Sans Serif;}}\r\n"
      "\\deflang1033\\pard\\tx1440\\plain\\f0\\fs17");
const QString kRtfTail = S("\r\n\\par\r\n}");
const QString kUnknown = S("Unknown");

// Plain text as RTF: the three special characters escaped, line breaks as
// paragraphs, everything beyond ASCII as a Unicode escape.
QString EscapeForRtf(const QString& text) {
  QString out;
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if (u == '\\' || u == '{' || u == '}') {
      out += QLatin1Char('\\') + c;
    } else if (u == '\n') {
      out += S("\\par ");
    } else if (u < 0x80) {
      out += c;
    } else {
      out += S("\\u%1?").arg(static_cast<int16_t>(u));  // RTF wants a signed 16-bit number
    }
  }
  return out;
}

QString OrUnknown(const QString& value) { return value.trimmed().isEmpty() ? kUnknown : EscapeForRtf(value); }
QString YesNo(bool value) { return value ? S("Yes") : S("No"); }

class Summary {
 public:
  void Head(const QString& title) {
    if (!out_.isEmpty()) out_ += S("\\par ");
    out_ += S("\\b ") + title + S("\\b0");
  }
  void Line(const char* label, const QString& value) { out_ += S("\\par ") + S(label) + S("\\tab ") + value; }
  QString Text() const { return out_; }

 private:
  QString out_;
};

QString Kilobytes(const std::optional<int64_t>& kb, const QLocale& locale) {
  return kb ? locale.toString(static_cast<qlonglong>(*kb)) + S(" kb") : kUnknown;
}

QString UtcOffset(int32_t seconds) {
  const int32_t minutes = (seconds < 0 ? -seconds : seconds) / 60;
  return S("UTC ") + QLatin1Char(seconds < 0 ? '-' : '+') +
         QStringLiteral("%1:%2").arg(minutes / 60, 2, 10, QLatin1Char('0')).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace

ProgramVersion CurrentProgramVersion() { return {KVF_VERSION_MAJOR, KVF_VERSION_MINOR, KVF_VERSION_PATCH}; }

BiText AboutCaption() { return {S("About ") + ApplicationTitle(), S("Om ") + ApplicationTitle()}; }

QString AboutVersionText(const ProgramVersion& version) {
  return S("Version %1.%2.%3")
      .arg(version.major)
      .arg(version.minor, 2, 10, QLatin1Char('0'))
      .arg(version.revision, 4, 10, QLatin1Char('0'));
}

BiText LegalNotice() {
  return {S("Copyright \u00A9 Brennvik AB. All rights reserved."),
          S("Copyright \u00A9 Brennvik AB. Alla rättigheter förbehållna.")};
}

BiText TrademarkNotice() {
  return {S("KVF and KVF Viewer are trademarks of Brennvik AB. Linux is the registered trademark of Linus Torvalds "
            "in the U.S. and other countries. Qt is a registered trademark of The Qt Company Ltd. Microsoft and "
            "Microsoft Office are trademarks of Microsoft Corporation. Other names may be trademarks of their "
            "respective owners."),
          S("KVF och KVF Viewer är varumärken som tillhör Brennvik AB. Linux är ett registrerat varumärke som tillhör "
            "Linus Torvalds i USA och andra länder. Qt är ett registrerat varumärke som tillhör The Qt Company Ltd. "
            "Microsoft och Microsoft Office är varumärken som tillhör Microsoft Corporation. Andra namn kan vara "
            "varumärken som tillhör sina respektive ägare.")};
}

const std::vector<AboutShowItem>& AboutShowItems() {
  static const std::vector<AboutShowItem> items = {
      {{S("Trademark information"), S("Varumärkesinformation")}, AboutTopic::Trademark},
      {{S("System summary"), S("Systemsammanfattning")}, AboutTopic::SystemSummary},
      {{S("Compliance information"), S("Kompatibilitetsinformation")}, AboutTopic::Compliance},
  };
  return items;
}

ApplicationFacts CurrentApplicationFacts() {
  return {CurrentProgramVersion(), QSysInfo::buildCpuArchitecture(), QString::fromLatin1(zlibVersion())};
}

QString TrademarkRtfBody(bool swedish) { return EscapeForRtf(TrademarkNotice().Get(swedish).trimmed()); }

QString ComplianceRtfBody() {
  return S(
      "\\b Document File Format\\b0\\par KVF Revision:\\tab 9\\par\\par"
      "\\b Export File Formats\\b0\\par Overviews:\\tab EMF and WMF\\par Question Graphs:\\tab EMF and WMF\\par "
      "Distribution Graphs:\\tab EMF, WMF, PNG, BMP, JPG and GIF\\par Index Graphs:\\tab EMF, WMF, PNG, BMP, "
      "JPG and GIF\\par\\par"
      "\\b Clipboard Formats\\b0\\par Overviews:\\tab EMF, PNG and SVG\\par Question Graphs:\\tab EMF, PNG and "
      "SVG\\par Distribution Graphs:\\tab EMF, PNG and SVG, or PNG alone\\par Index Graphs:\\tab EMF, PNG and "
      "SVG, or PNG alone");
}

QString SystemSummaryRtfBody(const platform::SystemFacts& system, const ApplicationFacts& application,
                             const Policies& policies, const QLocale& locale) {
  Summary summary;
  summary.Head(S("Operating system"));
  summary.Line("Architecture:", OrUnknown(system.cpuArchitecture));
  summary.Line("Model:", OrUnknown(system.productName));
  summary.Line("Version:", OrUnknown(system.kernelRelease));
  summary.Line("Build:", OrUnknown(system.kernelBuild));
  summary.Line("Code page:", S("UTF-8"));
  summary.Line("User UI Language:", OrUnknown(system.localeName));
  summary.Line("Time zone name:", OrUnknown(system.timeZoneName));
  summary.Line("Time zone offset:", UtcOffset(system.utcOffsetSeconds));
  summary.Line("No Save Settings:", YesNo(policies.noSaveSettings));
  summary.Line("No Recent Docs:", YesNo(policies.noRecentDocsMenu));

  summary.Head(S("Shell"));
  summary.Line("Desktop:", OrUnknown(system.desktopSession));

  const platform::ProcessorFacts& cpu = system.processors;
  summary.Head(cpu.logicalProcessors > 1 ? S("Processors") : S("Processor"));
  summary.Line("Architecture:", OrUnknown(system.cpuArchitecture));
  summary.Line("Model name:", OrUnknown(cpu.modelName));
  summary.Line("Family:", OrUnknown(cpu.family));
  summary.Line("Model:", OrUnknown(cpu.model));
  summary.Line("Stepping:", OrUnknown(cpu.stepping));
  if (cpu.hasFeatureFlags) {
    // The x86 flag names of the features the summary lists.
    const std::pair<const char*, const char*> features[] = {
        {"MMX:", "mmx"},  {"3DNow!:", "3dnow"},    {"SSE:", "sse"},      {"SSE2:", "sse2"},
        {"SSE3:", "pni"}, {"PAE enabled:", "pae"}, {"NX enabled:", "nx"}};
    for (const auto& [label, flag] : features) summary.Line(label, YesNo(cpu.featureFlags.contains(S(flag))));
  }
  QString cpus = kUnknown;
  if (cpu.logicalProcessors > 0)
    cpus = cpu.cores > 0 ? QStringLiteral("%1/%2").arg(cpu.logicalProcessors).arg(cpu.cores)
                         : QString::number(cpu.logicalProcessors);
  summary.Line("CPUs/Cores:", cpus);

  const platform::MemoryFacts& memory = system.memory;
  summary.Head(S("Memory"));
  QString load = kUnknown;
  if (memory.totalKb && memory.availableKb && *memory.totalKb > 0 && *memory.availableKb <= *memory.totalKb)
    load = QString::number((*memory.totalKb - *memory.availableKb) * 100 / *memory.totalKb) + S(" %");
  summary.Line("Load:", load);
  summary.Line("Physical:", Kilobytes(memory.totalKb, locale));
  summary.Line("Available Physical:", Kilobytes(memory.availableKb, locale));
  summary.Line("Swap:", Kilobytes(memory.swapTotalKb, locale));
  summary.Line("Available Swap:", Kilobytes(memory.swapFreeKb, locale));

  summary.Head(S("Application"));
  summary.Line("Title:", EscapeForRtf(ApplicationTitle()));
  summary.Line("Architecture:", OrUnknown(application.buildArchitecture));
  summary.Line(
      "Version:",
      QStringLiteral("%1.%2").arg(application.version.major).arg(application.version.minor, 2, 10, QLatin1Char('0')));
  summary.Line("Build:", QString::number(application.version.revision));
  summary.Line("Release:", S("Final"));

  summary.Head(S("ZLib"));
  summary.Line("Version:", OrUnknown(application.zlibVersion));
  return summary.Text();
}

QString AboutRtfDocument(AboutTopic topic, bool swedish, const platform::SystemFacts& system,
                         const ApplicationFacts& application, const Policies& policies, const QLocale& locale) {
  QString body;
  switch (topic) {
    case AboutTopic::Trademark:
      body = QLatin1Char(' ') + TrademarkRtfBody(swedish);
      break;  // the head ends in a control word
    case AboutTopic::SystemSummary:
      body = SystemSummaryRtfBody(system, application, policies, locale);
      break;
    case AboutTopic::Compliance:
      body = ComplianceRtfBody();
      break;
  }
  return kRtfHead + body + kRtfTail;
}

}  // namespace kvf
