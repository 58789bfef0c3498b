#pragma once
// The detail information window: the small tool window that shows, for the sheet cell under
// the resting pointer, the block and question names, the question text
// with the respondent's answer and comment, and up to five index rows for
// the current selection and for the total (see core/selection/DetailInfo.h).
//
// The properties mirror the window's labels; Update lays the window out
// again for the current index labels (rows with an empty label are hidden,
// the height follows the shown rows). Closing the window only hides it; its
// placement is stored then (and at exit, when it was shown in the session)
// and restored when it is made. Without a stored placement it is sized to
// its content.
//
// It plugs in as a ToolWindow (View > Detail Information), follows the view
// state as a SheetObserver (the flex total's index) and the sheet view as a
// SheetViewObserver (hover, design); SelectionWindows registers it.
//
// Ownership: the session must outlive the window.
#include <QLabel>
#include <QPlainTextEdit>
#include <QWidget>
#include <array>

#include "app/mainwindow/SheetViewObserver.h"
#include "app/mainwindow/ToolWindowHost.h"
#include "core/selection/DetailInfo.h"
#include "core/session/DocumentSession.h"
#include "core/settings/ProgramKey.h"
#include "core/sheet/SubSheet.h"
#include "platform/registry/RegistryKey.h"

namespace kvf::app {

class DetailInfoWindow : public QWidget, public ToolWindow, public SheetObserver, public SheetViewObserver {
  Q_OBJECT
 public:
  DetailInfoWindow(const DocumentSession& session, platform::RegistryKey programKey, Policies policies,
                   QWidget* parent = nullptr);

  // REQUIRES for every Index: 0 <= index < 5; for HeaderValue: 0 <= index < 3.
  QString IndexText(int index) const;
  void SetIndexText(int index, const QString& text);
  QString IndexValue(int index, bool total) const;
  void SetIndexValue(int index, bool total, const QString& text);
  QString HeaderValue(int index) const;
  void SetHeaderValue(int index, const QString& text);
  QString TextValue() const;
  void SetTextValue(const QString& text);
  // Shows the rows whose label is not empty and fits the height to them.
  void Update();

  // The whole content at once (Update runs when the labels changed).
  const DetailInfo& Content() const { return info_; }
  void SetContent(const DetailInfo& info);

  // The program's events (see core/selection/DetailInfo.h).
  // A document was loaded and its first sheet built.
  void SetUp(const SurveyDocument& document, const SubSheet& sheet);
  void ResetForSheet(const SurveyDocument& document, const SubSheet& sheet);
  void FlexTotalIndexChanged(const SurveyDocument& document, double currentTotalIndex);
  void Hover(const SurveyDocument& document, const SubSheet& sheet, int32_t rowItem, int32_t column);
  // No document: everything empty.
  void Clear();

  // ToolWindow: set up on every document (always offered); without a
  // placement of its own the window is sized to show the labels in full.
  QWidget* Widget() override { return this; }
  bool SetUpForDocument(const SurveyDocument& document) override;
  void ResetForNoDocument() override { Clear(); }
  bool PlacementKnown() const override { return placementKnown_; }
  void SetPlacementKnown() override { placementKnown_ = true; }
  // SheetObserver
  void FlexTotalIndexChanged(double currentTotalIndex) override;
  // SheetViewObserver
  void CellHovered(const CellHit& hit) override;
  void SheetViewDesigned() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void ShowContent();

  const DocumentSession& session_;
  platform::RegistryKey programKey_;
  bool placementKnown_ = false;
  bool shownInSession_ = false;
  Policies policies_;
  DetailInfo info_;
  std::array<QLabel*, DetailInfo::kHeaderCount> headers_{};
  QPlainTextEdit* text_ = nullptr;
  QLabel* selectionCaption_ = nullptr;
  QLabel* totalCaption_ = nullptr;
  std::array<QLabel*, DetailInfo::kIndexRows> labels_{};
  std::array<QLabel*, DetailInfo::kIndexRows> values_{};
  std::array<QLabel*, DetailInfo::kIndexRows> totals_{};
  int lastHeight_ = -1;
};

}  // namespace kvf::app
