#include "plan/DrawingContext.h"

#include "job/ListTexts.h"
#include "platform/Texts.h"

namespace tranchex {

namespace {

constexpr int kBufferSize = 150;

}  // namespace

DrawingTexts LoadDrawingTexts() {
  DrawingTexts t;
  t.TextThickness = LoadString(45, kBufferSize);
  t.TextSpecies = LoadString(46, kBufferSize);
  t.TextGrain = LoadString(82, kBufferSize);
  t.TextCount = LoadString(44, kBufferSize);
  t.TextNotSpecified = LoadString(148, kBufferSize);
  t.WordPart = LoadString(75, kBufferSize);
  t.WordPanel = LoadString(74, kBufferSize);
  t.WordPanels = LoadString(13, kBufferSize);
  t.PanelGrainTexts = LoadGrainTexts();
  return t;
}

}  // namespace tranchex
