// The French texts of "plexo dump" and "plexo check", in one place. printf-style
// fields are filled with format().
#pragma once

namespace plexo::dumpstrings {

// Files that cannot be read as containers.
inline constexpr const char* kCannotOpen = "Impossible d'ouvrir '%s'";
inline constexpr const char* kTooShort = "'%s' est trop court pour un fichier Plexo (%ld octets).";
inline constexpr const char* kNotPlexo = "'%s' n'est pas un fichier Plexo (signature incorrecte).";
// The container.
inline constexpr const char* kHeaderCut =
    "Enregistrement à l'offset %ld : en-tête coupé par la fin du fichier.";
inline constexpr const char* kNegativeSize = "Enregistrement à l'offset %ld : taille négative (%ld).";
inline constexpr const char* kPastEnd =
    "Enregistrement à l'offset %ld : sa taille (%ld) dépasse la fin du fichier.";
inline constexpr const char* kBadFreeFlag = "Enregistrement à l'offset %ld : indicateur libre invalide (%d).";
inline constexpr const char* kUnknownFileKind = "Type de fichier inconnu '%c', version %ld.";
inline constexpr const char* kDuplicate = "Enregistrement (%d, %ld) en double à l'offset %ld.";
// Records.
inline constexpr const char* kRecordDamaged = "Enregistrement (%d, %ld) à l'offset %ld : %s.";
inline constexpr const char* kUnknownRecordType = "type d'enregistrement inconnu %d";
inline constexpr const char* kLeftOver = "%ld octets inattendus après la fin des données";
inline constexpr const char* kNoHeader = "En-tête du document absent (enregistrement (0, 0)).";
inline constexpr const char* kDamagedAt = "données tronquées ou incohérentes (octet %ld)";
inline constexpr const char* kUnknownKindAt = "type d'objet inconnu %d (octet %ld)";
inline constexpr const char* kListWithoutEnd = "liste d'objets sans marque de fin (octet %ld)";
inline constexpr const char* kTreeWithoutEnd = "arbre sans marque de fin (octet %ld)";

} // namespace plexo::dumpstrings
