// What a drawing object asks of the folio holding it: its document's grid,
// page size and title-block placement, the folio's pages and the texts of the
// title-block fields.
#include "store/folio.h"

#include "base/textcodec.h"
#include "store/saodoc.h"

#include <algorithm>

namespace plexo {

GridSettings Folio::gridSettings() const {
    GridSettings grid;
    if (document) {
        grid.horizontal = document->horizontalGrid;
        grid.vertical = document->verticalGrid;
        grid.secondary = document->secondaryGrid;
        grid.unitIsMm = document->unitIsMm != 0;
        grid.snapToGrid = document->snapToGrid != 0;
    }
    return grid;
}

TitleBlockPlacement Folio::titleBlockPlacement() const {
    if (!document)
        return {};
    return {document->titleBlockCorner, document->titleBlockRotated != 0, document->documentWidth,
            document->documentHeight};
}

int Folio::pageAt(Point p) const {
    const int across = std::max<int>(pagesAcross, 1);
    const int down = std::max<int>(pagesDown, 1);
    int col = 0, row = 0;
    if (document && document->documentWidth > 0)
        col = std::clamp(p.x / document->documentWidth, 0, across - 1);
    if (document && document->documentHeight > 0)
        row = std::clamp(p.y / document->documentHeight, 0, down - 1);
    return row * across + col + 1;
}

std::optional<std::string> Folio::fieldText(FolioField field) const {
    switch (field) {
    case FolioField::Number:
        return number;
    case FolioField::Date:
        return date;
    case FolioField::Title1:
        return titles[0];
    case FolioField::Title2:
        return titles[1];
    case FolioField::Title3:
        return titles[2];
    case FolioField::Author:
        return author;
    case FolioField::Object:
        return object;
    case FolioField::DocumentTitle:
    case FolioField::DocumentPath:
        break;
    }
    if (!document)
        return std::nullopt;
    if (field == FolioField::DocumentPath && !document->path().empty())
        return utf8ToCp1252(document->path().string());
    return utf8ToCp1252(document->title());
}

} // namespace plexo
