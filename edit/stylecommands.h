// The style commands of the schéma view (line widths and styles, arrow heads,
// fonts, sizes and font flags) and the one edit they share: a style record
// with one field set, applied to the selected objects that accept its group.
#pragma once

#include "edit/schemaviewcontext.h"
#include "shapes/style.h"
#include "shell/commandtable.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace plexo {

// The sizes of the "MenuSize" rows 1402..1414, in points.
inline constexpr std::array<int, 13> kMenuFontSizes{7, 8, 9, 10, 11, 12, 14, 18, 24, 36, 48, 64, 72};
// What "DlogOtherSize" accepts, for a line width in points and a font size alike.
inline constexpr int kOtherSizeMin = 1;
inline constexpr int kOtherSizeMax = 200;
inline constexpr int kOtherSizeLength = 9; // characters of the dialog's edit box

// The dialog's edit box read as an integer in range (spaces around allowed);
// none for an empty, non-numeric or out-of-range text.
std::optional<int> parseOtherSize(std::string_view text);
// "La valeur doit être comprise entre 1 et 200" (UTF-8).
std::string otherSizeRangeMessage();

// Applies the usable items of style to the alive, selected objects of the folio
// whose kind accepts the style group, as one "modification"; items that do not
// apply to an object's kind stay indeterminate there. False, and nothing
// recorded, when no selected object accepts the group.
bool applyStyleToGroup(saoDoc& document, Folio& folio, int group, const Style& style);

// The selection's merged style when the selection lies on the view's folio,
// else nullptr.
const Style* commonStyleOf(const SchemaViewContext& view);
// The common value of an item of the view's selection: none when nothing is
// selected there, when the item is unset or when it differs.
std::optional<std::int64_t> commonValue(const SchemaViewContext& view, int item);

// The command's style group and the field it sets: "Epaisseur de trait", the
// other size and the other font ask the user first; a flag command toggles.
void addStyleCommands(CommandTable<SchemaViewContext>& table,
                      const std::function<CommandRow<SchemaViewContext>&(int)>& add);

// "Epaisseur de trait": asks a width in points from the common one (1 when
// none) and applies it × 1000 to the selection.
void askOtherLineWidth(SchemaViewContext& view);

} // namespace plexo
