// The French texts of the application shell (UTF-8).
#pragma once

namespace plexo::strings {

inline constexpr const char* kStarting = "# Démarrage de Plexo";
inline constexpr const char* kStopping = "* Arrêt de Plexo";
inline constexpr const char* kAlreadyOpen = "Ce document est déjà ouvert.";
inline constexpr const char* kUnknownDocumentKind = "Type de document inconnu.";
inline constexpr const char* kDocumentModified =
    "Le document a été modifié.\n\nSouhaitez-vous enregistrer les modifications ?";
inline constexpr const char* kNotEnoughMemoryToOpen = "Pas assez de mémoire pour ouvrir le document";
inline constexpr const char* kNoView = "Ce type de document n'a pas encore de fenêtre d'affichage.";
inline constexpr const char* kHandedOver = "Document transmis par une autre instance de Plexo : ";
// Crash recovery: a working copy left behind holds unsaved work.
inline constexpr const char* kRecoveryCaption = "Récupération";
inline constexpr const char* kRecoveryQuestion =
    "Plexo s'est arrêté sans fermer ce document : sa copie de travail contient des modifications "
    "qui n'ont pas été enregistrées.\n\n%s\n\n« Récupérer » ouvre le document avec ces modifications, "
    "à enregistrer ensuite.\n« Ignorer » garde le document tel qu'il a été enregistré et efface la copie "
    "de travail.";
inline constexpr const char* kUntitledRecoveryQuestion =
    "Plexo s'est arrêté sans fermer un document sans titre : sa copie de travail contient des "
    "modifications qui n'ont pas été enregistrées (copie du %s).\n\n« Récupérer » ouvre ce document, "
    "à enregistrer ensuite.\n« Ignorer » efface la copie de travail.";
inline constexpr const char* kRecover = "Récupérer";
inline constexpr const char* kIgnore = "Ignorer";
inline constexpr const char* kRecoveryIgnored = "Copie de travail ignorée et effacée : ";
inline constexpr const char* kAboutCaption = "A propos de Plexo";
inline constexpr const char* kAboutText =
    "Editeur de schémas techniques en plusieurs folios : symboles en librairies, fils et câbles,\n"
    "cartouches, grilles d'accord, tablatures, calendriers, rétro-documentation de JCL et\n"
    "séquences Midi.";
inline constexpr const char* kHelpDocument = "Documentation Plexo.dls";
inline constexpr const char* kReadMeDocument = "Lisezmoi.dls";
inline constexpr const char* kSymbolsCaption = "Symboles";
inline constexpr const char* kAttributesCaption = "Styles";
inline constexpr const char* kMessagesCaption = "Messages";

// The desktop services: MIDI playback, internet shortcuts, mail.
inline constexpr const char* kMidiFileMissing = "Le fichier Midi '%s' est introuvable.";
inline constexpr const char* kNotAMidiFile = "Le fichier '%s' n'est pas un fichier Midi.";
inline constexpr const char* kNoSoundFont =
    "Aucune banque de sons SoundFont n'a été trouvée (%s).\n"
    "Installez le paquet fluid-soundfont-gm (ou timgm6mb-soundfont) pour écouter les fichiers Midi.";
inline constexpr const char* kSoundFontUnreadable = "La banque de sons '%s' est illisible.";
inline constexpr const char* kNoSynthesizer = "Le synthétiseur Midi (FluidSynth) n'a pas pu être créé.";
inline constexpr const char* kNoAudioOutput =
    "Aucune sortie audio n'a pu être ouverte pour jouer le fichier Midi.\n"
    "Vérifiez qu'un serveur de son (PulseAudio, PipeWire) ou une carte son est disponible.";
inline constexpr const char* kMidiNotOpen = "Aucun fichier Midi n'est ouvert.";
inline constexpr const char* kUrlNotOpened = "*** Impossible d'ouvrir l'adresse '%s'";
inline constexpr const char* kMailNotStarted =
    "Impossible de lancer la messagerie (xdg-email) pour envoyer '%s'.";
inline constexpr const char* kMailCaption = "Envoi du document";

} // namespace plexo::strings
