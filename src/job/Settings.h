#pragma once
// The settings and reference lists the program keeps between runs, in one struct owned by the
// application and handed by reference to what reads or edits them. The files that hold them are
// read and written by SettingsFiles.h and RecentJobs.h.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "job/MeasureUnit.h"

namespace tranchex {

// One standard size of the panel or part size lists, in internal units.
struct DIMENSIONS {
  std::int32_t Length = 0;
  std::int32_t Width = 0;
  std::int32_t Thickness = 0;
  // The job kind the size serves: 1 simple job (thickness 100), 2 complex job. Set and read by
  // the size manager; the files carry it unchanged.
  std::int32_t Kind = 0;
  friend bool operator==(const DIMENSIONS&, const DIMENSIONS&) = default;
};

// One label-sheet format. The name holds at most 14 characters in its file.
struct ETIQUETTE {
  std::string Name;
  std::int32_t Height = 0;
  std::int32_t Width = 0;
  std::int32_t TopMargin = 0;
  std::int32_t BottomMargin = 0;
  std::int32_t VerticalPitch = 0;
  std::int32_t HorizontalPitch = 0;
  friend bool operator==(const ETIQUETTE&, const ETIQUETTE&) = default;
};

// How one of the eight fields of an imported cutting list is found.
struct OPTION_COL_IMPORT {
  std::int32_t Column = 1;  // 1-based column of the field in an import line
  std::string Title;        // caption of the field (language text), rebuilt on every load
  std::string Key;          // name of the column box of the import-options dialog, rebuilt too
  std::uint8_t Given = 1;   // 1: the file gives the field; 0: the import fills it
  friend bool operator==(const OPTION_COL_IMPORT&, const OPTION_COL_IMPORT&) = default;
};

// One of the five recent jobs: the job file's full path and the name shown in the menu. An
// entry with an empty name is free.
struct DEBITS_RECENTS {
  std::string Path;
  std::string Name;
  friend bool operator==(const DEBITS_RECENTS&, const DEBITS_RECENTS&) = default;
};

inline constexpr std::size_t kRecentJobCount = 5;
using RecentJobList = std::array<DEBITS_RECENTS, kRecentJobCount>;

inline constexpr std::size_t kImportColumnCount = 8;

// The positions of the eight entries of the import column map, in their fixed order.
enum ImportColumnEntry : std::size_t {
  ImportReferenceEntry = 0,
  ImportDesignationEntry = 1,
  ImportCountEntry = 2,
  ImportLengthEntry = 3,
  ImportWidthEntry = 4,
  ImportThicknessEntry = 5,
  ImportSpeciesEntry = 6,
  ImportGrainEntry = 7,
};

// The eight entries of a missing options file: columns 1 to 8, all given, with their keys and
// titles.
std::vector<OPTION_COL_IMPORT> DefaultImportColumns();

struct Settings {
  // ---- Unit of measure ("Unite.dat") ---------------------------------------------------------
  UNITE_MESURE MeasureUnit;

  // ---- Options ("Options.dat"); the initial values are those of a missing file -------------
  double MaxLength = 60000.0;           // largest length accepted in entry
  double MaxWidth = 60000.0;            // largest width accepted in entry
  double DefaultPanelLength = 25000.0;  // proposed for a new stock panel
  double DefaultPanelWidth = 12500.0;
  // What the user calls one panel, several panels, one part, several parts (1 to 20
  // characters). Without an options file they are the language texts 74, 13, 75 and 14.
  std::string WordPanel = "Panneau";
  std::string WordPanels = "Panneaux";
  std::string WordPart = "Pièce";
  std::string WordParts = "Pièces";
  std::uint8_t GrainDirectionEnabled = 1;    // the grain direction is taken into account
  std::uint8_t AskMargins = 1;               // New and Modify show the margins dialog
  std::uint8_t AskOptimisationCriteria = 0;  // New and Modify show the criteria dialog
  // Part dimensions on the plans: 20 overall only, 10 net only, 0 and 1 mixed.
  std::int32_t DimensionDisplayMode = 20;
  // 1: the summary in metres and square metres; 0: in the unit of measure. A missing options
  // file gives 1; a Settings that no options file was loaded into keeps 0.
  std::int32_t SummaryInMetres = 0;
  std::int32_t CutLineLabelMode = 0;  // 0 cut numbers only, 1 numbers and dimensions
  std::int32_t OffcutFilterMode = 0;  // offcut export filter: 0 by dimensions, 1 by surface
  double OffcutMinLength = 2000.0;
  double OffcutMinWidth = 2000.0;
  double OffcutMinSurface = 4000000.0;
  double DefaultMargin = 100.0;           // proposed by the margins dialogs
  double DefaultThicknessMargin = 50.0;   // proposed by the margins dialogs
  std::int32_t DefaultKerf = 30;          // saw kerf proposed by the margins dialogs
  std::uint8_t ImportAddSpecies = 0;       // the import adds unknown species to SpeciesNames
  std::uint8_t ImportAddDesignations = 0;  // ... designations to DesignationNames
  std::uint8_t ImportAddDimensions = 0;    // ... sizes to PartSizes
  std::int32_t ImportDefaultGrain = 1;     // grain of imported parts when the grain is automatic
  // Always eight entries: reference, designation, count, length, width, thickness, species,
  // grain. Filled by the options loader (columns 1 to 8, all given, without a file).
  std::vector<OPTION_COL_IMPORT> ImportColumns = DefaultImportColumns();
  // 1 when the four words came from the options file; 0 when they are the language texts.
  std::uint8_t CustomWordsLoaded = 0;

  // ---- Reference lists -----------------------------------------------------------------------
  // Wood species; job records refer to them by position, so places never move, and each change
  // is on disk ("FEssences.dat") before any record can name it (job/SpeciesList.h).
  std::vector<std::string> SpeciesNames;
  std::vector<std::string> DesignationNames;  // part designations offered by the part dialog
  std::vector<DIMENSIONS> PanelSizes;         // standard panel sizes
  std::vector<DIMENSIONS> PartSizes;          // standard part sizes
  std::vector<ETIQUETTE> LabelFormats;        // label-sheet formats

  // ---- Dirty flags: a set flag makes the shut-down rewrite that file ------------------------
  // (The species file has none: it is written at each change.)
  std::uint8_t OptionsFileDirty = 0;
  std::uint8_t UnitFileDirty = 0;
  std::uint8_t DesignationsFileDirty = 0;
  std::uint8_t PanelSizesDirty = 0;
  std::uint8_t PartSizesDirty = 0;
  std::uint8_t LabelsFileDirty = 0;

  // Names of the files refused when they were loaded (corrupt, too short, too large). Their
  // content never reached the lists, so a saver that replaces one first keeps a copy of it.
  std::vector<std::string> RefusedFiles;

  // ---- Recent jobs ("DBRS.dat") --------------------------------------------------------------
  RecentJobList RecentJobs;
};

}  // namespace tranchex
