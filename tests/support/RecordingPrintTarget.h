#pragma once
// A print target that prints nothing and writes down the document: the calls the engine makes
// (orientation, BeginDoc, NewPage, EndDoc, Abort) and the canvas calls of each sheet. Its canvas
// is a RecordingCanvas at 254 dpi, so one device pixel is one 0.1 mm unit. Failures can be
// planted: BeginDoc refused, the NewPage that starts a given sheet refused, EndDoc refused, or
// the canvas refused (an exception) while a given sheet is drawn.

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "plan/Printing.h"
#include "platform/RecordingCanvas.h"

namespace tranchex::test {

class RecordingPrintTarget : public PrintTarget {
 public:
  // The printable area of a portrait sheet, in device pixels; landscape swaps it.
  explicit RecordingPrintTarget(CanvasSize portrait = {2000, 2800}) : portrait_(portrait) {}

  void SetOrientation(PrintOrientation orientation) override {
    orientation_ = orientation;
    events.push_back(orientation == PrintOrientation::Landscape ? "Landscape" : "Portrait");
  }
  bool BeginDoc() override {
    events.push_back("BeginDoc");
    if (failBegin) return false;
    canvas_.emplace(Size());
    sheet_ = 1;
    return true;
  }
  std::int32_t PageWidth() const override { return Size().cx; }
  std::int32_t PageHeight() const override { return Size().cy; }
  std::int32_t Resolution() const override { return 254; }
  // The printable area unrounded, in 0.1 mm of a portrait sheet: the device pixels unless a test
  // gives a size between two pixels (a printer whose area is not a whole number of them).
  double PrintableWidthTenths() const override {
    return UnroundedSize() ? UnroundedSize()->first : PrintTarget::PrintableWidthTenths();
  }
  double PrintableHeightTenths() const override {
    return UnroundedSize() ? UnroundedSize()->second : PrintTarget::PrintableHeightTenths();
  }
  Canvas& GetCanvas() override {
    if (!canvas_) throw std::logic_error("no document");
    if (sheet_ == throwOnSheet) throw std::runtime_error("canvas lost");
    return *canvas_;
  }
  bool NewPage() override {
    events.push_back("NewPage");
    if (sheet_ + 1 == failNewPageAt) return false;
    FlushSheet();
    ++sheet_;
    return true;
  }
  bool EndDoc() override {
    events.push_back("EndDoc");
    FlushSheet();
    canvas_.reset();
    return !failEnd;
  }
  void Abort() override {
    events.push_back("Abort");
    FlushSheet();
    canvas_.reset();
  }
  std::string FailureDetail() const override { return detail; }

  PrintOrientation orientation() const { return orientation_; }
  CanvasSize Size() const {
    return orientation_ == PrintOrientation::Landscape ? CanvasSize{portrait_.cy, portrait_.cx}
                                                       : portrait_;
  }

  // ---- What was printed -----------------------------------------------------------------------
  std::vector<std::string> events;
  // The canvas calls of each sheet, in order (on Abort, the sheets up to the one being drawn).
  std::vector<std::vector<CanvasCall>> sheets;

  // ---- Planted failures -----------------------------------------------------------------------
  bool failBegin = false;
  std::int32_t failNewPageAt = 0;  // the sheet (from 2) whose NewPage fails; 0: none
  bool failEnd = false;
  std::int32_t throwOnSheet = 0;   // GetCanvas throws while this sheet is current; 0: never
  std::string detail;

  // ---- A printable area between two pixels (width, height of a portrait sheet) ----------------
  std::optional<std::pair<double, double>> unroundedPortrait;

 private:
  std::optional<std::pair<double, double>> UnroundedSize() const {
    if (!unroundedPortrait || orientation_ != PrintOrientation::Landscape) return unroundedPortrait;
    return std::pair{unroundedPortrait->second, unroundedPortrait->first};
  }

  void FlushSheet() {
    if (!canvas_) return;
    sheets.push_back(canvas_->Calls());
    canvas_->ClearCalls();
  }

  CanvasSize portrait_;
  PrintOrientation orientation_ = PrintOrientation::Portrait;
  std::optional<RecordingCanvas> canvas_;
  std::int32_t sheet_ = 0;
};

}  // namespace tranchex::test
