#pragma once
// The about box's texts: caption, version, notices, the Show list and the
// RTF documents it shows. The about box and `kvf about` both show these.
#include <QLocale>
#include <QString>
#include <vector>

#include "core/settings/ProgramKey.h"
#include "core/text/BiText.h"
#include "platform/system/SystemFacts.h"

namespace kvf {

struct ProgramVersion {
  int major = 0;
  int minor = 0;
  int revision = 0;
};

// The version of this build (the project's version).
ProgramVersion CurrentProgramVersion();

// "About KVF Viewer" / "Om KVF Viewer".
BiText AboutCaption();
// "Version " + major + "." + minor "#00" + "." + revision "#0000".
QString AboutVersionText(const ProgramVersion& version);
// The legal notice (also on the splash screen) and the trademark notice.
BiText LegalNotice();
BiText TrademarkNotice();

// The items of the Show list.
enum class AboutTopic : int { Trademark = 1, SystemSummary = 3, Compliance = 4 };
struct AboutShowItem {
  BiText text;
  AboutTopic topic;
};
const std::vector<AboutShowItem>& AboutShowItems();

// What the running program reports about itself in the system summary.
struct ApplicationFacts {
  ProgramVersion version;
  QString buildArchitecture;  // QSysInfo::buildCpuArchitecture()
  QString zlibVersion;        // zlibVersion(); "" when unknown
};
ApplicationFacts CurrentApplicationFacts();

// The RTF document shown for an item: the frame around the item's body.
// The system summary is built from the facts given.
QString AboutRtfDocument(AboutTopic topic, bool swedish, const platform::SystemFacts& system,
                         const ApplicationFacts& application, const Policies& policies, const QLocale& locale);
// The bodies alone (no frame).
QString TrademarkRtfBody(bool swedish);
QString ComplianceRtfBody();
QString SystemSummaryRtfBody(const platform::SystemFacts& system, const ApplicationFacts& application,
                             const Policies& policies, const QLocale& locale);

}  // namespace kvf
