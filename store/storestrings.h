// The French texts shown or logged by the storage code (folios, schéma document,
// library tree), in one place. printf-style fields are filled with format().
#pragma once

#include "base/format.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace plexo::strings {

// Folio reading.
inline constexpr const char* kSymbolNotFound = "Attention, impossible de charger de symbole '%s' !";
inline constexpr const char* kSymbolIncorrect = "Attention, symbole %s incorrect !";
inline constexpr const char* kSymbolDataMissing =
    "Attention, objet symbole sans données de symbole, ignoré !";
inline constexpr const char* kObjectListDamaged =
    "*** Liste d'objets endommagée : la lecture s'arrête, les objets lus avant sont conservés.";

// Schéma document.
inline constexpr const char* kLoading = "Chargement de '%s' [%ld]";
inline constexpr const char* kCannotOpenVersion = "Impossible d'ouvrir '%s' [%ld]";
inline constexpr const char* kCannotOpenFile = "Impossible d'ouvrir le fichier";
inline constexpr const char* kCannotCreateTemporary = "Impossible de créer un fichier temporaire";
inline constexpr const char* kSaving = "Sauvegarde de '%s'";
inline constexpr const char* kCannotSave = "Impossible d'enregistrer le fichier";
inline constexpr const char* kCannotStoreFolio =
    "*** Impossible d'écrire les objets du folio '%s' dans '%s' : ils restent en mémoire jusqu'à "
    "la prochaine écriture réussie.";
inline constexpr const char* kSavingProgress = "Enregistrement de '%s'...";
inline constexpr const char* kReadingProgress = "Lecture du folio '%s'...";
inline constexpr const char* kTitleBlockNotFound = "*** Impossible de charger le cartouche !";
inline constexpr const char* kTitleBlockUnusable = "*** Cartouche inutilisable !";
inline constexpr const char* kPresentationTotal = "Total présentation de '%s' : %d:%02d:%02d";
inline constexpr const char* kSchemaTitleSuffix = " (Schéma)";
inline constexpr const char* kUntitledSchema = "Sans titre : Schéma ";
inline constexpr const char* kSymbolTitleSuffix = " (Symbole)";
inline constexpr const char* kFileDamaged =
    "Attention, le fichier '%s' est endommagé : seuls ses %ld premiers octets sont lus ; l'original est "
    "gardé dans '%s'.";
inline constexpr const char* kFileDamagedNoCopy =
    "Attention, le fichier '%s' est endommagé : seuls ses %ld premiers octets sont lus, et aucune copie "
    "n'a pu en être gardée.";
inline constexpr const char* kHeaderDamaged = "*** En-tête du document '%s' endommagé.";

// Crash recovery of the working copy.
inline constexpr const char* kRecovering = "Récupération des modifications de '%s' (copie de travail '%s')";
inline constexpr const char* kCheckpointFailed =
    "*** Impossible de mettre à jour la copie de travail '%s' : la récupération après un arrêt brutal "
    "pourrait être incomplète.";

// Folio commands.
inline constexpr const char* kDeleteFolioQuestion = "Souhaitez-vous supprimer le folio '%s' ?";
inline constexpr const char* kDeleteFolioCaption = "Suppression de folio";
inline constexpr const char* kCannotDeleteOnlyFolio =
    "Vous ne pouvez pas supprimer ce folio,\nil doit y en avoir au moins un.";
inline constexpr const char* kPasteNoMemory = "Il n'y a pas assez de mémoire pour coller.";
inline constexpr const char* kPasteCaption = "Coller";

// Desktop operations.
inline constexpr const char* kMidiOpenFailed = "Impossible d'exécuter le fichier Midi (1)";
inline constexpr const char* kMidiPlayFailed = "Impossible d'exécuter le fichier Midi (2)";
inline constexpr const char* kMidiCaption = "Midi";
inline constexpr const char* kMidiNoFolder =
    "Le raccourci Midi '%s' désigne un fichier relatif au dossier du document : enregistrez d'abord le document.";
inline constexpr const char* kMidiRefused = "Le fichier '%s' n'est pas un fichier Midi.\nLe lecteur Midi de Plexo le refuse : %s.";
inline constexpr const char* kInternetCaption = "Raccourci Internet";
inline constexpr const char* kAddressQuestion =
    "Ce raccourci ouvre « %s », qui n'est pas une adresse Web ou de messagerie.\nVoulez-vous l'ouvrir ?";
inline constexpr const char* kAddressIsProgram = "« %s » est un programme : Plexo ne l'exécute pas.";
inline constexpr const char* kAddressUnreachable = "L'adresse « %s » ne peut pas être ouverte.";
inline constexpr const char* kMustSaveToSend = "Vous devez enregistrer le document pour l'envoyer.";
inline constexpr const char* kSendCaption = "Envoi du document";

// Library tree.
inline constexpr const char* kLibraryCaption = "Librairie";
inline constexpr const char* kCannotCreateLibrary = "Impossible de créer le fichier de librairie.";
inline constexpr const char* kCannotCreateFolder = "Impossible de créer le dossier.";
inline constexpr const char* kCannotCreateSymbol = "Impossible de créer le symbole.";
inline constexpr const char* kNameRequired = "Vous devez saisir un nom.";
inline constexpr const char* kNameTaken = "Le nom utilisé existe déjà.";
inline constexpr const char* kIncorrectEntryCaption = "Entrée incorrecte";
inline constexpr const char* kTreeDamaged =
    "*** Arbre de la librairie '%s' endommagé : les noeuds lus avant sont conservés.";

using ::plexo::format;

} // namespace plexo::strings
