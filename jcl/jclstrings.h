// The messages of the JCL reverse-documentation, in one place (UTF-8).
#pragma once

namespace plexo::jcltext {

inline constexpr const char* kImporting = "Importation de %s";
inline constexpr const char* kCannotRead = "*** Impossible de lire le fichier";
inline constexpr const char* kNotCompatible = "*** Le fichier n'est pas compatible";
inline constexpr const char* kReadError = "*** Erreur de lecture";
// File statements after the last EXEC of a job have no program to be drawn with.
inline constexpr const char* kFileWithoutStep = "Attention, fichier sans programme ignoré : %s";

// The flowchart drawing: the phase titles (also the progress gauges' titles),
// its errors and the folio's fields.
inline constexpr const char* kCreatingDocument = "Création du document";
inline constexpr const char* kPlacing = "Mise en place des objets";
inline constexpr const char* kCreatingObjects = "Création des objets";
inline constexpr const char* kCreatingLinks = "Création des liaisons";
inline constexpr const char* kCreatingWires = "Création des fils";
inline constexpr const char* kOptimising = "Optimisations";
inline constexpr const char* kImported = "Importation réussie";
inline constexpr const char* kUnknownFile = "*** Fichier de type inconnu";
inline constexpr const char* kTooManyFiles = "*** Nombre de fichiers trop grand !";
inline constexpr const char* kCannotLoadSymbol = "*** Impossible de charger le symbole !";
inline constexpr const char* kAuthor = "Plexo";
inline constexpr const char* kTitle = "Rétro-documentation automatique";
inline constexpr const char* kLabelSymbol = "Etiquette";

} // namespace plexo::jcltext
