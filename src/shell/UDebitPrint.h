#pragma once
// What the main window keeps for printing: one printer for the whole run, so the choices made
// in the print dialog (printer, paper, file) hold until the program ends.

#include <QPrinter>

#include "shell/UDebit.h"

namespace tranchex {

struct TFDebit::PrintSession {
  QPrinter Printer{QPrinter::HighResolution};
};

}  // namespace tranchex
