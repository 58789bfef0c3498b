#pragma once
// The outcome of saving a metafile paint device as a picture-file status.
#include "core/output/PictureFormat.h"
#include "platform/metafile/MetafilePaintDevice.h"

namespace kvf {

inline Status MetafileStatus(const platform::MetafileSaveResult& saved, const QSize& size, const QString& path) {
  switch (saved.error) {
    case platform::MetafileError::None:
      return Status::Ok();
    case platform::MetafileError::TooLarge:
      return picture_file::TooLarge(size);
    case platform::MetafileError::WriteFailed:
      break;
  }
  return picture_file::WriteFailed(path, saved.message);
}

}  // namespace kvf
