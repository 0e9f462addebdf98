#include "job/DrawScales.h"

#include <algorithm>
#include <cmath>

namespace tranchex {

namespace {

// What fits when the margins leave no room: the largest width across the whole height and the
// largest length across the whole width (an area of 0 or less counts as one unit).
float ScaleWithoutMargins(std::int32_t areaHeight, std::int32_t areaWidth, double maxLength,
                          double maxWidth) {
  const long double h = std::max<std::int32_t>(areaHeight, 1);
  const long double w = std::max<std::int32_t>(areaWidth, 1);
  const float s = static_cast<float>(std::max(maxWidth / h, maxLength / w));
  return std::isfinite(s) && s > 0 ? s : 0.0f;
}

template <class Record>
float ComputeDrawScale(std::int32_t areaHeight, std::int32_t areaWidth, std::int32_t margin,
                       const std::vector<Record>& records) {
  // Maxima taken independently: they may come from different records.
  double maxLength = 0.0;
  double maxWidth = 0.0;
  for (const Record& r : records) {
    if (r.Length > maxLength) maxLength = r.Length;
    if (r.Width > maxWidth) maxWidth = r.Width;
  }
  if (maxLength <= 0.0 && maxWidth <= 0.0) return 0.0f;  // empty list or nothing with a size

  const std::int64_t m2 = 2 * static_cast<std::int64_t>(margin);
  if (areaHeight <= m2 || areaWidth <= m2)
    return ScaleWithoutMargins(areaHeight, areaWidth, maxLength, maxWidth);

  const long double height = areaHeight;
  const long double width = areaWidth;
  const long double m = static_cast<long double>(m2);
  const long double heightRatio = height / (m + maxWidth);
  const long double widthRatio = width / (m + maxLength);
  float s = widthRatio >= heightRatio ? static_cast<float>(1.0L / ((height - m) / maxWidth))
                                      : static_cast<float>(1.0L / ((width - m) / maxLength));

  // Climb by hundredths until both directions fit. The search stops once a hundredth no longer
  // changes a single-precision value.
  while (maxWidth / static_cast<long double>(s) + m > height ||
         maxLength / static_cast<long double>(s) + m > width) {
    const float next = static_cast<float>(static_cast<long double>(s) + 0.01);
    if (!(next > s)) break;
    s = next;
  }
  return std::isfinite(s) && s > 0 ? s : 0.0f;
}

}  // namespace

float ComputePanelDrawScale(std::int32_t areaHeight, std::int32_t areaWidth, std::int32_t margin,
                            const PanelList& panels) {
  return ComputeDrawScale(areaHeight, areaWidth, margin, panels);
}

float ComputePartDrawScale(std::int32_t areaHeight, std::int32_t areaWidth, std::int32_t margin,
                           const PartList& parts) {
  return ComputeDrawScale(areaHeight, areaWidth, margin, parts);
}

}  // namespace tranchex
