#pragma once
// Where a print made without the print dialog goes: the printer kept for the run, as the print
// dialog last left it. The print button of the main window, the labels and the summary print
// through here, so that none of them writes over an earlier file unasked.

#include <QString>

class QPrinter;

namespace tranchex {

class Prompts;

// A printer that writes to a file asks for the file first, as a save does: the picker starts on
// the last file written, and replacing an existing file is asked. False when the picker is
// cancelled: nothing is to be printed. A printer on paper asks nothing (true).
bool AskPrintFile(QPrinter& printer, Prompts& prompts, const QString& caption);

// After a print to a file: says which file holds it. A printer on paper says nothing.
void TellPrintFile(const QPrinter& printer, Prompts& prompts, const QString& caption);

}  // namespace tranchex
