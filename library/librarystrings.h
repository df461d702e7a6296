// The library files' own messages (damaged tails, read-only libraries, the file
// of a renamed or deleted library), in one place. The tree's creation and name
// messages are in store/storestrings.h. printf-style fields are filled with format().
#pragma once

#include "base/format.h"

namespace plexo::strings {

inline constexpr const char* kLibraryTailCut =
    "Attention, la librairie '%s' se termine par un enregistrement endommagé (octet %lld) : "
    "l'original est gardé dans '%s' et la fin illisible est retirée.";
inline constexpr const char* kLibraryTailKept =
    "Attention, la librairie '%s' se termine par un enregistrement endommagé (octet %lld) : "
    "elle est ouverte en lecture seule.";
inline constexpr const char* kLibraryReadOnly =
    "La librairie « %s » est en lecture seule : elle ne peut pas être modifiée.";
inline constexpr const char* kLibraryFileExists =
    "Le fichier « %s » existe déjà : la librairie ne peut pas prendre ce nom.";
inline constexpr const char* kNotAFileName = "« %s » ne peut pas servir de nom de fichier.";
inline constexpr const char* kLibraryInUse =
    "La librairie « %s » est utilisée : elle ne peut pas être renommée.";
inline constexpr const char* kCannotRenameLibrary = "Impossible de renommer le fichier de librairie « %s ».";
inline constexpr const char* kCannotSaveTree = "Impossible d'enregistrer l'arbre de la librairie « %s ».";
inline constexpr const char* kCannotDeleteLibrary = "Impossible de supprimer le fichier de librairie « %s ».";

using ::plexo::format;

} // namespace plexo::strings
