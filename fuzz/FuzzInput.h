#pragma once
// A valid .kvf file around arbitrary payload bytes (stored or compressed), so
// that mutations reach the section decoder instead of dying at the CRC.
#include <QByteArray>
#include <QtEndian>
#include <cstdint>
#include <zlib.h>

#include "core/document/KvfFormat.h"

namespace kvf::fuzz {

inline QByteArray WrapPayload(const QByteArray& payload, bool compress) {
  QByteArray stored = payload;
  if (compress) {
    uLongf length = compressBound(static_cast<uLong>(payload.size()));
    stored.resize(static_cast<qsizetype>(length));
    if (compress2(reinterpret_cast<Bytef*>(stored.data()), &length,
                  reinterpret_cast<const Bytef*>(payload.constData()), static_cast<uLong>(payload.size()), 1) != Z_OK)
      return {};
    stored.resize(static_cast<qsizetype>(length));
  }
  QByteArray file(32, '\0');
  char* h = file.data();
  qToLittleEndian<uint32_t>(format::kMagic1, h);
  qToLittleEndian<uint32_t>(format::kMagic2, h + 4);
  qToLittleEndian<int32_t>(9, h + 8);
  qToLittleEndian<int32_t>(9, h + 12);
  qToLittleEndian<int32_t>(static_cast<int32_t>(32 + stored.size() + 4), h + 16);
  qToLittleEndian<int32_t>(static_cast<int32_t>(payload.size()), h + 20);
  qToLittleEndian<int32_t>(compress ? static_cast<int32_t>(stored.size()) : 0, h + 24);
  qToLittleEndian<int32_t>(32, h + 28);
  file += stored;
  const uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(file.constData()), static_cast<uInt>(file.size()));
  char tail[4];
  qToLittleEndian<uint32_t>(static_cast<uint32_t>(crc), tail);
  return file.append(tail, 4);
}

}  // namespace kvf::fuzz
