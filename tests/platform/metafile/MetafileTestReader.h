#pragma once
// An independent reader of the metafiles the paint devices write, for the
// tests: it walks the records, checks the structure (sizes, bounds, object
// handles, saved contexts) and plays the object table to recover what each
// fill and text record draws with.
#include <QRect>
#include <QVector>

namespace kvf::platform::testing {

struct ReadFont {
  int height = 0, weight = 0, charset = -1;
  QString face;
};

// What a fill or text record draws with: the selected objects and the clip
// (when clipped: the pixels that may be drawn).
struct ReadFill {
  QRect rect;  // the pixels filled
  uint32_t colorRef = 0;
  bool penIsNull = true;
  bool clipped = false;
  QRect clip;
};

struct ReadText {
  QPoint reference;
  QString text;      // EMF: UTF-16; WMF: the bytes as Latin-1
  QByteArray bytes;  // WMF: the raw bytes
  QVector<int> dx;
  ReadFont font;
  uint32_t colorRef = 0;
  int textAlign = 0, backgroundMode = 2;  // opaque until set
  bool clipped = false;
  QRect clip;
};

struct ReadRecord {
  uint32_t type = 0, size = 0;  // EMF record type or WMF function; bytes
};

struct ReadPicture {
  QString error;  // empty when the structure is sound
  QVector<ReadRecord> records;
  QVector<ReadFont> fontsCreated;
  QVector<ReadFill> fills;
  QVector<ReadText> texts;
  QVector<int> createdSlots;  // the slot or handle of each created object, in order
  int mostObjectsAlive = 0, objectsAliveAtEnd = 0;
  int shapeRecords = 0;  // polylines, polygons, ellipses
};

struct ReadEmf : ReadPicture {
  QRect bounds, frame;  // inclusive, as stored
  uint32_t signature = 0, bytes = 0, recordCount = 0;
  int handles = 0;
  QString description;  // with its NULs
  QSize devicePixels, deviceMillimetres, micrometres;
};

struct ReadWmf : ReadPicture {
  uint32_t key = 0;
  int16_t left = 0, top = 0, right = 0, bottom = 0;
  uint16_t unitsPerInch = 0, checksum = 0;
  uint16_t checksumOfWords = 0, headerType = 0, headerSize = 0, version = 0;  // XOR of the ten words before the checksum
  uint32_t sizeWords = 0, maxRecordWords = 0, largestRecordWords = 0;  // the largest as found
  int numberOfObjects = 0;
  QSize windowExtent;
};

ReadEmf ReadEnhancedMetafile(const QByteArray& file);
ReadWmf ReadPlaceableMetafile(const QByteArray& file);

}  // namespace kvf::platform::testing
