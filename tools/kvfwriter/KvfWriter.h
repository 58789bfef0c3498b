#pragma once
// Writes .kvf documents from a KvfDescription. This writer is independent
// of the reader in src/core on purpose: round trips through both check one
// against the other.
#include <QByteArray>
#include <QHash>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

#include "kvfwriter/KvfDescription.h"

namespace kvf::writer {

// The decompressed payload: the information record followed by the sections
// in layout order.
QByteArray BuildPayload(const KvfDescription& description);

// Writes the stored indexes of the questions, the blocks and the total
// into a payload that BuildPayload made (the offsets and strides its
// information record gives). REQUIRES: no more entries than records.
void PatchStoredIndexes(QByteArray& payload, const std::vector<double>& questions, const std::vector<double>& blocks,
                        double total);

// The whole file: header, extra header bytes, stored payload, CRC-32.
QByteArray WriteKvf(const KvfDescription& description);

// The whole file around a payload that BuildPayload made of description,
// perhaps changed since in place (same length).
QByteArray WriteKvf(const KvfDescription& description, const QByteArray& payload);

// Writes the file through QSaveFile. On failure returns false and, when
// error is not null, sets it to a one-line reason that names the path.
bool SaveKvf(const KvfDescription& description, const QString& path, QString* error);

// Writes the bytes of a whole file as SaveKvf does.
bool SaveBytes(const QByteArray& bytes, const QString& path, QString* error);

// Builds a string table in which equal texts share one entry.
class StringTable {
 public:
  // The text reference of text, adding it when it is new.
  int32_t Add(const QString& text);
  // -1 when text is empty (no value), else Add(*text).
  int32_t AddOptional(const std::optional<QString>& text);
  const std::vector<StringEntry>& Entries() const { return entries_; }
  int32_t Count() const { return static_cast<int32_t>(entries_.size()); }
  // Makes room for count texts in all.
  void Reserve(qsizetype count) {
    entries_.reserve(static_cast<size_t>(count));
    index_.reserve(count);
  }

 private:
  std::vector<StringEntry> entries_;
  QHash<QString, int32_t> index_;
};

// A large, realistic document generated from a fixed seed: background
// questions, blocks and sub-blocks of rating questions with 5-point scales,
// stored question, block and total indexes that match the answers,
// respondent comments, and optionally answer comments.
struct SyntheticOptions {
  int32_t respondents = 1000;  // REQUIRES: >= 0
  int32_t questions = 1000;    // REQUIRES: >= 1
  int32_t answerWidth = 1;     // REQUIRES: 1, 2 or 3
  int32_t dimensions = 4;      // background questions, clamped to questions
  bool compress = true;
  bool answerComments = false;
  uint64_t seed = 0x4B5646u;
};

KvfDescription MakeSyntheticDescription(const SyntheticOptions& options);

}  // namespace kvf::writer
