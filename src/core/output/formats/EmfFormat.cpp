#include "core/output/formats/EmfFormat.h"

#include "core/output/formats/MetafileStatus.h"
#include "platform/metafile/MetafilePaintDevice.h"

namespace kvf {

Status EmfFormat::Write(const Picture& picture, const QString& path) const {
  platform::EmfPaintDevice device(picture.size, picture.title, picture.reference);
  if (!picture_file::Paint(&device, picture)) return picture_file::NotDrawn();
  return MetafileStatus(device.Save(path), picture.size, path);
}

}  // namespace kvf
