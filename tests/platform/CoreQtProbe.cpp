// Built with the core's settings only; it must not compile.
#include <QString>

QString probe() { return QString(); }
