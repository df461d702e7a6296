// The French texts the schéma view shows itself, in one place.
#pragma once

namespace plexo::viewstr {

inline constexpr const char* kSequenceNotEditable =
    "Cet objet contient une séquence enregistrée et ne peut pas être édité.";
inline constexpr const char* kSequenceCaption = "Séquence";

} // namespace plexo::viewstr
