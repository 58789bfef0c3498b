#pragma once
// An independent reader of the metafiles the paint devices write, for the
// tests: it walks the records, checks the structure (sizes, counts, object
// handles) and plays the object table to recover what each fill and text
// record draws with.
#include <QByteArray>
#include <QRect>
#include <QString>
#include <QVector>

#include <cstdint>

namespace kvf::platform::testing {

struct ReadFont {
  int height = 0;
  int weight = 0;
  int charset = -1;
  QString face;
};

struct ReadFill {
  QRect rect;            // the pixels filled
  uint32_t colorRef = 0;  // of the selected brush
  bool penIsNull = true;  // WMF: the pen selected while filling
  bool clipped = false;
  QRect clip;  // when clipped: the pixels that may be drawn
};

struct ReadText {
  QPoint reference;
  QString text;        // EMF: UTF-16; WMF: the bytes as Latin-1
  QByteArray bytes;    // WMF: the raw bytes
  QVector<int> dx;
  ReadFont font;
  uint32_t colorRef = 0;
  int textAlign = 0;
  int backgroundMode = 2;  // opaque until set
  bool clipped = false;
  QRect clip;
};

struct ReadRecord {
  uint32_t type = 0;    // EMF record type or WMF function
  uint32_t offset = 0;  // bytes from the file start
  uint32_t size = 0;    // bytes
};

// What both readers collect while playing the object table.
struct ReadPicture {
  QString error;  // empty when the structure is sound
  QVector<ReadRecord> records;
  QVector<ReadFont> fontsCreated;
  QVector<ReadFill> fills;
  QVector<ReadText> texts;
  QVector<int> createdSlots;  // the slot or handle of each created object, in order
  int mostObjectsAlive = 0;
  int objectsAliveAtEnd = 0;
  int shapeRecords = 0;  // polylines, polygons, ellipses
  int imageRecords = 0;
};

struct ReadEmf : ReadPicture {
  QRect bounds;  // inclusive, as stored
  QRect frame;
  uint32_t signature = 0;
  uint32_t bytes = 0;
  uint32_t recordCount = 0;
  int handles = 0;
  QString description;  // with its NULs
  QSize devicePixels;
  QSize deviceMillimetres;
  QSize micrometres;
};

struct ReadWmf : ReadPicture {
  uint32_t key = 0;
  int16_t left = 0, top = 0, right = 0, bottom = 0;
  uint16_t unitsPerInch = 0;
  uint16_t checksum = 0;
  uint16_t checksumOfWords = 0;  // XOR of the ten words before the checksum
  uint16_t headerType = 0, headerSize = 0, version = 0;
  uint32_t sizeWords = 0;
  int numberOfObjects = 0;
  uint32_t maxRecordWords = 0;
  uint32_t largestRecordWords = 0;  // as found
  QSize windowExtent;
};

ReadEmf ReadEnhancedMetafile(const QByteArray& file);
ReadWmf ReadPlaceableMetafile(const QByteArray& file);

}  // namespace kvf::platform::testing
