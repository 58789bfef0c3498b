#pragma once
// What every kvf command shares: exit codes, output, argument helpers and
// opening a document the way the viewer does.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

#include "core/text/BiText.h"

namespace kvf {
struct SurveyDocument;
class DocumentSession;
}

namespace kvf::cli {

// When several apply, the first of 1, 2, 5, 3, 4 wins: arguments are
// checked first, then loading, then what the document offers, then the
// selection and the command, then writing.
enum ExitCode : int {
  kExitOk = 0,
  kExitUsage = 1,        // bad arguments, a position out of range
  kExitLoadFailed = 2,   // the document could not be loaded
  kExitRefused = 3,      // the selection (or the command) was refused
  kExitWriteFailed = 4,  // an output file could not be written
  kExitNotOffered = 5    // the viewer does not offer this for the document
};

// Whether the viewer offers a command for a document: nullopt when it does,
// else the text that says why not.
using OfferCheck = std::function<std::optional<BiText>(const SurveyDocument&)>;
// Copy Overview as Data: AllowCopy and AllowCopyData.
OfferCheck OffersDataCopy();
// Pictures saved to files: AllowSave.
OfferCheck OffersSaving();

// Writes bytes to standard output exactly as given.
void WriteOut(const QByteArray& bytes);
// Writes one line (a newline is added) to standard error, UTF-8.
void WriteError(const QString& line);
// Reports a usage error for a command and returns kExitUsage.
int UsageError(const QString& command, const QString& message);

// Parsed arguments: positional words and "--name value" / "--flag" options.
class Arguments {
 public:
  // flagNames: options without a value; valueNames: options taking one
  // value (they may repeat). Anything else starting with "--" is an error.
  static std::optional<Arguments> Parse(const QStringList& words, const QStringList& flagNames,
                                        const QStringList& valueNames, QString* error);

  const QStringList& Positional() const { return positional_; }
  bool Has(const QString& name) const;
  // The last value given for an option, or an empty optional.
  std::optional<QString> Value(const QString& name) const;
  // Every value given for an option, in order.
  QStringList Values(const QString& name) const;

 private:
  QStringList positional_;
  QList<QPair<QString, QString>> options_;
};

// Parses a whole decimal int32; nullopt on anything else.
std::optional<int> ParseInt(const QString& text);

// Opens a document into the session as the viewer does (user blocks from
// the settings store included). On failure prints the loader's text on
// stderr and returns false; the caller exits with kExitLoadFailed.
bool OpenDocument(DocumentSession& session, const QString& path);

}  // namespace kvf::cli
