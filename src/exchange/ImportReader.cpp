#include "exchange/ImportReader.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "engine/Records.h"
#include "job/ColumnLetters.h"
#include "job/JobRecordChecks.h"
#include "job/NumberEntry.h"
#include "job/Outils_debit.h"
#include "job/SettingsFiles.h"
#include "platform/Cp1252.h"
#include "platform/FileIO.h"
#include "platform/TextIds.h"
#include "platform/Texts.h"

namespace tranchex {
namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// One field of a record, as the file holds it once quotes and carriage returns are gone.
struct Field {
  std::string Text;
  int Line = 0;  // where the field starts
};

struct Record {
  std::vector<Field> Fields;
  int Line = 0;
};

// A fault met while the file is read; thrown inside this file only and turned into ImportError.
struct Refusal {
  ImportError Error;
};

[[noreturn]] void Refuse(int line, int column, std::string title, std::string reason) {
  throw Refusal{ImportError{line, column, std::move(title), std::move(reason)}};
}

bool IsValidUtf8(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (!DecodeUtf8(text, pos)) return false;
  }
  return true;
}

// The file as UTF-8 text: a byte order mark, or valid UTF-8, makes it UTF-8; any other file is
// Windows-1252.
std::string DecodeFileText(std::string_view bytes) {
  if (bytes.size() > kMaxImportFileBytes) {
    Refuse(0, 0, {}, "Le fichier est trop volumineux (plus de 16 Mo).");
  }
  if (bytes.find('\0') != std::string_view::npos) {
    Refuse(0, 0, {},
           "Le fichier contient des octets nuls : ce n'est pas un fichier texte lisible (fichier "
           "binaire, ou texte Unicode UTF-16). Enregistrez-le au format csv, en UTF-8 ou en "
           "Windows-1252.");
  }
  if (bytes.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) {
    bytes.remove_prefix(kUtf8ByteOrderMark.size());
    if (!IsValidUtf8(bytes)) {
      Refuse(0, 0, {}, "Le fichier s'annonce en UTF-8 mais contient des octets qui n'en sont pas.");
    }
    return std::string(bytes);
  }
  if (IsValidUtf8(bytes)) return std::string(bytes);
  return Cp1252ToUtf8(bytes);
}

bool IsBlankText(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) > 0x20) return false;
  }
  return true;
}

// Cuts the text into records and fields. Carriage returns are dropped everywhere; a line feed
// ends a record unless it lies inside a quoted field, where it becomes a blank.
std::vector<Record> SplitRecords(std::string_view text, bool headerLine) {
  std::vector<Record> records;
  std::size_t pos = 0;
  int line = 1;
  if (headerLine) {
    const std::size_t end = text.find('\n');
    pos = end == std::string_view::npos ? text.size() : end + 1;
    line = 2;
  }
  const std::size_t n = text.size();
  while (pos < n) {
    Record record;
    record.Line = line;
    bool recordEnds = false;
    while (!recordEnds) {
      Field field;
      field.Line = line;
      if (pos < n && text[pos] == '"') {
        ++pos;
        bool closed = false;
        while (pos < n && !closed) {
          const char c = text[pos++];
          if (c == '"') {
            if (pos < n && text[pos] == '"') {
              field.Text += '"';
              ++pos;
            } else {
              closed = true;
            }
          } else if (c == '\n') {
            field.Text += ' ';
            ++line;
          } else if (c != '\r') {
            field.Text += c;
          }
        }
        if (!closed) {
          Refuse(field.Line, static_cast<int>(record.Fields.size()) + 1, {},
                 "guillemet ouvert jamais refermé");
        }
      }
      // Unquoted text, or what follows a closing quote, up to the separator or the line's end.
      while (pos < n && text[pos] != ';' && text[pos] != '\n') {
        if (text[pos] != '\r') field.Text += text[pos];
        ++pos;
      }
      record.Fields.push_back(std::move(field));
      if (pos < n && text[pos] == ';') {
        ++pos;
      } else {
        if (pos < n) {  // the line feed
          ++pos;
          ++line;
        }
        recordEnds = true;
      }
    }
    bool blank = true;
    for (const Field& f : record.Fields) blank = blank && IsBlankText(f.Text);
    if (!blank) records.push_back(std::move(record));
  }
  return records;
}

// Blanks and control characters removed at both ends.
std::string_view TrimText(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= 0x20) text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= 0x20) text.remove_suffix(1);
  return text;
}

// The first control character of a UTF-8 text (C0, DEL or C1), if any.
std::optional<char32_t> FirstControlCharacter(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::optional<char32_t> c = DecodeUtf8(text, pos);
    if (!c) return std::nullopt;  // the text was checked whole: never
    if (*c < 0x20 || (*c >= 0x7F && *c <= 0x9F)) return c;
  }
  return std::nullopt;
}

// The first `count` characters of a UTF-8 text.
std::string FirstCharacters(std::string_view text, std::size_t count) {
  std::size_t pos = 0;
  for (std::size_t i = 0; i < count && pos < text.size(); ++i) {
    if (!DecodeUtf8(text, pos)) break;  // the text was checked whole: never
  }
  return std::string(text.substr(0, pos));
}

// A number as a cutting sheet writes it: digits with at most one decimal mark, "," or ".",
// blanks around. No sign, no exponent, no group separator.
std::optional<double> ParseSheetNumber(std::string_view text) {
  text = TrimText(text);
  char mark = '.';
  bool marked = false;
  for (char c : text) {
    if (c >= '0' && c <= '9') continue;
    if ((c == ',' || c == '.') && !marked) {
      mark = c;
      marked = true;
      continue;
    }
    return std::nullopt;
  }
  return ParseRegionalNumber(text, mark);
}

// What one record's cells are read with.
class PartReader {
 public:
  PartReader(const ImportRequest& request) : request_(request) {
    for (std::size_t entry = 0; entry < kImportColumnCount; ++entry) {
      if (request.Columns[entry].Given == 1) ++present_;
    }
  }

  ImportedPart Read(const Record& record, std::int32_t position) {
    record_ = &record;
    if (record.Fields.size() == 1 && present_ > 1) RefuseOtherSeparator(record);
    // Empty fields after the last column read are no data: a spreadsheet ends every line with
    // them when one cell far right holds something.
    for (std::size_t i = present_; i < record.Fields.size(); ++i) {
      if (TrimText(record.Fields[i].Text).empty()) continue;
      Refuse(record.Fields[i].Line, static_cast<int>(i) + 1, {},
             "trop de champs : la ligne en compte " + std::to_string(record.Fields.size()) +
                 " et la fiche de débit en lit " + std::to_string(present_) +
                 " au plus (options d'importation)");
    }
    ImportedPart part;
    part.Line = record.Line;

    // An empty reference is given the first free letters once every line is read.
    std::string reference(TrimText(Cell(ImportReferenceEntry)));
    if (!reference.empty()) {
      part.Reference = FirstCharacters(reference, kMaxReferenceLength);
      CheckStorable(ImportReferenceEntry, part.Reference);
      part.ReferenceCell = std::move(reference);
    }

    if (!Given(ImportDesignationEntry)) {
      part.Designation = "Piece" + std::to_string(position);
    } else {
      std::string designation(FilledCell(ImportDesignationEntry));
      CheckName(ImportDesignationEntry, designation, kMaxDesignationLength);
      part.Designation = std::move(designation);
      part.DesignationGiven = true;
    }

    const double count = Number(ImportCountEntry);
    if (count != std::floor(count)) Fault(ImportCountEntry, "le nombre de pièces est un entier");
    if (count > kMaxQuantity) {
      Fault(ImportCountEntry, "au plus " + std::to_string(kMaxQuantity) + " pièces par ligne");
    }
    part.Quantity = static_cast<std::int32_t>(count);

    part.Length = Size(ImportLengthEntry);
    part.Width = Size(ImportWidthEntry);

    if (!Given(ImportThicknessEntry)) {
      part.Thickness = 100.0;
    } else {
      const std::optional<int> tenths = Tenths(ImportThicknessEntry);
      if (!tenths || *tenths > kMaxRecordThickness) {
        Fault(ImportThicknessEntry,
              "épaisseur hors limites : de 0 à " +
                  SizeInFileUnit(kMaxRecordThickness, request_.UnitFactor));
      }
      // A thickness of 0 is a simple job's (its export writes 0).
      part.Thickness = *tenths == 0 ? 100.0 : *tenths;
    }

    if (Given(ImportSpeciesEntry)) {
      std::string species(FilledCell(ImportSpeciesEntry));
      CheckName(ImportSpeciesEntry, species, kMaxSpeciesNameLength);
      part.Species = std::move(species);
      part.SpeciesGiven = true;
    }

    if (!Given(ImportGrainEntry)) {
      part.Grain = request_.DefaultGrain;
    } else {
      const double grain = Number(ImportGrainEntry);
      if (grain != 0.0 && grain != 1.0 && grain != 2.0) {
        Fault(ImportGrainEntry, "le sens du fil est 0 (horizontal), 1 (vertical) ou 2 (indifférent)");
      }
      part.Grain = static_cast<std::int32_t>(grain);
    }

    // Length first: a part given narrower than wide is turned, and its grain with it.
    if (part.Length < part.Width) {
      std::swap(part.Length, part.Width);  // both whole tenths already
      if (part.Grain == GrainHorizontal) {
        part.Grain = GrainVertical;
      } else if (part.Grain == GrainVertical) {
        part.Grain = GrainHorizontal;
      }
    }
    return part;
  }

 private:
  bool Given(std::size_t entry) const { return request_.Columns[entry].Given == 1; }

  // The cell of an entry: the record's field at the entry's column, empty for an entry the file
  // does not give. A line that stops before the column is refused there: it does not run on
  // into the next line, and nothing stands in for what it lacks.
  std::string_view Cell(std::size_t entry) const {
    const OPTION_COL_IMPORT& column = request_.Columns[entry];
    if (column.Given != 1) return {};
    const std::size_t index = static_cast<std::size_t>(column.Column) - 1;
    if (index >= record_->Fields.size()) {
      const std::size_t fields = record_->Fields.size();
      Fault(entry, "valeur manquante : la ligne compte " + std::to_string(fields) +
                       (fields > 1 ? " champs" : " champ") + " et la fiche de débit en lit " +
                       std::to_string(present_) + " (options d'importation)");
    }
    return record_->Fields[index].Text;
  }

  // The trimmed cell of a given entry, refused when it is empty: nothing stands in for a value
  // the file leaves out.
  std::string FilledCell(std::size_t entry) const {
    const std::string_view cell = TrimText(Cell(entry));
    if (cell.empty()) Fault(entry, "valeur manquante");
    return std::string(cell);
  }

  // A line without any ";" cannot give the columns a part needs: when it holds tabs or commas,
  // the file was most likely saved with another separator.
  static void RefuseOtherSeparator(const Record& record) {
    const std::string& text = record.Fields.front().Text;
    const char* found = text.find('\t') != std::string::npos ? "des tabulations"
                        : text.find(',') != std::string::npos ? "des virgules"
                                                              : nullptr;
    if (found == nullptr) return;
    Refuse(record.Line, 0, {},
           std::string("la ligne ne contient aucun « ; » mais ") + found +
               " : les colonnes d'une fiche de débit sont séparées par « ; » (enregistrez le "
               "fichier au format csv avec le point-virgule comme séparateur)");
  }

  [[noreturn]] void Fault(std::size_t entry, std::string reason) const {
    const OPTION_COL_IMPORT& column = request_.Columns[entry];
    const std::size_t index = static_cast<std::size_t>(column.Column) - 1;
    const int line =
        index < record_->Fields.size() ? record_->Fields[index].Line : record_->Line;
    Refuse(line, column.Column, column.Title, std::move(reason));
  }

  // A cell that must hold a number: present, not blank, digits with one decimal mark at most.
  double Number(std::size_t entry) const {
    const std::string cell = FilledCell(entry);
    const std::optional<double> value = ParseSheetNumber(cell);
    if (!value) {
      Fault(entry, "« " + cell +
                       " » n'est pas un nombre (des chiffres, et « , » ou « . » pour les "
                       "décimales)");
    }
    return *value;
  }

  std::string SizeRange() const {
    return "dimension hors limites : plus de 0 et au plus " +
           SizeInFileUnit(kMaxRecordSize, request_.UnitFactor);
  }

  // The number x the file unit, rounded half away from zero to whole tenths of a millimetre as
  // every typed size is: "28,366" inches is the 7205 tenths it was written from, never 7204,964
  // tenths that the layout would cut a tenth short. Nothing when no int holds it.
  std::optional<int> Tenths(std::size_t entry) const {
    return RoundHalfAway(Number(entry) * request_.UnitFactor);
  }

  // A length or width: above 0 and within the job's bounds once in whole tenths.
  double Size(std::size_t entry) const {
    const std::optional<int> value = Tenths(entry);
    if (!value || *value <= 0 || *value > kMaxRecordSize) Fault(entry, SizeRange());
    return *value;
  }

  // A text kept in the job: no control character (C0, DEL, C1: a tab, or a byte such as 0x81
  // that Windows-1252 leaves undefined), which no list or plan can show, and characters of
  // Windows-1252.
  void CheckStorable(std::size_t entry, const std::string& text) const {
    if (std::optional<char32_t> control = FirstControlCharacter(text)) {
      char code[8];
      std::snprintf(code, sizeof code, "%02X", static_cast<unsigned>(*control));
      Fault(entry, std::string("le texte contient un caractère de contrôle (code ") + code +
                       ") : retirez-le du fichier");
    }
    if (!IsCp1252Encodable(text)) {
      Fault(entry, "« " + text + " » contient un caractère que le jeu Windows-1252 ne connaît pas");
    }
  }

  // A designation or species: no "/", characters of Windows-1252, at most maxLength of them.
  void CheckName(std::size_t entry, const std::string& text, std::size_t maxLength) const {
    if (text.find('/') != std::string::npos) {
      Fault(entry, "la barre oblique « / » n'est pas admise");
    }
    CheckStorable(entry, text);
    if (CheckStoredText(text, maxLength) == StoredTextFault::TooLong) {
      Fault(entry, "plus de " + std::to_string(maxLength) + " caractères");
    }
  }

  const ImportRequest& request_;
  std::size_t present_ = 0;
  const Record* record_ = nullptr;
};

std::vector<ImportedPart> ReadParts(const ImportRequest& request) {
  if (std::optional<std::string> why = ImportColumnsProblem(request.Columns)) {
    Refuse(0, 0, {}, "Les colonnes des options d'importation ne conviennent pas : " + *why + ".");
  }
  if (!IsUsableUnitFactor(request.UnitFactor)) {
    Refuse(0, 0, {}, "L'unité de mesure du fichier n'est pas valide.");
  }
  if (request.DefaultGrain < 0 || request.DefaultGrain > 2) {
    Refuse(0, 0, {}, "Le sens du fil par défaut n'est pas valide.");
  }
  if (request.Bytes.empty()) Refuse(0, 0, {}, "Le fichier est vide.");
  const std::string text = DecodeFileText(request.Bytes);
  const std::vector<Record> records = SplitRecords(text, request.HeaderLine);
  std::vector<ImportedPart> parts;
  PartReader reader(request);
  std::int64_t copies = 0;
  for (const Record& record : records) {
    if (parts.size() >= static_cast<std::size_t>(kMaxJobParts)) {
      Refuse(record.Line, 0, {},
             "plus de " + std::to_string(kMaxJobParts) + " pièces : un débit n'en compte pas plus");
    }
    ImportedPart part = reader.Read(record, static_cast<std::int32_t>(parts.size()));
    copies += part.Quantity;
    if (copies > kMaxCopies) {
      const OPTION_COL_IMPORT& count = request.Columns[ImportCountEntry];
      Refuse(record.Line, count.Column, count.Title,
             "plus de " + std::to_string(kMaxCopies) + " pièces en tout dans le fichier");
    }
    parts.push_back(std::move(part));
  }
  if (parts.empty()) Refuse(0, 0, {}, "Le fichier ne contient aucune pièce.");
  // Parts without a reference take the first letters no part of the sheet has, in file order.
  FreeLetters letters;
  for (const ImportedPart& part : parts) letters.Take(part.Reference);
  for (ImportedPart& part : parts) {
    if (part.Reference.empty()) part.Reference = letters.Next();
  }
  return parts;
}

}  // namespace

std::optional<std::string> FirstLineAsPart(const ImportRequest& request) {
  if (!request.HeaderLine || ImportColumnsProblem(request.Columns)) return std::nullopt;
  try {
    const std::string text = DecodeFileText(request.Bytes);
    const std::string_view first = std::string_view(text).substr(0, text.find('\n'));
    const std::vector<Record> records = SplitRecords(first, false);
    if (records.empty()) return std::nullopt;
    PartReader reader(request);
    reader.Read(records.front(), 0);
    std::string line(first);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
  } catch (const Refusal&) {
    return std::nullopt;
  }
}

ImportReadResult ReadCuttingSheet(const ImportRequest& request) {
  try {
    return ReadParts(request);
  } catch (const Refusal& refusal) {
    return refusal.Error;
  }
}

std::string SizeInFileUnit(double tenths, double unitFactor) {
  const struct {
    double Factor;
    const char* Name;
  } units[] = {{kMillimetreFactor, "mm"},
               {kCentimetreFactor, "cm"},
               {kInchFactor, "pouces"},
               {kMetreFactor, "m"}};
  for (const auto& unit : units) {
    if (unit.Factor == unitFactor) {
      return FormatSize(tenths, unitFactor, ',') + " " + unit.Name;
    }
  }
  return FormatSize(tenths, kMillimetreFactor, ',') + " mm";
}

std::optional<ReferenceClash> FindReferenceClash(const std::vector<ImportedPart>& parts) {
  std::optional<ReferenceClash> first;
  std::unordered_map<std::string, std::size_t> owner;  // reference -> the first part that has it
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const auto [at, fresh] = owner.emplace(parts[i].Reference, i);
    if (fresh) continue;
    if (!first) {
      const ImportedPart& earlier = parts[at->second];
      first = ReferenceClash{earlier.Line, parts[i].Line, parts[i].Reference,
                             earlier.ReferenceCell, parts[i].ReferenceCell, 0};
    }
    ++first->Count;
  }
  return first;
}

std::string ReferenceClashText(const ReferenceClash& clash) {
  std::string text = "Lignes " + std::to_string(clash.FirstLine) + " et " +
                     std::to_string(clash.Line) + " : la référence « " + clash.Reference +
                     " » désigne deux pièces";
  if (clash.FirstCell != clash.Reference || clash.Cell != clash.Reference) {
    text += " (« " + clash.FirstCell + " » et « " + clash.Cell +
            " » coupées aux trois caractères qu'un débit garde)";
  }
  text += ".";
  if (clash.Count > 1) {
    text += " En tout, " + std::to_string(clash.Count) +
            " pièces ont une référence qu'une ligne précédente porte déjà.";
  }
  return text;
}

void FreeTakenReferences(std::vector<ImportedPart>& parts) {
  FreeLetters letters;
  for (const ImportedPart& part : parts) letters.Take(part.Reference);
  std::unordered_set<std::string> seen;
  for (ImportedPart& part : parts) {
    if (!seen.insert(part.Reference).second) {
      part.Reference = letters.Next();
      seen.insert(part.Reference);
    }
  }
}

std::string ImportRefusalText(const std::string& fault) {
  return LoadString(TextId::Messages::MsgOpenError) + "\n" + fault;
}

std::string ReadImportFile(const std::filesystem::path& path) {
  return ReadFileBytes(path, kMaxImportFileBytes);
}

std::string ImportErrorText(const ImportError& error, bool headerLine) {
  if (error.Line <= 0) return error.Reason;
  std::string text = "Ligne " + std::to_string(error.Line);
  if (error.Column > 0) {
    text += ", colonne " + std::to_string(error.Column);
    if (!error.ColumnTitle.empty()) text += " (" + error.ColumnTitle + ")";
  }
  text += " : " + error.Reason;
  if (error.Line == 1 && !headerLine && error.MayBeTitleLine) {
    text +=
        "\nSi la première ligne du fichier porte les titres des colonnes, cochez la case des "
        "entêtes dans la fenêtre d'importation.";
  }
  return text;
}

}  // namespace tranchex
