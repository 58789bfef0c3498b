#pragma once
// What the viewer checks and reads before its main window opens: the
// command line, the zlib library, and whether another copy already runs.
#include <QLockFile>
#include <QString>
#include <QStringList>
#include <optional>

#include "core/text/BiText.h"

namespace kvf {

// Splits a command line into arguments: blanks and tabs separate arguments
// (a run of them counts as one), a double quote starts or ends a quoted
// stretch in which blanks and tabs are kept, and two double quotes in a row
// give one literal double quote.
QStringList SplitCommandLine(const QString& commandLine);

// True when an argument equals "/AutoStart", in any letter case.
bool HasAutoStartArgument(const QStringList& arguments);

// Checks the zlib library's version text (version: what zlibVersion
// returned, nullptr when the library cannot be called; at most 16
// characters up to the first zero byte are used). Returns the message to
// show before the program ends, or nothing when the first character matches
// the one of "1.2.3".
std::optional<BiText> CheckZlibVersion(const char* version);
// The same check on the zlib this program is linked with.
std::optional<BiText> CheckLinkedZlib();

// The question asked when another copy of the program runs.
BiText AnotherInstanceQuestion(const QString& applicationTitle);

// Tells whether another copy of the program runs, through a lock file that
// the first copy holds until it ends (a copy that crashed leaves no lock:
// its stale file is taken over).
class SingleInstanceLock {
 public:
  // REQUIRES: the folder of lockFilePath exists or can be created.
  explicit SingleInstanceLock(const QString& lockFilePath = DefaultLockFilePath());
  SingleInstanceLock(const SingleInstanceLock&) = delete;
  SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

  // Takes the lock when free. True when this process holds it now; false
  // when another running process holds it.
  bool TryAcquire();
  bool Held() const { return lock_.isLocked(); }

  // "<runtime folder>/KVF Viewer.lock" ($XDG_RUNTIME_DIR, else the temporary folder).
  static QString DefaultLockFilePath();

 private:
  QLockFile lock_;
};

}  // namespace kvf
