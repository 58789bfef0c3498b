#include "core/output/formats/WmfFormat.h"

#include "core/output/formats/MetafileStatus.h"
#include "platform/metafile/MetafilePaintDevice.h"

namespace kvf {

Status WmfFormat::Write(const Picture& picture, const QString& path) const {
  if (!platform::WmfPaintDevice::CanHold(picture.size)) return picture_file::TooLarge(picture.size);
  platform::WmfPaintDevice device(picture.size, picture.reference);
  if (!picture_file::Paint(&device, picture)) return picture_file::NotDrawn();
  return MetafileStatus(device.Save(path), picture.size, path);
}

}  // namespace kvf
