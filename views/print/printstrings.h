// The texts of printing, its preview and the whole-document PDF.
#pragma once

namespace plexo::printstrings {

inline constexpr const char* kProgressCaption = "Impression";
// The progress dialog: the page, then the job's title and the printer.
inline constexpr const char* kProgressText = "Impression en cours page %d de\n'%s' vers\n%s";
inline constexpr const char* kCancelled = "Impression annulée";
inline constexpr const char* kNoPrinter = "Impossible d'imprimer sans une imprimante par défaut.";
inline constexpr const char* kPrintFailed = "Impossible d'imprimer '%s' : l'imprimante a refusé le travail.";
inline constexpr const char* kPrintDialogTitle = "Imprimer";
inline constexpr const char* kPrintToFile = "Imprimer dans un fichier (PDF)";
inline constexpr const char* kPreviewTitle = "Aperçu avant impression";
inline constexpr const char* kCancelButton = "Annuler";
inline constexpr const char* kPdfWriteFailed = "Impossible d'écrire %s.";
inline constexpr const char* kPdfOutlineFailed = "Impossible d'ajouter les signets à %s : %s";
inline constexpr const char* kNoFolio = "Le document n'a aucun folio.";

} // namespace plexo::printstrings
