#include "plan/DrawingContext.h"

#include <utility>

namespace tranchex {

DrawingTexts LoadDrawingTexts() {
  DrawingTexts t;
  static_cast<DescriptionTexts&>(t) = LoadDescriptionTexts();
  DefaultWords words = LoadDefaultWords();
  t.WordPart = std::move(words.WordPart);
  t.WordPanel = std::move(words.WordPanel);
  t.WordPanels = std::move(words.WordPanels);
  return t;
}

}  // namespace tranchex
