#include "edit/stylecommands.h"

#include "base/format.h"
#include "base/textcodec.h"
#include "edit/kindrules.h"
#include "shapes/fontlist.h"
#include "shapes/shape.h"
#include "shell/commandids.h"
#include "store/edittransaction.h"
#include "store/folio.h"
#include "store/saodoc.h"
#include "store/selection.h"
#include "store/undo.h"

#include <algorithm>
#include <vector>

namespace plexo {

namespace {

using Context = SchemaViewContext;
using Rule = Condition<Context>;

constexpr int kPointUnits = 1000; // document units of a line width of one point

Rule accepts(int group) {
    return [group](const Context& view) { return view.folio() && selectionAccepts(*view.folio(), group); };
}

Rule commonIs(int item, std::int64_t value) {
    return [item, value](const Context& view) { return commonValue(view, item) == value; };
}

Style oneItem(int item, std::int64_t value) {
    Style style;
    style.markAllUnset();
    style.set(item, value);
    return style;
}

void applyTo(Context& view, int group, const Style& style) {
    if (Folio* folio = view.folio())
        applyStyleToGroup(view.document(), *folio, group, style);
}

std::function<void(Context&)> sets(int group, int item, std::int64_t value) {
    return [group, item, value](Context& view) { applyTo(view, group, oneItem(item, value)); };
}

// A face name as a menu shows it: UTF-8, its "&" doubled so that none underlines.
std::string menuText(const std::string& face) {
    std::string text;
    for (char c : cp1252ToUtf8(face)) {
        text += c;
        if (c == '&')
            text += c;
    }
    return text;
}

bool isMenuSize(std::int64_t size) {
    return std::find(kMenuFontSizes.begin(), kMenuFontSizes.end(), size) != kMenuFontSizes.end();
}

void askOtherFontSize(Context& view) {
    const int initial = static_cast<int>(commonValue(view, kFontSize).value_or(9));
    if (const std::optional<int> size = view.askOtherSize(OtherSizeKind::FontSize, initial))
        applyTo(view, cmd::kFontSizeGroup,
                oneItem(kFontSize, std::clamp(*size, kOtherSizeMin, kOtherSizeMax)));
}

// "Autre police...": the dialog opens on the common font, size and flags; the
// face chosen joins the font list when it is not there yet.
void askOtherFont(Context& view) {
    FontChoice initial;
    if (const auto font = commonValue(view, kFont))
        initial.face = fontList().faceName(static_cast<int>(*font));
    initial.size = static_cast<int>(commonValue(view, kFontSize).value_or(9));
    initial.flags = static_cast<std::uint8_t>(commonValue(view, kFontStyle).value_or(0));
    const std::optional<FontChoice> chosen = view.askFont(initial);
    if (!chosen)
        return;
    Style style;
    style.markAllUnset();
    // An empty face, or one past the list's limit, keeps the objects' faces.
    if (const int index = fontList().addFace(chosen->face); index > 0)
        style.set(kFont, index);
    style.set(kFontSize, std::clamp(chosen->size, kOtherSizeMin, kOtherSizeMax));
    style.set(kFontStyle, chosen->flags & (kFontBold | kFontItalic | kFontUnderline));
    applyTo(view, cmd::kFontGroup, style);
}

} // namespace

bool applyStyleToGroup(saoDoc& document, Folio& folio, int group, const Style& style) {
    std::vector<Shape*> accepting;
    for (Shape* shape : selectedObjects(folio))
        if (kindAccepts(shape->kind, group))
            accepting.push_back(shape);
    if (accepting.empty())
        return false;
    EditTransaction edit(document, folio, kUndoModification);
    for (Shape* shape : accepting) {
        edit.modify(*shape, [&](Shape& m) {
            applyStyle(m.style, style);
            m.style.indeterminate |= inapplicableItems(m.kind);
        });
    }
    edit.finish();
    return true;
}

std::optional<int> parseOtherSize(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return std::nullopt;
    const auto last = text.find_last_not_of(' ');
    text = text.substr(first, last - first + 1);
    std::size_t i = 0;
    bool negative = false;
    if (text[0] == '-' || text[0] == '+') {
        negative = text[0] == '-';
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    long value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
        if (value > kOtherSizeMax)
            return std::nullopt; // stops before a long text could overflow
    }
    if (negative)
        value = -value;
    if (value < kOtherSizeMin)
        return std::nullopt;
    return static_cast<int>(value);
}

std::string otherSizeRangeMessage() {
    return format("La valeur doit être comprise entre %ld et %ld", long{kOtherSizeMin}, long{kOtherSizeMax});
}

const Style* commonStyleOf(const SchemaViewContext& view) {
    const SelectionSummary& selection = view.document().selection;
    if (!selection.any || !view.folio() || selection.folio != view.folio())
        return nullptr;
    return &selection.style;
}

std::optional<std::int64_t> commonValue(const SchemaViewContext& view, int item) {
    const Style* common = commonStyleOf(view);
    if (!common || !common->isUsable(item))
        return std::nullopt;
    return common->value(item);
}

void askOtherLineWidth(SchemaViewContext& view) {
    const std::optional<std::int64_t> width = commonValue(view, kLineWidth);
    const int initial = width ? static_cast<int>(std::max<std::int64_t>(*width / kPointUnits, 1)) : 1;
    if (const std::optional<int> points = view.askOtherSize(OtherSizeKind::LineWidth, initial)) {
        const int clamped = std::clamp(*points, kOtherSizeMin, kOtherSizeMax);
        applyTo(view, cmd::kLineWidthGroup, oneItem(kLineWidth, std::int64_t{clamped} * kPointUnits));
    }
}

void addStyleCommands(CommandTable<Context>& table, const std::function<CommandRow<Context>&(int)>& add) {
    (void)table;
    const Rule width = accepts(cmd::kLineWidthGroup);
    for (int id = cmd::kLineWidthFirst; id <= cmd::kLineWidthLast; ++id) {
        const std::int64_t units = std::int64_t{id - cmd::kLineWidthGroup} * kPointUnits;
        add(id)
            .enabledWhen(width)
            .checkedWhen(commonIs(kLineWidth, units))
            .does(sets(cmd::kLineWidthGroup, kLineWidth, units));
    }
    add(cmd::kOtherLineWidth).enabledWhen(width).does(askOtherLineWidth);

    for (int id = cmd::kLineSolid; id <= cmd::kLineDotted; ++id)
        add(id)
            .enabledWhen(accepts(cmd::kLineStyleGroup))
            .checkedWhen(commonIs(kLineType, id - cmd::kLineSolid))
            .does(sets(cmd::kLineStyleGroup, kLineType, id - cmd::kLineSolid));

    for (const auto& [first, item] :
         {std::pair{cmd::kStartArrowFirst, kArrow1}, std::pair{cmd::kEndArrowFirst, kArrow2}})
        for (int head = 0; head < cmd::kArrowCount; ++head)
            add(first + head)
                .enabledWhen(accepts(cmd::kArrowGroup))
                .checkedWhen(commonIs(item, head))
                .does(sets(cmd::kArrowGroup, item, head));

    // The faces of the font list, 1-based in the styles.
    for (int i = 0; i < cmd::kFontMenuCount; ++i) {
        const Rule listed = [i](const Context&) { return i < fontList().size(); };
        add(cmd::kFontFirst + i)
            .enabledWhen(accepts(cmd::kFontGroup) && listed)
            .checkedWhen(commonIs(kFont, i + 1))
            .labelledBy([i](const Context&) { return menuText(fontList().faceName(i + 1)); })
            .does(sets(cmd::kFontGroup, kFont, i + 1));
    }
    add(cmd::kOtherFont).enabledWhen(accepts(cmd::kFontGroup)).does(askOtherFont);

    for (std::size_t i = 0; i < kMenuFontSizes.size(); ++i) {
        const int size = kMenuFontSizes[i];
        add(cmd::kFontSizeFirst + static_cast<int>(i))
            .enabledWhen(accepts(cmd::kFontSizeGroup))
            .checkedWhen(commonIs(kFontSize, size))
            .does(sets(cmd::kFontSizeGroup, kFontSize, size));
    }
    // "&Autre..." is ticked when the common size is none of the menu's.
    add(cmd::kOtherFontSize)
        .enabledWhen(accepts(cmd::kFontSizeGroup))
        .checkedWhen([](const Context& view) {
            const auto size = commonValue(view, kFontSize);
            return size && !isMenuSize(*size);
        })
        .does(askOtherFontSize);

    const Rule flags = accepts(cmd::kFontFlagsGroup);
    add(cmd::kFontNormal)
        .enabledWhen(flags)
        .checkedWhen(commonIs(kFontStyle, 0))
        .does(sets(cmd::kFontFlagsGroup, kFontStyle, 0));
    for (const auto& [id, bit] :
         {std::pair{cmd::kFontBold, kFontBold}, std::pair{cmd::kFontItalic, kFontItalic},
          std::pair{cmd::kFontUnderline, kFontUnderline}}) {
        add(id)
            .enabledWhen(flags)
            .checkedWhen([bit](const Context& view) {
                const auto common = commonValue(view, kFontStyle);
                return common && (*common & bit) != 0;
            })
            .does([bit](Context& view) {
                // Flags that differ among the objects count as none.
                const std::int64_t common = commonValue(view, kFontStyle).value_or(0);
                applyTo(view, cmd::kFontFlagsGroup, oneItem(kFontStyle, common ^ bit));
            });
    }
}

} // namespace plexo
