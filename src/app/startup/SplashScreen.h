#pragma once
// The splash screen: the program's title, version and legal notice, shown while the
// program starts.
#include <QLabel>
#include <QWidget>

namespace kvf::app {

// "Version " + major + "." + minor formatted "00" ("Version 3.05").
QString SplashVersionText(int major, int minor);
// The legal notice of the program's version information.
QString LegalNotice();

class SplashScreen : public QWidget {
  Q_OBJECT
 public:
  explicit SplashScreen(QWidget* parent = nullptr);

  QLabel* TitleLabel() const { return title_; }
  QLabel* VersionLabel() const { return version_; }

 private:
  QLabel* title_;
  QLabel* version_;
  QLabel* notice_;
};

}  // namespace kvf::app
