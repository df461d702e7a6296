#include "edit/clipboard.h"

#include "base/buffer.h"
#include "base/textcodec.h"
#include "base/userinterface.h"
#include "shapes/contentfit.h"
#include "shapes/geometry.h"
#include "shapes/render.h"
#include "shapes/rendercontext.h"
#include "shapes/saodib.h"
#include "shapes/shape.h"
#include "shapes/surface.h"
#include "shapes/units.h"
#include "store/edittransaction.h"
#include "store/folio.h"
#include "store/foliorenderer.h"
#include "store/saodoc.h"
#include "store/selection.h"
#include "store/storestrings.h"
#include "store/undo.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <string>

namespace plexo {

namespace {

// Thrown inside a paste's transaction to abandon it: the transaction takes the
// objects it created out again and leaves nothing to undo.
struct PasteAbandoned {};
// The same for an object list that holds no object (a copy of a folio's picture
// with nothing selected): nothing is pasted and nothing is said.
struct Nothing {};

// The copies' identifiers are negated (their labels' and their wires' end
// identifiers too) so that they can never be taken for the originals' ones, then
// the wires of the range are joined to the objects of the range only.
void relinkPasted(Folio& folio, std::size_t first) {
    for (std::size_t i = first; i < folio.objects.size(); ++i) {
        Shape& object = *folio.objects[i];
        object.id = -std::abs(object.id);
        if (object.kind == kSymbol && object.infoSymbole)
            for (auto& label : object.infoSymbole->labels)
                if (label.shape)
                    label.shape->id = -std::abs(label.shape->id);
        if (object.isWire() && object.infoFil) {
            InfoFil& fil = *object.infoFil;
            fil.amontId = -std::abs(fil.amontId);
            fil.avalId = -std::abs(fil.avalId);
            fil.amont = nullptr;
            fil.aval = nullptr;
            fil.attachedWires.clear();
        }
    }
    folio.relinkWires(first);
}

// Moves the objects from index first so that their extent's top-left lies on origin.
void placePasted(EditTransaction& edit, saoDoc& document, Folio& folio, std::size_t first, Point origin) {
    const Point offset = placementOffset(document, folio, first, origin);
    for (std::size_t i = first; i < folio.objects.size(); ++i)
        edit.modify(*folio.objects[i], [offset](Shape& shape) { move(shape, offset.x, offset.y); });
}

bool pasteText(saoDoc& document, Folio& folio, const std::string& utf8, Point origin, int zoom) {
    const std::string text = utf8ToCp1252(utf8);
    if (text.empty())
        return false;
    deselectAll(document);
    EditTransaction edit(document, folio, kUndoPaste);
    auto shape = std::make_unique<Shape>(kText, &folio);
    shape->style = document.objectStyle;
    shape->setApplicability();
    shape->createKindRecord();
    shape->data = text;
    // The box takes the size of the text's lines, as "Ajuster le contour" gives it.
    shape->points = {{0, 0}, {0, 0}};
    fitToContent(*shape, zoom);
    const std::size_t first = folio.objects.size();
    edit.create(std::move(shape), true);
    placePasted(edit, document, folio, first, origin);
    edit.finish();
    return true;
}

// The image as a top-down 32-bit device-independent bitmap: a 40-byte header,
// then the pixels as blue, green, red, alpha.
std::vector<std::uint8_t> dibBlockOf(const ClipboardImage& image) {
    constexpr std::size_t kHeaderSize = 40;
    const std::size_t pixels = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
    std::vector<std::uint8_t> block(kHeaderSize + pixels * 4, 0);
    auto put32 = [&block](std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            block[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    };
    put32(0, kHeaderSize);
    put32(4, static_cast<std::uint32_t>(image.width));
    put32(8, static_cast<std::uint32_t>(-image.height)); // negative: top-down
    block[12] = 1;                                       // planes
    block[14] = 32;                                      // bits a pixel
    put32(20, static_cast<std::uint32_t>(pixels * 4));
    for (std::size_t i = 0; i < pixels; ++i) {
        const std::uint8_t* from = &image.rgba[i * 4];
        std::uint8_t* to = &block[kHeaderSize + i * 4];
        to[0] = from[2];
        to[1] = from[1];
        to[2] = from[0];
        to[3] = from[3];
    }
    return block;
}

bool pictured(const Shape& object, PictureOf what) {
    return object.alive && (what == PictureOf::WholeFolio || object.selected);
}

bool anySelected(const Folio& folio) {
    return std::any_of(folio.objects.begin(), folio.objects.end(),
                       [](const auto& object) { return pictured(*object, PictureOf::Selection); });
}

} // namespace

Rect picturedExtent(const Folio& folio, PictureOf what) {
    Rect extent{0, 0, -1, -1};
    bool first = true;
    for (const auto& object : folio.objects) {
        if (!pictured(*object, what))
            continue;
        const Rect& r = object->outline;
        if (first) {
            extent = r;
            first = false;
            continue;
        }
        extent.left = std::min(extent.left, r.left);
        extent.top = std::min(extent.top, r.top);
        extent.right = std::max(extent.right, r.right);
        extent.bottom = std::max(extent.bottom, r.bottom);
    }
    return extent;
}

void drawPictured(const Folio& folio, Surface& surface, PictureOf what) {
    const Rect extent = picturedExtent(folio, what);
    if (extent.right < extent.left)
        return;
    const RenderContext context = renderContextOf(folio, kNaturalSizeZoom);
    // At natural size one document point (1000 units) is one output unit.
    const Point before = surface.origin();
    surface.setOrigin({extent.left / 1000, extent.top / 1000});
    for (const auto& object : folio.objects)
        if (pictured(*object, what))
            draw(*object, surface, context, false);
    surface.setOrigin(before);
}

std::vector<std::uint8_t> selectedObjectsData(Folio& folio) {
    folio.renumberObjects();
    Buffer buffer;
    folio.writeObjects(buffer, WhichObjects::Selected);
    buffer.allocateMeasured();
    folio.writeObjects(buffer, WhichObjects::Selected);
    if (buffer.failed())
        return {};
    return buffer.detachBlock();
}

bool copySelection(Folio& folio, PictureOf what) {
    const Rect extent = picturedExtent(folio, what);
    if (extent.right < extent.left)
        return false;
    std::vector<std::uint8_t> data = selectedObjectsData(folio);
    if (data.empty())
        return false;
    ClipboardPicture picture;
    picture.width = static_cast<int>((std::int64_t{extent.right} - extent.left) / 1000 + 1);
    picture.height = static_cast<int>((std::int64_t{extent.bottom} - extent.top) / 1000 + 1);
    picture.draw = [&folio, what](Surface& surface) { drawPictured(folio, surface, what); };
    return userInterface().setClipboardObjects(kObjectsFormat, std::move(data), picture);
}

bool cutSelection(saoDoc& document, Folio& folio) {
    if (!copySelection(folio))
        return false;
    deleteSelection(document, folio);
    return true;
}

Point placementOffset(const saoDoc& document, const Folio& folio, std::size_t first, Point origin) {
    std::int32_t left = std::numeric_limits<std::int32_t>::max();
    std::int32_t top = std::numeric_limits<std::int32_t>::max();
    for (std::size_t i = first; i < folio.objects.size(); ++i) {
        left = std::min(left, folio.objects[i]->outline.left);
        top = std::min(top, folio.objects[i]->outline.top);
    }
    if (first >= folio.objects.size())
        return {};
    Point offset{origin.x - left, origin.y - top};
    if (document.snapToGrid != 0) {
        const bool mm = document.unitIsMm != 0;
        offset.x = snapValue(offset.x, document.secondaryGrid, mm);
        offset.y = snapValue(offset.y, document.secondaryGrid, mm);
    }
    return offset;
}

bool pasteObjects(saoDoc& document, Folio& folio, const std::vector<std::uint8_t>& data, Point origin) {
    Buffer buffer{Buffer::Block(data)};
    if (data.empty() || buffer.failed()) {
        userInterface().messageBox(strings::kPasteNoMemory, strings::kPasteCaption, MessageIcon::Warning);
        return false;
    }
    deselectAll(document);
    refreshSelectionSummary(document);
    try {
        EditTransaction edit(document, folio, kUndoPaste);
        edit.record();
        const std::size_t first = folio.objects.size();
        const bool read = folio.readObjects(buffer, ReadMode::Paste);
        edit.adoptCreated(first);
        if (!read)
            throw PasteAbandoned{};
        if (first == folio.objects.size())
            throw Nothing{};
        relinkPasted(folio, first);
        placePasted(edit, document, folio, first, origin);
        edit.finish();
    } catch (const PasteAbandoned&) {
        userInterface().messageBox(strings::kPasteNoMemory, strings::kPasteCaption, MessageIcon::Warning);
        return false;
    } catch (const Nothing&) {
        return false;
    }
    return true;
}

bool pastePicture(saoDoc& document, Folio& folio, std::unique_ptr<saoDib> dib, Point origin) {
    if (!dib || !dib->isValid() || !dib->problem().empty() || dib->width() <= 0 || dib->height() <= 0)
        return false;
    deselectAll(document);
    EditTransaction edit(document, folio, kUndoPaste);
    auto shape = std::make_unique<Shape>(kDibPicture, &folio);
    shape->style = document.objectStyle;
    shape->setApplicability();
    // At natural size one picture pixel is one point (saturated to 32 bits).
    auto points = [](int pixels) {
        return static_cast<std::int32_t>(
            std::min<std::int64_t>(std::int64_t{pixels} * 1000, std::numeric_limits<std::int32_t>::max()));
    };
    shape->points = {{0, 0}, {points(dib->width()), points(dib->height())}};
    shape->dib = std::move(dib);
    const std::size_t first = folio.objects.size();
    edit.create(std::move(shape), true);
    placePasted(edit, document, folio, first, origin);
    edit.finish();
    return true;
}

bool pasteImage(saoDoc& document, Folio& folio, const ClipboardImage& image, Point origin) {
    const bool sized = image.width > 0 && image.height > 0 &&
                       std::int64_t{image.width} * image.height <= kMaxDibPixels &&
                       image.rgba.size() == static_cast<std::size_t>(image.width) * image.height * 4;
    if (!sized || !pastePicture(document, folio, std::make_unique<saoDib>(dibBlockOf(image)), origin)) {
        userInterface().messageBox(clipstr::kPasteImageFailed, strings::kPasteCaption, MessageIcon::Warning);
        return false;
    }
    return true;
}

bool pasteMidiShortcut(saoDoc& document, Folio& folio, const std::string& path, Point origin) {
    deselectAll(document);
    EditTransaction edit(document, folio, kUndoPaste);
    auto shape = std::make_unique<Shape>(kMidiShortcut, &folio);
    shape->style = document.objectStyle;
    shape->setApplicability();
    shape->createKindRecord();
    shape->points = {{0, 0}, {0, 0}};
    shape->data = path;
    const std::size_t first = folio.objects.size();
    edit.create(std::move(shape), true);
    placePasted(edit, document, folio, first, origin);
    edit.finish();
    return true;
}

bool clipboardCanPaste() {
    UserInterface& ui = userInterface();
    return ui.clipboardHasFormat(kObjectsFormat) || ui.clipboardHasText() || ui.clipboardHasImage();
}

bool pasteFromClipboard(saoDoc& document, Folio& folio, Point origin, int zoom) {
    UserInterface& ui = userInterface();
    if (std::optional<std::vector<std::uint8_t>> data = ui.clipboardData(kObjectsFormat))
        return pasteObjects(document, folio, *data, origin);
    if (std::optional<std::string> text = ui.clipboardText())
        return pasteText(document, folio, *text, origin, zoom);
    if (std::optional<ClipboardImage> image = ui.clipboardImage())
        return pasteImage(document, folio, *image, origin);
    return false;
}

bool duplicateSelection(saoDoc& document, Folio& folio, Point origin) {
    if (!anySelected(folio))
        return false;
    return pasteObjects(document, folio, selectedObjectsData(folio), origin);
}

} // namespace plexo
