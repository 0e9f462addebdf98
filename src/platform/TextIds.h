#pragma once
// The ids of the language texts (resources/texts.fr.txt), by the form or area that shows them.
// Code fetches a text by its name here, never by a bare number. An id the code does not read yet
// may be named all the same; every id keeps its line in the table whether or not it is named.

namespace tranchex::TextId {

// The main window: its caption, menu items and tool buttons, named after the controls.
namespace MainForm {
inline constexpr int AppTitle = 0;  // the caption, and the caption of every message box
inline constexpr int Fichier = 1;
inline constexpr int Nouveau = 2;
inline constexpr int Ouvrir = 3;
inline constexpr int Enregistrer = 4;
inline constexpr int Enre = 5;
inline constexpr int Quitter = 6;
inline constexpr int Modifier = 7;
inline constexpr int Options = 8;
inline constexpr int GestionnaireDesEssences = 9;
inline constexpr int Unites = 10;
inline constexpr int AideTranchex = 11;
inline constexpr int AproposdeTranchex = 12;
inline constexpr int Imprimer = 61;
inline constexpr int Edition = 68;
inline constexpr int Supprimer = 69;
inline constexpr int SBtnFiche = 79;
inline constexpr int SBtnFicheHint = 80;
inline constexpr int Exporter = 81;
inline constexpr int Recap = 89;
inline constexpr int PagePresentationdeTranchex = 100;
inline constexpr int OptionsGl = 142;
inline constexpr int SiteInternetAuteur = 177;
inline constexpr int GestionnaireDesDimensions = 183;
// "Dimensions des ": followed by the plural word for parts or panels in the two size managers.
inline constexpr int DimensionsOf = 184;
inline constexpr int Importer = 187;
inline constexpr int Etiquettes = 216;
inline constexpr int Affichage = 235;
inline constexpr int VideosDemonstrationTranchex = 260;
inline constexpr int GestionDesignationsPieces = 268;
inline constexpr int SBtnModeAffPanneauxHint = 272;
inline constexpr int ImportationFichesDebit = 307;
inline constexpr int MiseANiveau = 319;
}  // namespace MainForm

// The words for a panel and a part; the user may put others in the options.
namespace Words {
inline constexpr int WordPanels = 13;
inline constexpr int WordParts = 14;
inline constexpr int WordPanel = 74;
inline constexpr int WordPart = 75;
}  // namespace Words

// Column titles and the words that describe a part or a panel: lists, plan headings, the cutting
// sheet, printouts, imports and exports.
namespace Columns {
inline constexpr int TextLength = 41;
inline constexpr int TextWidth = 42;
inline constexpr int TextCount = 44;
inline constexpr int TextThickness = 45;
inline constexpr int TextSpecies = 46;
inline constexpr int TextScale = 66;  // first word of a plan's scale label
inline constexpr int TextDesignation = 76;
inline constexpr int TextGrain = 82;
inline constexpr int TextReference = 83;
inline constexpr int TextNotSpecified = 148;
inline constexpr int TextTargetPanel = 230;
}  // namespace Columns

// The grain directions, in grain-value order 0, 1, 2.
namespace Grain {
inline constexpr int Horizontal = 51;
inline constexpr int Vertical = 52;
inline constexpr int Indifferent = 53;
}  // namespace Grain

// Messages of the main window's commands and of the settings files.
namespace Messages {
inline constexpr int MsgSaveChanges = 101;
inline constexpr int MsgNotSaved = 102;
inline constexpr int MsgNewJobError = 103;
inline constexpr int MsgNewJobCancelled = 104;
inline constexpr int MsgOpenError = 126;
inline constexpr int MsgOpenCancelled = 127;
inline constexpr int MsgExportTitle = 130;
inline constexpr int MsgExportBadExtension = 131;
inline constexpr int MsgExportBadExtensionEnd = 132;
inline constexpr int MsgExportDone = 133;
inline constexpr int MsgExportCancelled = 134;
inline constexpr int MsgDeleteTitle = 135;
inline constexpr int MsgDeleteConfirm = 136;
inline constexpr int MsgWebPageCaption = 178;
inline constexpr int MsgBrowserFailed = 182;
inline constexpr int MsgImportTitle = 188;
inline constexpr int MsgImportCancelled = 192;
inline constexpr int MsgTypeAddress = 214;
inline constexpr int MsgReadOnlyFile = 215;
inline constexpr int MsgConnectionError = 226;
inline constexpr int MsgUpdateTitle = 232;
inline constexpr int MsgUpdatePageFailed = 233;
inline constexpr int MsgUpdateDownload = 234;
inline constexpr int MsgFileLocked = 265;
// After a print without a dialog into a file, followed by the file.
inline constexpr int MsgPrintedToFile = 480;
}  // namespace Messages

// The offcut export: the title of its options (also the menu item's caption) and the default
// name of the file it writes.
namespace OffcutExport {
inline constexpr int TextOffcutFileName = 276;
inline constexpr int TextOffcutExport = 312;
}  // namespace OffcutExport

// The help page and the web pages of the help menu.
namespace HelpPage {
// "Le fichier d'aide de Tranchex est introuvable :\n", followed by the page's path.
inline constexpr int PageMissing = 460;
}  // namespace HelpPage
// The update and upgrade page windows: their captions, and the words of the window that shows a
// page's address (the program embeds no browser).
namespace PageWindows {
inline constexpr int UpdateCaption = 232;   // "Nouvelle mise à jour détectée"
inline constexpr int UpgradeCaption = 319;  // "Mise à niveau de Tranchex", also the menu item
inline constexpr int LblPage = 461;
inline constexpr int BtnOuvrir = 462;
inline constexpr int BtnFermer = 463;
}  // namespace PageWindows
namespace WebPages {
inline constexpr int SiteInternetAuteur = 180;          // the addresses of the three pages
inline constexpr int PagePresentationdeTranchex = 181;
inline constexpr int VideosDemonstrationTranchex = 259;
}  // namespace WebPages

// The about box.
namespace AboutForm {
inline constexpr int Caption = 62;
inline constexpr int LblRens = 63;  // the product name, the version, a line of description
inline constexpr int BtnOk = 36;
}  // namespace AboutForm

// The job summary window.
namespace SummaryForm {
inline constexpr int Title = 137;
inline constexpr int TotalAreaOf = 55;
inline constexpr int WasteRateName = 56;
inline constexpr int CutLength = 92;
inline constexpr int NumberOf = 93;
inline constexpr int WasteArea = 139;
inline constexpr int WasteRate = 149;
inline constexpr int Per = 292;
inline constexpr int CutLengthName = 320;
inline constexpr int WasteAreaName = 321;
inline constexpr int EdgeBanding = 322;
inline constexpr int Print = 141;
inline constexpr int Ok = 36;
inline constexpr int OffcutList = 275;
}  // namespace SummaryForm

// The offcut filter form.
namespace OffcutFilterForm {
inline constexpr int Caption = 276;
inline constexpr int ByDimensions = 277;
inline constexpr int DimensionsNote = 278;
inline constexpr int BySurface = 279;
inline constexpr int SurfaceNote = 280;
inline constexpr int Length = 41;
inline constexpr int Width = 42;
inline constexpr int Surface = 281;
inline constexpr int In = 47;
inline constexpr int BadLength = 113;
inline constexpr int BadWidth = 114;
inline constexpr int BadSurface = 291;
inline constexpr int Missing = 293;
}  // namespace OffcutFilterForm

// The offcut list window.
namespace OffcutListForm {
inline constexpr int Export = 286;
inline constexpr int BadExtension = 131;
inline constexpr int BadExtensionEnd = 132;
inline constexpr int Done = 133;
inline constexpr int Cancelled = 134;
}  // namespace OffcutListForm

// The panel display-mode dialog.
namespace PanelDisplayModeForm {
inline constexpr int Caption = 272;
inline constexpr int BtnOk = 36;
inline constexpr int RbtnAffPieces = 273;
inline constexpr int RbtnAffTraitsCoupe = 274;
}  // namespace PanelDisplayModeForm

// The job kind form.
namespace JobKindForm {
inline constexpr int Caption = 22;
inline constexpr int GpbDebitSimple = 23;
inline constexpr int GpbDebitComplexe = 24;
inline constexpr int RbtnDebitSimple = 64;
inline constexpr int Label1 = 242;  // continues RbtnDebitSimple
inline constexpr int RbtnDebitComplexe = 65;
inline constexpr int Label2 = 243;  // continues RbtnDebitComplexe
inline constexpr int LblMargesDiff = 84;
inline constexpr int LblLongeurLargeur = 85;
inline constexpr int LblEpaisseur = 86;
inline constexpr int LblAide = 88;
inline constexpr int btnOk = 36;
inline constexpr int btnAnnul = 37;
}  // namespace JobKindForm

// The optimisation criteria form.
namespace OptimisationForm {
inline constexpr int Caption = 251;
inline constexpr int RgpSelCritOptim = 252;
inline constexpr int LblCritOptim = 253;
inline constexpr int RbtnSurface = 254;
inline constexpr int RbtnLongueur = 255;
inline constexpr int RbtnLargeur = 256;
inline constexpr int RgpSelNouvPan = 315;
inline constexpr int LblSelNouvPan = 316;
inline constexpr int RbtnPlusPetit = 317;
inline constexpr int RbtnPlusGrand = 318;
inline constexpr int BtnOk = 36;
}  // namespace OptimisationForm

// The unit of measure form: the captions of its buttons and the units' abbreviations.
namespace UnitForm {
inline constexpr int Caption = 18;
inline constexpr int RbtnMillimetre = 19;
inline constexpr int RbtnCentimetre = 20;
inline constexpr int RbtnPouce = 21;
inline constexpr int RbtnMetre = 94;
inline constexpr int Millimetres = 48;  // "mm"
inline constexpr int Centimetres = 49;  // "cm"
inline constexpr int Inches = 50;       // "pouces"
inline constexpr int Metres = 15;       // "m"
}  // namespace UnitForm

// The general options form. The words of the panels and parts go between the grain caption's
// two pieces and after the default size labels.
namespace OptionsForm {
inline constexpr int Caption = 142;
inline constexpr int LblMaxLongueur = 143;
inline constexpr int LblMaxLargeur = 144;
inline constexpr int LblLongueurDefaut = 98;  // then the panel word, " en " and the unit
inline constexpr int LblLargeurDefaut = 99;
inline constexpr int In = 47;  // " en "
inline constexpr int GpbPanneaux = 145;
inline constexpr int GpbPieces = 146;
inline constexpr int Singular = 35;
inline constexpr int Plural = 174;
inline constexpr int ChkBoxMarge = 95;
inline constexpr int SensFilStart = 96;   // then the panels word
inline constexpr int SensFilMiddle = 97;  // then the parts word and ")"
inline constexpr int BtnParamDefaut = 175;
inline constexpr int ChkBoxCriteresOptimisation = 257;
inline constexpr int BtnOK = 36;
inline constexpr int LblMarge = 296;
inline constexpr int LblMargeEp = 297;
inline constexpr int LblTraitScie = 298;
inline constexpr int GpbMarges = 299;  // then the unit
inline constexpr int WordLength = 17;  // a word of no character or too many
inline constexpr int WordNotStorable = 120;
}  // namespace OptionsForm

// The display options form.
namespace DisplayForm {
inline constexpr int Caption = 193;
inline constexpr int GpbRecap = 194;
inline constexpr int RecapInUnit = 195;
inline constexpr int RecapInMetres = 196;
inline constexpr int GpbPlanCoupe = 197;
inline constexpr int Label1 = 198;
inline constexpr int RbtnFiniesSeul = 199;
inline constexpr int RbtnNettesSeul = 200;
inline constexpr int LblNettes = 201;
inline constexpr int LblFinies = 202;
inline constexpr int GpbTraitsCoupe = 287;
inline constexpr int Label2 = 288;
inline constexpr int RbtnNumSeul = 289;
inline constexpr int RbtnNumDim = 290;
inline constexpr int BtnOk = 36;
}  // namespace DisplayForm

// The margin and kerf form, and the differentiated margins form (which shows its messages with
// the same texts).
namespace MarginsForm {
inline constexpr int Caption = 29;
inline constexpr int LblMarge = 30;      // "Valeur de la marge", then " en " and the unit
inline constexpr int LblTraitScie = 31;  // "Epaisseur du trait de scie", then " en " and the unit
inline constexpr int In = 47;            // " en "
inline constexpr int Label1 = 54;        // what the hatched part of the picture stands for
inline constexpr int BtnOk = 36;
// A margin with which a part no longer fits: the margin message, a line break, NoLongerFits1,
// the parts word, NoLongerFits2, the panel word and " !".
inline constexpr int NoLongerFits1 = 172;
inline constexpr int NoLongerFits2 = 173;
inline constexpr int NothingEnteredCaption = 121;
inline constexpr int NothingEntered = 122;  // the question when every field is empty
}  // namespace MarginsForm

namespace MultipleMarginsForm {
inline constexpr int Caption = 87;
inline constexpr int LblLongueur = 41;
inline constexpr int LblLargeur = 42;
inline constexpr int LblEpaisseur = 45;
}  // namespace MultipleMarginsForm

// The species manager. Its question when OK finds a new name in the field is a text of the
// program, not of the table.
namespace SpeciesForm {
inline constexpr int Caption = 58;
inline constexpr int BtnAjouter = 59;
inline constexpr int BtnSupprimer = 60;
inline constexpr int BtnOK = 36;
inline constexpr int SpeciesInUse = 401;     // a species the open job uses is not deleted
inline constexpr int NameTooLong = 402;      // over 49 characters
inline constexpr int NameNotStorable = 403;  // a character the species file cannot hold
}  // namespace SpeciesForm

// The standard dimensions manager. The caption of its thickness box is a text of the program.
namespace DimensionsForm {
inline constexpr int Caption = 186;  // also the caption of the add question
inline constexpr int LblLongueur = 41;
inline constexpr int LblLargeur = 42;
inline constexpr int LblEpaisseur = 45;
inline constexpr int BtnAjouter = 59;
inline constexpr int BtnSupprimer = 60;
inline constexpr int BtnOK = 36;
inline constexpr int WidthAboveLength = 213;
inline constexpr int AddQuestion = 270;
}  // namespace DimensionsForm
// The stock panel entry form: its captions, the hints of its size buttons and the pieces of its
// messages (the panel and part words go between the pieces).
namespace PanelForm {
inline constexpr int Caption = 32;           // "Sélection des " + the panels word
inline constexpr int LblLongueur = 41;
inline constexpr int LblLargeur = 42;
inline constexpr int LblSens = 43;
inline constexpr int LblNb = 44;
inline constexpr int LblEpaisseur = 45;
inline constexpr int LblEssence = 46;
inline constexpr int InUnit = 47;            // " en ", between a size label and the unit
inline constexpr int BtnAnnul = 37;
inline constexpr int BtnTerminer = 38;
inline constexpr int BtnPred = 39;
inline constexpr int BtnSuivant = 40;
inline constexpr int ChbNbPanneaux = 33;
inline constexpr int GpbDebitComplexe = 24;
inline constexpr int BtnNouveau = 77;
inline constexpr int BtnSupprimer = 60;
inline constexpr int BtnPremier = 294;
inline constexpr int BtnDernier = 295;
inline constexpr int BitBtnLongueurHint = 16;
inline constexpr int BitBtnLargeurHint = 301;
inline constexpr int BitBtnEpaisseurHint = 302;
inline constexpr int NewSpeciesCaption = 115;
inline constexpr int NewSpeciesQuestion = 116;
// "Vous n'avez apporté aucune modification au format de ce " panel ". Voulez-vous le
// conserver ?"
inline constexpr int UntouchedStart = 128;
inline constexpr int UntouchedEnd = 171;
// "Modification non valide pour ce " panel " car une au moins des " parts " que vous avez
// saisi ne peut plus être insérée dans aucun " panel " !"
inline constexpr int EditInvalidStart = 91;
inline constexpr int PartsOf = 172;
inline constexpr int NoPanelTakes = 173;
// "Modification non valide de la liste des " panels, then as above.
inline constexpr int ListInvalidStart = 237;
// "Pour pouvoir apporter ces modifications à ce " panel " vous devez d'abords supprimer la ou
// les " parts " qui y sont associées."
inline constexpr int RemovePartsStart = 244;
inline constexpr int RemovePartsMiddle = 245;
inline constexpr int RemovePartsEnd = 246;
inline constexpr int DeleteCaption = 247;
// "Attention !\nAu moins une des " parts " que vous avez saisi ne peut être insérée dans aucun
// autre " panel ".\n\nVoulez vous vraiment supprimer ce " panel " ?"
inline constexpr int DeleteStart = 248;
inline constexpr int DeleteMiddle = 249;
inline constexpr int DeleteEnd = 250;
inline constexpr int LengthBelowWidth = 261;
}  // namespace PanelForm

// The part entry form.
namespace PartForm {
inline constexpr int Caption = 34;  // "Sélection des " + the parts word
inline constexpr int LblReference = 83;
inline constexpr int LblDesignation = 76;
inline constexpr int ChbNbPieces = 33;
inline constexpr int DesignationTooLong = 17;
inline constexpr int InvalidReferenceText = 119;
inline constexpr int InvalidDesignationText = 120;
inline constexpr int ThicknessAboveStock = 123;
// "Vous devez saisir un format valide pour la " part ", c'est à dire, permettant son insertion
// dans au moins l'un des " panels " que vous avez sélectionnés !"
inline constexpr int RefusalStart = 124;
inline constexpr int RefusalMiddle = 109;
inline constexpr int RefusalEnd = 110;
// "Vous n'avez saisi aucune valeur pour la longueur et la largeur de cette " part ". Voulez-vous
// la conserver et saisir les valeurs manquantes ?"
inline constexpr int UntouchedStart = 125;
inline constexpr int UntouchedEnd = 129;
inline constexpr int SwapCaption = 203;
inline constexpr int SwapQuestion = 204;  // "val1": the part word, "val2": the panel word
inline constexpr int ReferenceEmpty = 238;
inline constexpr int ReferenceTooLong = 239;
inline constexpr int ReferenceInUse = 240;
inline constexpr int SpeciesNotInStock = 262;
inline constexpr int GrainRangeText = 266;
// The hints of the picker buttons (the size buttons take the panel form's).
inline constexpr int BitBtnDesignationHint = 303;
inline constexpr int BitBtnEpaisseurHint = 304;
inline constexpr int BitBtnEssenceHint = 305;
inline constexpr int BitBtnSensHint = 306;
}  // namespace PartForm

// The part designations manager, and its question about a designation typed but not added.
namespace DesignationsForm {
inline constexpr int Caption = 268;  // also the caption of the question
inline constexpr int BtnAjouter = 59;
inline constexpr int BtnSupprimer = 60;
inline constexpr int BtnOK = 36;
inline constexpr int AddQuestion = 269;
}  // namespace DesignationsForm

// The panel characteristics picker of the part form.
namespace CharacteristicsForm {
inline constexpr int Caption = 313;
inline constexpr int Instruction = 314;
inline constexpr int LblEssence = 46;
inline constexpr int LblSens = 82;
inline constexpr int LblEpaisseur = 45;
}  // namespace CharacteristicsForm

// The form that asks what to modify in the job.
namespace ModifyForm {
inline constexpr int Caption = 25;
inline constexpr int PanelsStart = 26;  // "Modifier les " + the panels word
inline constexpr int PartsStart = 27;   // "Modifier les " + the parts word
inline constexpr int ChbModifMarge = 28;
inline constexpr int ChkBoxCriteresOptimisation = 257;
inline constexpr int BtnOk = 36;
}  // namespace ModifyForm

// The refusals of a checked numeric field: the warning box's caption, each field's own text and
// the range text ("... entre val1 et val2 ...").
namespace FieldChecks {
inline constexpr int Caption = 112;
inline constexpr int InvalidMargin = 105;
inline constexpr int InvalidKerf = 106;
inline constexpr int InvalidCount = 107;
inline constexpr int InvalidThickness = 108;
inline constexpr int InvalidLength = 113;
inline constexpr int InvalidWidth = 114;
inline constexpr int RangeText = 118;
}  // namespace FieldChecks

// The label formats form.
namespace LabelForm {
inline constexpr int Caption = 216;
inline constexpr int LblCommentaire = 217;
inline constexpr int LblReference = 83;
inline constexpr int GrpbxDescription = 218;
inline constexpr int LblHauteur = 219;
inline constexpr int LblLargeur = 42;
inline constexpr int LblMargeHaut = 220;
inline constexpr int LblMargeBas = 221;
inline constexpr int LblPasVertical = 222;
inline constexpr int LblPasHorizontal = 223;
inline constexpr int BtnImprimer = 141;
inline constexpr int BtnAjouter = 59;
inline constexpr int BtnSupprimer = 60;
inline constexpr int BtnQuitter = 224;
}  // namespace LabelForm

// The export choice form.
namespace ExportForm {
inline constexpr int Caption = 209;
inline constexpr int RbtnFiche = 210;
inline constexpr int RbtnDebit = 211;
inline constexpr int Label1 = 212;
inline constexpr int BtnOk = 36;
inline constexpr int BtnAnnuler = 37;
}  // namespace ExportForm

// The import form: the file layout it describes, the headings box and the file's unit (a list
// kept hidden).
namespace ImportForm {
inline constexpr int Caption = 188;  // also the caption of the import's messages
inline constexpr int GroupBox = 189;
inline constexpr int Label = 190;  // the layout a file must have
inline constexpr int CbxEntetes = 191;
inline constexpr int BtnOK = 36;
inline constexpr int BtnAnnuler = 37;
inline constexpr int LblUnite = 258;
inline constexpr int Millimetre = 19;
inline constexpr int Centimetre = 20;
inline constexpr int Pouce = 21;
inline constexpr int Metre = 94;
inline constexpr int InchAbbreviation = 57;  // "pouces"
inline constexpr int UnitDiffers = 267;      // the file's unit is not the program's
inline constexpr int Cancelled = 192;        // "Importation annulée !"
}  // namespace ImportForm

// The import column options form: the column of each field of a part line, the default grain,
// what the import may add to the reference lists and the file's unit.
namespace ImportOptionsForm {
inline constexpr int Caption = 188;
inline constexpr int MessageCaption = 307;  // caption of the form's own questions
inline constexpr int LblAjouts = 308;       // "Lors de l'importation ..., Tranchex peut :"
inline constexpr int LblEssences = 309;
inline constexpr int LblDesignations = 310;
inline constexpr int LblDimensions = 311;
inline constexpr int BtnOk = 36;
inline constexpr int LblDescription = 330;
inline constexpr int Automatique = 331;
inline constexpr int Renseignee = 332;
inline constexpr int LblColonne = 333;
inline constexpr int LblValDefautSens = 334;
inline constexpr int GrpBxSens = 43;  // "Sens"
// The confirmation OK asks: SummaryStart, then per given column SummaryColumn, the number,
// " - ", the number, " : " and the title, then per automatic field its title and
// SummaryAutomatic (the grain: SummaryDefaultGrain with "valdef" replaced by the grain word),
// and SummaryEnd.
inline constexpr int SummaryStart = 324;
inline constexpr int SummaryColumn = 325;
inline constexpr int SummaryAutomatic = 326;
inline constexpr int SummaryEnd = 327;
inline constexpr int SummaryDefaultGrain = 328;
inline constexpr int NoDefaultGrain = 329;
inline constexpr int UnitDiffers = 267;
}  // namespace ImportOptionsForm

// "1.6": the text of the job-file tag. The job file does not read it: its tag is a constant of
// the file code, so that no edit of the texts can change the file format.
// The program's version: the update key is the product's name (text 0) followed by it.
namespace Version {
inline constexpr int VersionText = 264;
}  // namespace Version

namespace JobFile {
inline constexpr int TagText = 73;
}  // namespace JobFile

}  // namespace tranchex::TextId
