#pragma once
// The part of a metafile writer that follows the playing device context:
// which GDI objects exist and are selected, the text colour, the polygon
// fill mode, and the saved context a clip lives in. It decides what must be
// written; the format (EMF or WMF) writes the records.
//
// Format derives from GdiContextWriter<Format> and provides:
//   void SelectRecord(int slot);
//   void DeleteRecord(int slot);
//   void TextColorRecord(uint32_t colorRef);
//   void FillModeRecord(int mode);          // kAlternate or kWinding
//   void SaveRecord();                      // SaveDC
//   void RestoreRecord();                   // RestoreDC(-1)
//   void IntersectClipRecord(const QRect& pixels);
#include <QRect>

#include "platform/metafile/MetafileDrawing.h"
#include "platform/metafile/MetafileRecords.h"

namespace kvf::platform::metafile_records {

template <typename Format>
class GdiContextWriter {
 public:
  GdiContextWriter() : objects_(kObjectCacheSize) {}

 protected:
  // Makes the object with this key the selected one of its kind; when it
  // does not exist yet, create(slot) writes its creation record.
  template <typename Create>
  void UseObject(GdiObjectTable::Kind kind, const QByteArray& key, Create create) {
    if (objects_.Selected(kind) == key) return;
    const GdiObjectTable::Acquired acquired = objects_.Acquire(kind, key);
    if (acquired.deleteSlot >= 0) self().DeleteRecord(acquired.deleteSlot);
    if (acquired.create) create(acquired.slot);
    self().SelectRecord(acquired.slot);
    objects_.SetSelected(kind, key);
  }

  void UseTextColor(QRgb color) {
    const uint32_t ref = ColorRef(color);
    if (ref == textColor_) return;
    self().TextColorRecord(ref);
    textColor_ = ref;
  }

  void UseFillMode(bool winding) {
    if (winding == winding_) return;
    self().FillModeRecord(winding ? kWinding : kAlternate);
    winding_ = winding;
  }

  // Ends the current clip, if any, and starts this one in a saved context.
  void Clip(const MetaClip& clip) {
    EndClip();
    if (!clip.enabled) return;
    self().SaveRecord();
    objects_.Save();
    savedTextColor_ = textColor_;
    savedWinding_ = winding_;
    contextSaved_ = true;
    self().IntersectClipRecord(clip.rect);
  }

  // Restores the context saved for a clip: its selections and settings
  // come back.
  void EndClip() {
    if (!contextSaved_) return;
    self().RestoreRecord();
    objects_.Restore();
    textColor_ = savedTextColor_;
    winding_ = savedWinding_;
    contextSaved_ = false;
  }

  // Deletes every object still alive. REQUIRES: EndClip() first.
  void DeleteAllObjects() {
    for (int slot : objects_.TakeLiveSlots()) self().DeleteRecord(slot);
  }

  // The most objects alive at once; with lowest-free slots also one more
  // than the highest slot used.
  int MostObjects() const { return objects_.HighWater(); }

  GdiObjectTable objects_;

 private:
  Format& self() { return static_cast<Format&>(*this); }

  uint32_t textColor_ = 0;  // players start with black text
  bool winding_ = false;    // and the alternate fill mode
  bool contextSaved_ = false;
  uint32_t savedTextColor_ = 0;
  bool savedWinding_ = false;
};

}  // namespace kvf::platform::metafile_records
