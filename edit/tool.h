// A drawing tool of the schéma pane: a small state machine driven by pointer
// events in document units, working on the host's folio through the edit
// transaction, and drawing its rubber shapes in an overlay over the folio.
#pragma once

#include "edit/pointer.h"
#include "edit/toolhost.h"

#include <memory>
#include <optional>

namespace plexo {

class Surface;

class Tool {
public:
    virtual ~Tool() = default;

    virtual void press(ToolHost& host, const PointerEvent& event) = 0;
    // Moves while the button is down or a construction is in progress.
    virtual void move(ToolHost& host, const PointerEvent& event) { (void)host, (void)event; }
    virtual void release(ToolHost& host, const PointerEvent& event) { (void)host, (void)event; }
    // A double-click: by default a further press.
    virtual void doubleClick(ToolHost& host, const PointerEvent& event) { press(host, event); }
    // The mouse moves with no button down and nothing in progress: the cursor to show.
    virtual ToolCursor hover(ToolHost& host, Point at) {
        (void)host, (void)at;
        return ToolCursor::Draw;
    }
    // Escape, a folio switch, an undo: a construction in progress is dropped,
    // nothing recorded.
    virtual void cancel(ToolHost& host) { (void)host; }
    // A drag or a multi-click construction is in progress.
    virtual bool busy() const { return false; }

    // The rubber drawing, in the pane's drawing coordinates at context's zoom
    // (document points converted with toPixels), drawn in the inverting mode
    // by the pane over the cached folio; and the document area it covers.
    virtual void drawOverlay(Surface& surface, const RenderContext& context) const {
        (void)surface, (void)context;
    }
    virtual std::optional<Rect> overlayArea() const { return std::nullopt; }
};

} // namespace plexo
