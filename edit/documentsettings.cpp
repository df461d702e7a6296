#include "edit/documentsettings.h"

#include "store/folio.h"

#include <algorithm>

namespace plexo {

const char* const kPaperSizeNames[kPaperSizeCount] = {"A4 (210x297)", "A3 (297x420)", "A2 (420x594)",
                                                      "A1 (594x841)", "A0 (841x1189)"};
const char* const kScaleNames[kScaleCount] = {"10%",  "25%",  "33%",  "50%",  "66%", "75%",
                                              "100%", "125%", "150%", "200%", "400%"};

DocumentSizeSettings documentSizeOf(const saoDoc& document) {
    return {document.paperSize, document.scaleIndex, document.portrait != 0};
}

bool applyDocumentSize(saoDoc& document, const DocumentSizeSettings& settings) {
    if (settings == documentSizeOf(document))
        return false;
    document.paperSize = settings.paperSize;
    document.scaleIndex = settings.scaleIndex;
    document.portrait = settings.portrait ? 1 : 0;
    document.setModified();
    document.computeDocumentSize();
    document.notifyWholeDocumentChanged();
    return true;
}

GridStepSettings gridsOf(const saoDoc& document) {
    return {document.horizontalGrid, document.verticalGrid, document.secondaryGrid};
}

GridStepSettings validGrids(GridStepSettings grids) {
    for (std::int32_t* step : {&grids.horizontal, &grids.vertical, &grids.secondary})
        *step = std::max<std::int32_t>(*step, 1);
    return grids;
}

bool applyGrids(saoDoc& document, const GridStepSettings& grids) {
    const GridStepSettings valid = validGrids(grids);
    if (valid == gridsOf(document))
        return false;
    document.horizontalGrid = valid.horizontal;
    document.verticalGrid = valid.vertical;
    document.secondaryGrid = valid.secondary;
    document.setModified();
    document.notifyWholeDocumentChanged();
    return true;
}

bool applyWorkUnit(saoDoc& document, bool millimetres) {
    const std::uint8_t unit = millimetres ? 1 : 0;
    if (document.unitIsMm == unit)
        return false;
    document.unitIsMm = unit;
    document.setModified();
    return true;
}

PageCountSettings pageCountOf(const Folio& folio) {
    return {folio.pagesAcross, folio.pagesDown};
}

std::uint8_t pageCountFromText(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // The count is kept in a byte: only the number modulo 256 matters, which
    // also keeps any length of digits from overflowing.
    unsigned byte = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return 1; // not a number: 0, which becomes 1
        byte = (byte * 10 + static_cast<unsigned>(c - '0')) % 256;
    }
    if (negative)
        byte = (256 - byte) % 256;
    if (byte > kMaxFolioPages)
        return kMaxFolioPages;
    return static_cast<std::uint8_t>(std::max(byte, 1u));
}

bool applyPageCount(saoDoc& document, Folio& folio, const PageCountSettings& pages) {
    PageCountSettings valid = pages;
    for (std::uint8_t* count : {&valid.across, &valid.down})
        *count = static_cast<std::uint8_t>(std::clamp<int>(*count, 1, kMaxFolioPages));
    if (valid == pageCountOf(folio))
        return false;
    folio.pagesAcross = valid.across;
    folio.pagesDown = valid.down;
    document.changeFolioList(&folio, kFolioPagesChanged);
    return true;
}

TitleBlockSettings titleBlockOf(const saoDoc& document) {
    return {document.titleBlockName, document.titleBlockCorner, document.titleBlockRotated != 0};
}

std::optional<std::string> titleBlockProblem(const TitleBlockSettings& settings) {
    // The header keeps at most 49 bytes of the name: a name it would cut would
    // no longer name the symbol after a reopen.
    if (settings.name.size() > static_cast<std::size_t>(kTitleBlockNameLength))
        return std::string(kTitleBlockNameTooLong);
    return std::nullopt;
}

bool applyTitleBlock(saoDoc& document, const TitleBlockSettings& settings) {
    if (titleBlockProblem(settings))
        return false;
    TitleBlockSettings valid = settings;
    valid.corner = std::min<std::uint8_t>(valid.corner, 3);
    if (valid == titleBlockOf(document))
        return false;
    document.titleBlockName = valid.name;
    document.titleBlockCorner = valid.corner;
    document.titleBlockRotated = valid.rotated ? 1 : 0;
    document.setModified();
    document.computeDocumentSize();
    // The title block is the document's: drawn on every folio from this one object.
    document.loadTitleBlock();
    document.notifyWholeDocumentChanged();
    return true;
}

} // namespace plexo
