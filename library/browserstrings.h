// The texts of the library browser's operations (UTF-8), in one place: the
// pop-up menu "MenuNode", its dialogs, questions and refusals.
#pragma once

namespace plexo::libstr {

// The clipboard format of a cut symbol.
inline constexpr const char* kSymbolClipboardFormat = "Plex3100PP";

inline constexpr const char* kProgramCaption = "Plexo";
inline constexpr const char* kSymbolCaption = "Symbole";
inline constexpr const char* kSymbolBeingEdited =
    "Vous ne pouvez pas déplacer ou utiliser ce symbole car il est en cours d'édition.";
inline constexpr const char* kTitleBlockCaption = "Cartouche";
inline constexpr const char* kTitleBlockNameTooLong =
    "Le nom du cartouche ne doit pas dépasser 49 caractères.";

inline constexpr const char* kDeleteLibrary =
    "Souhaitez-vous supprimer la librairie '%s' ainsi que son contenu ?\nAttention : cette suppression "
    "est irréversible.";
inline constexpr const char* kDeleteFolder =
    "Souhaitez-vous supprimer le dossier '%s' ainsi que son contenu ?\nAttention : cette suppression "
    "est irréversible.";
inline constexpr const char* kDeleteSymbol =
    "Souhaitez-vous supprimer le symbole '%s' ?\nAttention : cette suppression est irréversible.";

// Cutting and pasting symbols.
inline constexpr const char* kCannotCut = "Impossible de placer le symbole dans le presse-papiers.";
inline constexpr const char* kCutCaption = "Couper";
inline constexpr const char* kPasteCaption = "Coller";
inline constexpr const char* kDamagedClipboard = "Le symbole du presse-papiers est illisible.";

// Importing a picture.
inline constexpr const char* kImportCaption = "Importation d'image";
inline constexpr const char* kImportFilter = "Images bitmap (.bmp)|*.bmp";
inline constexpr const char* kCannotReadImage = "Impossible de lire l'image '%s'.";

// The node dialogs (DlogAddNode).
inline constexpr const char* kCreateLibraryCaption = "Création d'une librairie de symboles";
inline constexpr const char* kCreateFolderCaption = "Création d'un dossier de symboles";
inline constexpr const char* kCreateSymbolCaption = "Création d'un symbole";
inline constexpr const char* kLocationCaption = "Emplacement des librairies";
inline constexpr const char* kFolderPropertiesCaption = "Propriétés Dossier";
inline constexpr const char* kSymbolPropertiesCaption = "Propriétés Symbole";
inline constexpr const char* kBrowse = "&Parcourir...";
inline constexpr const char* kBrowseCaption = "Emplacement des bibliothèques";
inline constexpr const char* kBrowseFilter = "Bibliothèque de symboles (.dly)|*.dly";
inline constexpr const char* kSymbolTypes[4] = {"Symbole", "Symbole maitre", "Symbole esclave", "Cartouche"};

// The menu "MenuNode".
inline constexpr const char* kMenuAddSymbol = "Ajouter un &symbole...";
inline constexpr const char* kMenuAddFolder = "Ajouter un &dossier...";
inline constexpr const char* kMenuCreateLibrary = "Créer une &librairie...";
inline constexpr const char* kMenuDelete = "Su&pprimer...";
inline constexpr const char* kMenuCut = "Co&uper le symbole";
inline constexpr const char* kMenuPaste = "Co&ller un symbole";
inline constexpr const char* kMenuImport = "&Importer depuis une image...";
inline constexpr const char* kMenuEdit = "&Editer le symbole";
inline constexpr const char* kMenuProperties = "&Propriétés...";

} // namespace plexo::libstr
