// The messages of the JCL reverse-documentation, in one place (UTF-8).
#pragma once

namespace plexo::jcltext {

inline constexpr const char* kImporting = "Importation de %s";
inline constexpr const char* kCannotRead = "*** Impossible de lire le fichier";
inline constexpr const char* kNotCompatible = "*** Le fichier n'est pas compatible";
inline constexpr const char* kReadError = "*** Erreur de lecture";
// File statements after the last EXEC of a job have no program to be drawn with.
inline constexpr const char* kFileWithoutStep = "Attention, fichier sans programme ignoré : %s";

} // namespace plexo::jcltext
