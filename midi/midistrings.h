// The user-visible texts of the séquence document and view (UTF-8). "%s" is a
// path, "%d" a number.
#pragma once

namespace plexo::midistr {

inline constexpr const char* kLoading = "Chargement de '%s'";
inline constexpr const char* kCannotOpenPath = "Impossible d'ouvrir '%s'";
inline constexpr const char* kCannotOpenFile = "Impossible d'ouvrir le fichier"; // box titled with the path
inline constexpr const char* kSaving = "Sauvegarde de '%s'";
inline constexpr const char* kCannotSave = "Impossible d'enregistrer le fichier"; // box titled with the path
inline constexpr const char* kTitleSuffix = " (Séquence)";                        // string 926
inline constexpr const char* kUntitled = "Sans titre : Séquence ";                // string 929
inline constexpr const char* kDescription = "Plexo v1.0.5";                       // string 904
inline constexpr const char* kMasterTrack = "Master"; // the track name of a new document
inline constexpr const char* kTypeName = "Séquence";
inline constexpr const char* kLengthLine = "Longueur : %d";
// The status bar while a séquence is active: message and page indicator.
inline constexpr const char* kStatusMessage = "Séquence";
inline constexpr const char* kStatusIndicator = "1:0:0";

// Playing the séquence from its view (F5 / F6).
inline constexpr const char* kPlay = "Jouer";
inline constexpr const char* kPlayHint = "Joue la séquence avec le synthétiseur Midi";
inline constexpr const char* kStop = "Arrêter";
inline constexpr const char* kStopHint = "Arrête la lecture de la séquence";

// The tooltip of an event in the séquence view: its time, what it is, a note's duration.
inline constexpr const char* kEventTime = "Temps : %d (%s)";
inline constexpr const char* kEventDuration = "Durée : %d";
inline constexpr const char* kEventUnended = "Durée : sans fin";
inline constexpr const char* kEventNote = "%s %s (%d), canal %d, vélocité %d"; // kind, key name, key
inline constexpr const char* kEventKeyValue = "%s %s (%d), canal %d, valeur %d";
inline constexpr const char* kEventController = "%s %d, canal %d, valeur %d";
inline constexpr const char* kEventProgram = "%s %d, canal %d";
inline constexpr const char* kEventChannelValue = "%s, canal %d, valeur %d";
inline constexpr const char* kEventTempo = "%s : %d noires par minute (%d µs par noire)";
inline constexpr const char* kEventMeter = "%s %d/%d";
inline constexpr const char* kEventKeySignature = "%s : %s, %s";
inline constexpr const char* kNoAccidental = "sans altération";
inline constexpr const char* kOneSharp = "1 dièse";
inline constexpr const char* kSharps = "%d dièses";
inline constexpr const char* kOneFlat = "1 bémol";
inline constexpr const char* kFlats = "%d bémols";
inline constexpr const char* kMajor = "majeur";
inline constexpr const char* kMinor = "mineur";
inline constexpr const char* kEventText = "%s : « %s »";
inline constexpr const char* kEventBytes = "%s (%d octets)";
inline constexpr const char* kEventValue = "%s : %d";
// The kinds of event by number (see MidiKind), as the tooltip names them.
inline constexpr const char* kEventKindNames[] = {
    "Numéro de séquence",
    "Texte",
    "Copyright",
    "Nom de piste",
    "Nom d'instrument",
    "Paroles",
    "Marqueur",
    "Repère",
    "Préfixe de canal",
    "Port",
    "Fin de piste",
    "Tempo",
    "Décalage SMPTE",
    "Mesure",
    "Tonalité",
    "Spécifique séquenceur",
    "Fin de note",
    "Note",
    "Pression polyphonique",
    "Contrôleur",
    "Programme",
    "Pression de canal",
    "Variation de hauteur",
    "Système exclusif",
    "Position",
    "Choix de morceau",
    "Demande d'accord",
    "Horloge",
    "Départ",
    "Reprise",
    "Arrêt",
    "Paquet exclusif",
};
inline constexpr const char* kUnknownEvent = "Événement inconnu";

// Why a file was refused or shortened; logged as "*** <reason> dans '<path>'".
inline constexpr const char* kProblemLine = "*** %s dans '%s'";
inline constexpr const char* kFileTooLarge = "fichier trop grand";
inline constexpr const char* kNoHeader = "en-tête \"MThd\" absent";
inline constexpr const char* kNoTrack = "aucune piste \"MTrk\"";
inline constexpr const char* kShortHeader = "en-tête \"MThd\" trop court";
inline constexpr const char* kBadMetaLength =
    "longueur incorrecte de l'événement méta 0x%02X (piste %d, temps %d)";
inline constexpr const char* kBadStatus = "statut 0x%02X non pris en charge (piste %d, temps %d)";
inline constexpr const char* kNoRunningStatus = "octet de données sans statut courant (piste %d, temps %d)";
inline constexpr const char* kBadDataByte = "octet de données 0x%02X invalide (piste %d, temps %d)";
inline constexpr const char* kBadQuantity = "quantité de longueur variable invalide (piste %d)";
inline constexpr const char* kTimeOverflow = "temps hors limites (piste %d)";
inline constexpr const char* kSysExCut =
    "Attention, message système exclusif de %d octets gardé tronqué à %d octets (piste %d, temps %d)";
inline constexpr const char* kTooManyTracks = "*** Trop de pistes pour un fichier MIDI : '%s'";
// Times out of order, or two events more than 0x0FFFFFFF ticks apart (a delta cannot say it).
inline constexpr const char* kEventsOutOfOrder =
    "*** Événements hors d'ordre ou trop espacés dans la piste %d : '%s'";

} // namespace plexo::midistr

#include "base/format.h"

#include <cstdio>
#include <string>

namespace plexo::midistr {

using ::plexo::format;

} // namespace plexo::midistr
