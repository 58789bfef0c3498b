#include "app/startup/SplashScreen.h"

#include <QApplication>
#include <QFrame>
#include <QVBoxLayout>

#include "core/dialogs/AboutTexts.h"
#include "core/text/BiText.h"

namespace kvf::app {

QString SplashVersionText(int major, int minor) {
  return QStringLiteral("Version %1.%2").arg(major).arg(minor, 2, 10, QLatin1Char('0'));
}

QString LegalNotice() { return kvf::LegalNotice().Get(); }

SplashScreen::SplashScreen(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      title_(new QLabel(ApplicationTitle(), this)),
      version_(new QLabel(SplashVersionText(KVF_VERSION_MAJOR, KVF_VERSION_MINOR), this)),
      notice_(new QLabel(LegalNotice(), this)) {
  setObjectName(QStringLiteral("SplashScreen"));
  title_->setObjectName(QStringLiteral("productName"));
  version_->setObjectName(QStringLiteral("version"));
  notice_->setObjectName(QStringLiteral("notice"));
  QFont titleFont(QStringLiteral("Arial"));
  titleFont.setPixelSize(32);
  titleFont.setBold(true);
  title_->setFont(titleFont);
  auto* line = new QFrame(this);
  line->setFrameShape(QFrame::HLine);
  auto* icon = new QLabel(this);
  icon->setObjectName(QStringLiteral("icon"));
  icon->setPixmap(QApplication::windowIcon().pixmap(48, 48));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(icon);
  // 300 twips of margin on each side of the title (20 pixels at 96 dpi):
  // a wide title widens the window and the labels below follow.
  layout->setContentsMargins(20, 20, 20, 20);
  layout->addWidget(title_);
  layout->addWidget(version_);
  layout->addWidget(line);
  layout->addWidget(notice_);
  setAutoFillBackground(true);
  adjustSize();
  setMinimumWidth(360);
}

}  // namespace kvf::app
