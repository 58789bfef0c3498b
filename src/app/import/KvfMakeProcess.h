#pragma once
// Runs kvf-make as a child process, so that a hostile data file can take
// down only that process, never the viewer. While it runs, a progress
// dialog (after half a second) offers Cancel, which ends the child.
#include <QByteArray>
#include <QString>
#include <QStringList>

class QWidget;

namespace kvf::app {

struct KvfMakeOutcome {
  int exitCode = -1;  // -1: it crashed, was cancelled or could not start
  QByteArray out;
  QByteArray err;
  // The child's message (its standard error without the "kvf-make: "
  // prefix and the usage lines), or a text of our own when it crashed.
  QString Message() const;
};

class KvfMakeProcess {
 public:
  // The kvf-make program: $KVF_MAKE_PROGRAM, else beside the viewer, else in
  // the build tree next to it, else on the PATH; empty when none is found.
  static QString Locate();

  // Runs kvf-make with the arguments. REQUIRES: !Locate().isEmpty().
  static KvfMakeOutcome Run(const QStringList& arguments, QWidget* parent);
};

}  // namespace kvf::app
