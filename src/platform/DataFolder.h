#pragma once
// The data folder, where the program keeps its settings, reference files and the job folder:
// $TRANCHEX_HOME when set, otherwise the user's application data folder.

#include <QString>

namespace tranchex {

// The data folder, created when missing. Never empty.
QString DataFolder();

}  // namespace tranchex
