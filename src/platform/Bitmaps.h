#pragma once
// The pictures the forms load by name: the grain pictures "sens_horiz", "sens_vert", "sens_non".

#include <QPixmap>
#include <QString>

namespace tranchex {

// The picture of that name, or a null pixmap for a name the program does not carry.
QPixmap LoadNamedBitmap(const QString& name);

}  // namespace tranchex
