#pragma once
// A sheet kept as it was when it was taken: what a mini-overview window
// shows (mode 5) while the user opens other documents, edits blocks or
// changes the flex total.
//
// Ownership: a snapshot owns a copy of the document, a drawer made for that
// copy and the laid-out sheet; nothing in it refers to the session. It is
// immutable once taken and shared (std::shared_ptr<const SheetSnapshot>) by
// whoever shows it; its pixels are drawn on demand through the same region
// painting as the screen sheet (SheetState::PaintRegion).
#include <memory>

#include "core/document/SurveyDocument.h"
#include "core/sheet/SheetDrawer.h"
#include "core/sheet/SubSheet.h"
#include "core/text/Result.h"

namespace kvf {

class SheetSnapshot {
 public:
  // Copies document and sheet and lays the sheet out for request (modes 0
  // and 5). A document whose colours cannot all be made into brushes is
  // drawn without colour, as on the screen. Fails as DrawSheet fails.
  static Result<std::shared_ptr<const SheetSnapshot>> Take(const SurveyDocument& document, const SubSheet& sheet,
                                                           const SheetRequest& request);

  SheetSnapshot(const SheetSnapshot&) = delete;
  SheetSnapshot& operator=(const SheetSnapshot&) = delete;

  // The geometry and the pixels of the sheet as it was; a copy of it must
  // not outlive this snapshot.
  const SheetState& Sheet() const { return state_; }

 private:
  explicit SheetSnapshot(const SurveyDocument& document);

  const SurveyDocument document_;
  SheetDrawer drawer_;
  SheetState state_;
};

}  // namespace kvf
