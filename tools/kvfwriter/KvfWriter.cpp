#include "kvfwriter/KvfWriter.h"

#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cstring>
#include <limits>

#include <libdeflate.h>
#include <zlib.h>

namespace kvf::writer {
namespace {

// Little-endian stores into a byte array that grows as needed.
class Bytes {
 public:
  explicit Bytes(QByteArray& data) : data_(data) {}

  void Reserve(qsizetype end, uint8_t fill) {
    if (end > data_.size()) {
      data_.resize(end, static_cast<char>(fill));
    }
  }
  void Put(qsizetype at, const void* bytes, qsizetype count) {
    Reserve(at + count, 0);
    std::memcpy(data_.data() + at, bytes, static_cast<size_t>(count));
  }
  void U8(qsizetype at, uint8_t v) { Put(at, &v, 1); }
  void I16(qsizetype at, int16_t v) {
    const auto u = static_cast<uint16_t>(v);
    const uint8_t b[2] = {static_cast<uint8_t>(u), static_cast<uint8_t>(u >> 8)};
    Put(at, b, 2);
  }
  void U32(qsizetype at, uint32_t v) {
    const uint8_t b[4] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
                          static_cast<uint8_t>(v >> 24)};
    Put(at, b, 4);
  }
  void I32(qsizetype at, int32_t v) { U32(at, static_cast<uint32_t>(v)); }
  void F64(qsizetype at, double v) {
    uint64_t u = 0;
    std::memcpy(&u, &v, 8);
    U32(at, static_cast<uint32_t>(u));
    U32(at + 4, static_cast<uint32_t>(u >> 32));
  }

 private:
  QByteArray& data_;
};

int32_t ToInt32(qsizetype v) {
  return static_cast<int32_t>(std::clamp<qsizetype>(v, 0, std::numeric_limits<int32_t>::max()));
}

int32_t ElementSize(int32_t width) { return width == 1 ? 1 : width == 2 ? 2 : 4; }

// Where one record section ended up.
struct Placed {
  int32_t offset = 0;
  int32_t count = 0;
};

struct Placement {
  Placed strings, answers, alternatives, questions, comments, answerComments, blocks, blockItems;
};

class PayloadBuilder {
 public:
  explicit PayloadBuilder(const KvfDescription& d) : d_(d), out_(payload_) {}

  QByteArray Build() {
    payload_ = QByteArray(kInfoSize, '\0');
    respondents_ = d_.answers.empty() ? 0 : static_cast<qsizetype>(d_.answers.front().size());
    matrixQuestions_ = d_.answers.empty() ? 0 : static_cast<qsizetype>(d_.answers.size());
    for (Section s : d_.layout.order) {
      WriteSection(s);
    }
    payload_.append(d_.layout.payloadTail);
    WriteInfo();
    return payload_;
  }

 private:
  // Starts a section at the current end, after the configured gap.
  qsizetype Begin() {
    out_.Reserve(payload_.size() + std::max(0, d_.layout.gapBetweenSections), d_.layout.fillByte);
    return payload_.size();
  }

  template <typename Record, typename WriteOne>
  Placed WriteRecords(const std::vector<Record>& records, int32_t stride, int32_t recordSize, WriteOne writeOne) {
    if (records.empty()) {
      return {};
    }
    stride = std::max(stride, recordSize);
    const qsizetype start = Begin();
    for (size_t i = 0; i < records.size(); ++i) {
      const qsizetype at = start + static_cast<qsizetype>(i) * stride;
      out_.Reserve(at + stride, d_.layout.fillByte);
      writeOne(at, records[i]);
    }
    return {ToInt32(start), static_cast<int32_t>(records.size())};
  }

  void WriteSection(Section s) {
    const Layout& l = d_.layout;
    switch (s) {
      case Section::Strings:
        if (!d_.strings.empty()) {
          const qsizetype start = Begin();
          for (const StringEntry& e : d_.strings) {
            const qsizetype at = payload_.size();
            out_.I32(at, e.lengthOverride.value_or(ToInt32(e.text.size())));
            for (qsizetype k = 0; k < e.text.size(); ++k) {
              out_.I16(at + 4 + 2 * k, static_cast<int16_t>(e.text.at(k).unicode()));
            }
          }
          placed_.strings = {ToInt32(start), static_cast<int32_t>(d_.strings.size())};
        }
        break;
      case Section::Answers:
        if (respondents_ > 0 && matrixQuestions_ > 0) {
          const qsizetype start = Begin();
          const int32_t size = ElementSize(d_.answerWidth);
          out_.Reserve(start + respondents_ * matrixQuestions_ * size, 0);
          for (qsizetype q = 0; q < matrixQuestions_; ++q) {
            const auto& row = d_.answers[static_cast<size_t>(q)];
            const qsizetype count = std::min(respondents_, static_cast<qsizetype>(row.size()));
            auto* at = reinterpret_cast<uint8_t*>(payload_.data()) + start + q * respondents_ * size;
            if (size == 1) {
              for (qsizetype r = 0; r < count; ++r) at[r] = static_cast<uint8_t>(row[static_cast<size_t>(r)]);
              continue;
            }
            for (qsizetype r = 0; r < count; ++r) {
              const auto v = static_cast<uint32_t>(row[static_cast<size_t>(r)]);
              for (int32_t b = 0; b < size; ++b) at[r * size + b] = static_cast<uint8_t>(v >> (8 * b));
            }
          }
          placed_.answers = {ToInt32(start), 1};
        }
        break;
      case Section::AnswerComments:
        if (!d_.answerComments.empty() && respondents_ > 0 && matrixQuestions_ > 0) {
          const qsizetype start = Begin();
          const int32_t width = std::max(4, l.answerCommentWidth);
          out_.Reserve(start + respondents_ * matrixQuestions_ * width, l.fillByte);
          for (qsizetype q = 0; q < matrixQuestions_; ++q) {
            const std::vector<int32_t>* row = q < static_cast<qsizetype>(d_.answerComments.size())
                                                  ? &d_.answerComments[static_cast<size_t>(q)]
                                                  : nullptr;
            for (qsizetype r = 0; r < respondents_; ++r) {
              const bool has = row != nullptr && r < static_cast<qsizetype>(row->size());
              out_.I32(start + (q * respondents_ + r) * width, has ? (*row)[static_cast<size_t>(r)] : kNone);
            }
          }
          placed_.answerComments = {ToInt32(start), 1};
        }
        break;
      case Section::Alternatives:
        placed_.alternatives = WriteRecords(d_.alternatives, l.alternativeStride, kAlternativeRecordSize,
                                            [this](qsizetype at, const AlternativeRecord& a) {
                                              out_.I32(at + 0, a.sheetLabel);
                                              out_.I32(at + 4, a.name);
                                              out_.I32(at + 8, a.selectionName);
                                              out_.I32(at + 12, a.backColor);
                                              out_.I32(at + 16, a.kept16);
                                              out_.I32(at + 20, a.value);
                                              out_.I16(at + 24, a.complementProtected);
                                              out_.I16(at + 26, a.protectedFlag);
                                              out_.I32(at + 28, a.graphOptions);
                                              out_.I32(at + 32, a.graphValue);
                                              out_.I32(at + 36, a.graphColor);
                                            });
        break;
      case Section::Questions:
        placed_.questions = WriteRecords(d_.questions, l.questionStride, kQuestionRecordSize,
                                         [this](qsizetype at, const QuestionRecord& q) {
                                           out_.I32(at + 0, q.sheetLabel);
                                           out_.I32(at + 4, q.name);
                                           out_.I32(at + 8, q.text);
                                           out_.I32(at + 12, q.selectionName);
                                           out_.I32(at + 16, q.backColor);
                                           out_.I32(at + 20, q.kept20);
                                           out_.I32(at + 24, q.primaryBlock);
                                           out_.I32(at + 28, q.firstAlternative);
                                           out_.I32(at + 32, q.alternativeCount);
                                           out_.I16(at + 36, q.isDimension);
                                           out_.I16(at + 38, q.isOverviewQuestion);
                                           out_.F64(at + 40, q.storedIndex);
                                           out_.I16(at + 48, q.inTotalIndex);
                                           out_.I16(at + 50, q.pad50);
                                           out_.I32(at + 52, q.secondaryBlock);
                                           out_.I16(at + 56, q.isFlexTotal);
                                           out_.I16(at + 58, q.pad58);
                                           out_.I32(at + 60, q.graphFlags);
                                           out_.I32(at + 64, q.rankingWeight);
                                         });
        break;
      case Section::RespondentComments:
        placed_.comments = WriteRecords(d_.respondentComments, l.commentStride, kCommentRecordSize,
                                        [this](qsizetype at, const RespondentCommentRecord& c) {
                                          out_.I32(at + 0, c.comment);
                                          out_.I32(at + 4, c.kept);
                                        });
        break;
      case Section::Blocks:
        placed_.blocks =
            WriteRecords(d_.blocks, l.blockStride, kBlockRecordSize, [this](qsizetype at, const BlockRecord& b) {
              out_.I32(at + 0, b.sheetLabel);
              out_.I32(at + 4, b.name);
              out_.I32(at + 8, b.text2);
              out_.I32(at + 12, b.kept12);
              out_.I32(at + 16, b.kept16);
              out_.I16(at + 20, b.kept20);
              out_.I16(at + 22, b.membersByQuestionField);
              out_.F64(at + 24, b.storedIndex);
              out_.I32(at + 32, b.blockLevel);
              out_.I32(at + 36, b.graphFlags);
            });
        break;
      case Section::BlockItems:
        placed_.blockItems = WriteRecords(d_.blockItems, l.blockItemStride, kBlockItemRecordSize,
                                          [this](qsizetype at, const BlockItemRecord& b) {
                                            out_.I32(at + 0, b.block);
                                            out_.I32(at + 4, b.question);
                                          });
        break;
    }
  }

  void WriteInfo() {
    const InfoFields& i = d_.info;
    const Layout& l = d_.layout;
    auto slot = [this](int n, int32_t v) { out_.I32(4 * n, v); };
    auto halves = [this](int n, int16_t low, int16_t high) {
      out_.I16(4 * n, low);
      out_.I16(4 * n + 2, high);
    };

    out_.Put(0, i.guid.data(), 16);
    slot(4, i.stringsOffset.value_or(placed_.strings.offset));
    slot(5, i.stringCount.value_or(static_cast<int32_t>(d_.strings.size())));
    slot(6, i.answersOffset.value_or(placed_.answers.offset));
    slot(7, i.answerWidth.value_or(d_.answerWidth));
    slot(8, i.respondentCount.value_or(ToInt32(respondents_)));
    slot(9, i.matrixQuestionCount.value_or(ToInt32(matrixQuestions_)));
    slot(10, i.answerTag);
    slot(11, i.alternativesOffset.value_or(placed_.alternatives.offset));
    slot(12, i.alternativeStride.value_or(std::max(l.alternativeStride, kAlternativeRecordSize)));
    slot(13, i.alternativeCount.value_or(static_cast<int32_t>(d_.alternatives.size())));
    slot(14, i.questionsOffset.value_or(placed_.questions.offset));
    slot(15, i.questionStride.value_or(std::max(l.questionStride, kQuestionRecordSize)));
    slot(16, i.questionCount.value_or(static_cast<int32_t>(d_.questions.size())));
    slot(17, i.commentsOffset.value_or(placed_.comments.offset));
    slot(18, i.commentStride.value_or(std::max(l.commentStride, kCommentRecordSize)));
    slot(19, i.commentCount.value_or(static_cast<int32_t>(d_.respondentComments.size())));
    slot(20, i.blocksOffset.value_or(placed_.blocks.offset));
    slot(21, i.blockStride.value_or(std::max(l.blockStride, kBlockRecordSize)));
    slot(22, i.blockCount.value_or(static_cast<int32_t>(d_.blocks.size())));
    slot(23, i.blockItemsOffset.value_or(placed_.blockItems.offset));
    slot(24, i.blockItemStride.value_or(std::max(l.blockItemStride, kBlockItemRecordSize)));
    slot(25, i.blockItemCount.value_or(static_cast<int32_t>(d_.blockItems.size())));
    slot(26, i.projectNumber);
    slot(27, i.projectName);
    slot(28, i.copyright);
    slot(29, i.documentComment);
    for (int k = 0; k < 3; ++k) {
      slot(30 + k, i.fileVersion[static_cast<size_t>(k)]);
    }
    out_.F64(132, i.created);
    out_.F64(140, i.secondDate);
    slot(37, i.language);
    halves(38, i.allowCopy, i.allowPrint);
    halves(39, i.allowSave, i.slot39High);
    slot(40, i.indexDivisor);
    slot(41, i.indexCaption);
    slot(42, i.indexLabel0);
    slot(43, i.indexLabel1);
    slot(44, i.indexLabel3);
    slot(45, i.indexLabel4);
    slot(46, i.countTip);
    slot(47, i.selectionTip);
    slot(48, i.allRespondentsCaption);
    slot(49, i.minimumSelection);
    slot(50, i.minimumGraphSelection);
    slot(51, i.tooFewCaption);
    halves(52, i.hasRespondentComments, i.hideFirstAlternative);
    slot(53, i.sheetColor0);
    slot(54, i.sheetColor1);
    for (int k = 0; k < 4; ++k) {
      slot(55 + k, i.levelColors[static_cast<size_t>(k)]);
    }
    slot(59, i.indexLabel2);
    slot(60, i.kept60);
    slot(61, i.answerCommentsOffset.value_or(placed_.answerComments.offset));
    slot(62, i.answerCommentWidth.value_or(std::max(4, l.answerCommentWidth)));
    slot(63, i.rowOrder);
    slot(64, i.minimumComplementSelection);
    out_.F64(260, i.totalIndex);
    slot(67, i.kept67);
    slot(68, i.featureFlags);
    int32_t maxValue = -1;
    for (const AlternativeRecord& a : d_.alternatives) {
      maxValue = std::max(maxValue, a.value);
    }
    slot(69, i.maxAlternativeValue.value_or(maxValue));
    slot(70, i.rowOrderThreshold);
    halves(71, i.allowCopyData, i.slot71High);
  }

  const KvfDescription& d_;
  QByteArray payload_;
  Bytes out_;
  qsizetype respondents_ = 0;
  qsizetype matrixQuestions_ = 0;
  Placement placed_;
};

QByteArray Compress(const QByteArray& payload, int level, Deflater deflater) {
  if (deflater == Deflater::Libdeflate) {
    libdeflate_compressor* compressor = libdeflate_alloc_compressor(std::clamp(level, 1, 12));
    if (compressor == nullptr) {
      return {};
    }
    const size_t bound = libdeflate_zlib_compress_bound(compressor, static_cast<size_t>(payload.size()));
    QByteArray out(static_cast<qsizetype>(bound), '\0');
    const size_t size = libdeflate_zlib_compress(compressor, payload.constData(), static_cast<size_t>(payload.size()),
                                                 out.data(), bound);
    libdeflate_free_compressor(compressor);
    out.resize(static_cast<qsizetype>(size));  // 0 cannot happen with a bound-sized buffer
    return out;
  }
  uLongf size = compressBound(static_cast<uLong>(payload.size()));
  QByteArray out(static_cast<qsizetype>(size), '\0');
  const int rc =
      compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(payload.constData()),
                static_cast<uLong>(payload.size()), std::clamp(level, 0, 9));
  if (rc != Z_OK) {
    return {};  // cannot happen with a compressBound-sized buffer
  }
  out.resize(static_cast<qsizetype>(size));
  return out;
}

uint32_t Crc(uint32_t crc, const QByteArray& bytes) {
  return libdeflate_crc32(crc, bytes.constData(), static_cast<size_t>(bytes.size()));
}

}  // namespace

QByteArray BuildPayload(const KvfDescription& description) { return PayloadBuilder(description).Build(); }

void PatchStoredIndexes(QByteArray& payload, const std::vector<double>& questions, const std::vector<double>& blocks,
                        double total) {
  auto slot = [&payload](int n) {
    const auto* b = reinterpret_cast<const uint8_t*>(payload.constData()) + 4 * n;
    return static_cast<qsizetype>(b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24));
  };
  Bytes out(payload);
  for (size_t q = 0; q < questions.size(); ++q) {
    out.F64(slot(14) + static_cast<qsizetype>(q) * slot(15) + 40, questions[q]);
  }
  for (size_t b = 0; b < blocks.size(); ++b) {
    out.F64(slot(20) + static_cast<qsizetype>(b) * slot(21) + 24, blocks[b]);
  }
  out.F64(260, total);
}

QByteArray WriteKvf(const KvfDescription& description) { return WriteKvf(description, BuildPayload(description)); }

QByteArray WriteKvf(const KvfDescription& description, const QByteArray& payload) {
  const QByteArray stored =
      description.compress ? Compress(payload, description.compressionLevel, description.deflater) : payload;
  const HeaderFields& h = description.header;
  const qsizetype headerLength = kFileHeaderSize + description.extraHeaderBytes.size();
  const qsizetype fileLength = headerLength + stored.size() + 4;

  QByteArray file(kFileHeaderSize, '\0');
  Bytes out(file);
  out.U32(0, h.magic1.value_or(kMagic1));
  out.U32(4, h.magic2.value_or(kMagic2));
  out.I32(8, h.formatRevision);
  out.I32(12, h.compatibleRevision);
  out.I32(16, h.fileLength.value_or(ToInt32(fileLength)));
  out.I32(20, h.payloadLength.value_or(ToInt32(payload.size())));
  out.I32(24, h.compressedLength.value_or(description.compress ? ToInt32(stored.size()) : 0));
  out.I32(28, h.headerLength.value_or(ToInt32(headerLength)));
  file.append(description.extraHeaderBytes);
  file.append(stored);

  const uint32_t crc = h.crc.value_or(Crc(0, file));
  out.U32(file.size(), crc);
  return file;
}

bool SaveKvf(const KvfDescription& description, const QString& path, QString* error) {
  return SaveBytes(WriteKvf(description), path, error);
}

bool SaveBytes(const QByteArray& bytes, const QString& path, QString* error) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    if (error != nullptr) {
      *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    }
    return false;
  }
  if (file.write(bytes) != bytes.size() || !file.commit()) {
    if (error != nullptr) {
      *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    }
    file.cancelWriting();
    return false;
  }
  return true;
}

int32_t StringTable::Add(const QString& text) {
  const auto found = index_.constFind(text);
  if (found != index_.constEnd()) {
    return found.value();
  }
  const auto reference = static_cast<int32_t>(entries_.size());
  entries_.emplace_back(text);
  index_.insert(text, reference);
  return reference;
}

int32_t StringTable::AddOptional(const std::optional<QString>& text) { return text.has_value() ? Add(*text) : kNone; }

}  // namespace kvf::writer
