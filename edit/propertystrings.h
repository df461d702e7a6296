// The French texts of the object property dialogs and of their checks.
#pragma once

namespace plexo::propstr {

inline constexpr const char* kObjectCaption = "Propriétés Objet";
inline constexpr const char* kSymbolCaption = "Propriétés Symbole";
inline constexpr const char* kWireCaption = "Propriétés Fil";
inline constexpr const char* kCalendarCaption = "Gestion du calendrier";
inline constexpr const char* kMidiCaption = "Fichier Midi";

inline constexpr const char* kNotANumber = "« %s » n'est pas un nombre valide.";
inline constexpr const char* kOutOfRange = "La valeur « %s » est hors limites.";
inline constexpr const char* kReversedBox =
    "La gauche doit être inférieure à la droite et le haut inférieur au bas.";
inline constexpr const char* kBadCalibration = "La mesure étalonnée doit être supérieure à zéro.";
inline constexpr const char* kUnstorableText =
    "Le texte contient des caractères que le document ne peut pas enregistrer.";
inline constexpr const char* kNoMidiPath = "Indiquez l'emplacement du fichier Midi.";

} // namespace plexo::propstr
