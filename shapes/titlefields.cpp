// The texts of symbol labels, with the title-block fields ("#Folio", "#Page",
// "#Titre1"...) filled from the folio holding the instance.
#include "shapes/titlefields.h"

#include "shapes/shape.h"
#include "shapes/shapeholder.h"
#include "shapes/symbollabels.h"

#include <cctype>
#include <cstdio>
#include <optional>

namespace plexo {

namespace {

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) !=
            std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    }
    return true;
}

std::string printed(const char* format, int a, int b = 0) {
    char text[32];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

} // namespace

std::string labelText(const Etiquette& label, const Shape& instance, int printedPage) {
    if (!label.shape)
        return label.text;
    const std::string_view defaultText = defaultLabelText(label, instance);
    if (defaultText.empty() || defaultText[0] != '#')
        return label.text;
    const ShapeHolder* folio = instance.folio;
    auto is = [&](std::string_view prefix) { return startsWithIgnoringCase(defaultText, prefix); };
    auto field = [&](FolioField which) {
        std::optional<std::string> text = folio ? folio->fieldText(which) : std::nullopt;
        return text ? std::move(*text) : label.text;
    };
    if (is("#Nom") || is("#Name"))
        return instance.data;
    if (is("#NbPages"))
        return folio ? printed("%d", folio->pageCount()) : label.text;
    if (is("#TPages") || is("#Page")) {
        if (!folio)
            return label.text;
        const Point at = placedPoint(*label.shape, instance);
        const int page = printedPage > 0 ? printedPage : folio->pageAt(at);
        return is("#TPages") ? printed("%d/%d", page, folio->pageCount()) : printed("%d", page);
    }
    if (is("#Folio"))
        return field(FolioField::Number);
    if (is("#Date"))
        return field(FolioField::Date);
    if (is("#Document"))
        return field(FolioField::DocumentTitle);
    if (is("#Titre1") || is("#Title1"))
        return field(FolioField::Title1);
    if (is("#Titre2") || is("#Title2"))
        return field(FolioField::Title2);
    if (is("#Titre3") || is("#Title3"))
        return field(FolioField::Title3);
    if (is("#Auteur") || is("#Author"))
        return field(FolioField::Author);
    if (is("#Objet") || is("#Object"))
        return field(FolioField::Object);
    if (is("#Path"))
        return field(FolioField::DocumentPath);
    return label.text;
}

void refreshLabel(Etiquette& label, const Shape& instance, int printedPage) {
    if (label.shape)
        label.shape->data = labelText(label, instance, printedPage);
}

} // namespace plexo
