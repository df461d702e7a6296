// What a tool may ask of the window it works in (the schéma pane, or a fake in
// the tests): the document and folio, the zoom, the mouse capture, the cursor,
// the overlay, a beep, the dialogs a tool opens, the context menu and the
// magnifier's zoom. Tools change the folio only through the edit transaction
// (store/edittransaction.h); the views repaint from the document's notifications.
#pragma once

#include "shapes/point.h"
#include "shapes/rendercontext.h"

namespace plexo {

class Folio;
class Shape;
class saoDoc;

// The cursors of the pane, by purpose.
enum class ToolCursor {
    Arrow,            // the selection tool over nothing
    Move,             // over the body of a selected object (four-way)
    Handle,           // over a handle of a selected object, or a terminal of a selected symbol (944)
    AddLines,         // the add-lines tool (945)
    Magnifier,        // the magnifier (939)
    Draw,             // every drawing tool (946)
    OverTerminal,     // a wire or cable tool over a symbol's terminal (947)
    WireOverTerminal, // a wire being reshaped by a handle, over a terminal (948)
};

class ToolHost {
public:
    virtual ~ToolHost() = default;

    virtual saoDoc& document() = 0;
    virtual Folio& folio() = 0;
    // The pane's zoom and drawing context (hit tests, rubber drawing).
    virtual RenderContext renderContext() const = 0;

    // The mouse stays with the pane while a drag or a construction goes on.
    virtual void capture(bool on) = 0;
    virtual void setCursor(ToolCursor cursor) = 0;
    // The tool's rubber drawing changed: the pane redraws its overlay (not the folio).
    virtual void overlayChanged() = 0;
    virtual void beep() = 0;

    // "Saisie de texte" on a new or selected text object: true when confirmed.
    virtual bool editText(Shape& text) = 0;
    // The properties dialog of the single selection (Enter, double-click).
    virtual void openProperties() = 0;
    // The context menu "MenuEdition" at a document point.
    virtual void openContextMenu(Point at) = 0;
    // The magnifier: takes the zoom level and centres the pane on the point.
    virtual void zoomAt(int level, Point at) = 0;
    // Makes a tool current for every schéma view (a drop makes the selection tool current).
    virtual void chooseTool(int id) = 0;
};

} // namespace plexo
