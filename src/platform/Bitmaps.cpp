#include "platform/Bitmaps.h"

#include <QtGlobal>

// The pictures are compiled into a static library, whose resource registration the linker would
// drop: register them by hand, once.
static void RegisterPictures() {
  static const bool done = [] {
    Q_INIT_RESOURCE(resources);
    return true;
  }();
  (void)done;
}

namespace tranchex {

QPixmap LoadNamedBitmap(const QString& name) {
  RegisterPictures();
  if (name.isEmpty() || name.contains(QLatin1Char('/'))) return {};
  return QPixmap(QStringLiteral(":/grain/") + name + QStringLiteral(".png"));
}

}  // namespace tranchex
