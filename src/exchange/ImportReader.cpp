#include "exchange/ImportReader.h"

namespace tranchex {

ImportReadResult ReadCuttingSheet(const ImportRequest&) { return ImportError{0, 0, {}, "non disponible"}; }

std::string ReadImportFile(const std::filesystem::path&) { return {}; }

std::string ImportErrorText(const ImportError& error, bool) { return error.Reason; }

ImportListChanges CommitImportedParts(const std::vector<ImportedPart>&, const UNITE_MESURE&,
                                      Settings&, JobState&) {
  return {};
}

}  // namespace tranchex
