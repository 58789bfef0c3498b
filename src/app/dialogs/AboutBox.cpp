#include "app/dialogs/AboutBox.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QVBoxLayout>

#include "app/dialogs/PropertiesWindow.h"
#include "app/mainwindow/WaitCursor.h"
#include "core/text/Language.h"
#include "platform/system/SystemFacts.h"

namespace kvf::app {

namespace {
QString S(const char* text) { return QString::fromUtf8(text); }
}  // namespace

AboutBox::AboutBox(const Policies& policies, const QString& systemInfoProgram, QWidget* parent)
    : QDialog(parent), policies_(policies) {
  setObjectName(S("AboutBox"));
  setWindowTitle(AboutCaption().Get());
  auto* icon = new QLabel;
  icon->setPixmap(windowIcon().pixmap(48, 48));
  auto* name = new QLabel(ApplicationTitle());
  name->setObjectName(S("programName"));
  QFont nameFont = name->font();
  nameFont.setBold(true);
  nameFont.setPointSizeF(nameFont.pointSizeF() * 1.5);
  name->setFont(nameFont);
  auto* version = new QLabel(AboutVersionText(CurrentProgramVersion()));
  version->setObjectName(S("programVersion"));
  auto* notice = new QLabel(LegalNotice().Get());
  notice->setObjectName(S("legalNotice"));

  show_ = new QComboBox;
  show_->setObjectName(S("show"));
  for (const AboutShowItem& item : AboutShowItems()) show_->addItem(item.text.Get(), static_cast<int>(item.topic));
  auto* showLabel = new QLabel(BiText{S("Sho&w:"), S("&Visa:")}.Get());
  showLabel->setBuddy(show_);
  view_ = new QTextEdit;
  view_->setObjectName(S("view"));
  view_->setReadOnly(true);
  view_->setTabStopDistance(96);  // 1440 twips
  view_->setMinimumSize(305, 99);

  auto* systemInfo = new QPushButton(BiText{S("&System Info"), S("&Systeminfo")}.Get());
  systemInfo->setObjectName(S("systemInfo"));
  systemInfo->setToolTip(BiText{S("Opens a system information program (if installed)."),
                                S("Öppnar ett systeminformationsprogram (om ett sådant är installerat).")}
                             .Get());
  systemInfo->setEnabled(!systemInfoProgram.isEmpty());
  connect(systemInfo, &QPushButton::clicked, this,
          [systemInfoProgram] { QProcess::startDetached(systemInfoProgram, {}); });
  auto* close = new QPushButton(BiText{S("&Close"), S("&Stäng")}.Get());
  close->setObjectName(S("close"));
  close->setToolTip(BiText{S("Close this dialog."), S("Stäng det här fönstret.")}.Get());
  close->setDefault(true);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);

  auto* head = new QVBoxLayout;
  head->addWidget(name);
  head->addWidget(version);
  head->addWidget(notice);
  auto* top = new QHBoxLayout;
  top->addWidget(icon, 0, Qt::AlignTop);
  top->addLayout(head, 1);
  auto* showLine = new QHBoxLayout;
  showLine->addWidget(showLabel);
  showLine->addWidget(show_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(systemInfo);
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(showLine);
  layout->addWidget(view_, 1);
  layout->addLayout(buttons);

  connect(show_, &QComboBox::currentIndexChanged, this, &AboutBox::ShowTopic);
  ShowTopic(0);
}

void AboutBox::ShowTopic(int item) {
  if (item < 0) return;
  WaitCursor wait;
  const auto topic = static_cast<AboutTopic>(show_->itemData(item).toInt());
  const platform::SystemFacts system =
      topic == AboutTopic::SystemSummary ? platform::ReadSystemFacts() : platform::SystemFacts();
  document_ = AboutRtfDocument(topic, Swedish(), system, CurrentApplicationFacts(), policies_, QLocale::system());
  ShowRtfDocument(*view_, document_);
}

}  // namespace kvf::app
