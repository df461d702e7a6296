// A schéma document with one folio in memory and library symbols made in
// memory, for the geometry, wire, undo and selection tests.
#pragma once

#include "library/libnode.h"
#include "shapes/geometry.h"
#include "shapes/shape.h"
#include "shapes/style.h"
#include "shapes/wires.h"
#include "store/folio.h"
#include "store/saodoc.h"
#include "store/selection.h"

#include <initializer_list>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace plexo {
// Readable points and rectangles in test failures.
inline void PrintTo(const Point& p, std::ostream* os) {
    *os << "(" << p.x << ", " << p.y << ")";
}
inline void PrintTo(const Rect& r, std::ostream* os) {
    *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}
} // namespace plexo

namespace plexo::test {

struct DrawingObject {
    int kind;
    std::vector<Point> points;
    std::string text;
};

class DrawingFixture {
public:
    DrawingFixture() {
        document.folios.push_back(std::make_unique<Folio>(&document));
        folio = document.folios.back().get();
        folio->useCount = 1;
    }

    // Makes exactly these objects of the folio selected, and refreshes the summary.
    void selectOnly(std::initializer_list<Shape*> shapes) {
        for (auto& object : folio->objects)
            object->selected = false;
        for (Shape* shape : shapes)
            shape->selected = true;
        refreshSelectionSummary(document);
    }

    Folio& addFolio() {
        document.folios.push_back(std::make_unique<Folio>(&document));
        document.folios.back()->useCount = 1;
        return *document.folios.back();
    }

    // A library symbol whose drawing holds the objects; bounds as the library
    // computes them (terminals and text zones excluded).
    LibNode& symbol(const std::string& name, const std::vector<DrawingObject>& objects) {
        auto node = std::make_unique<LibNode>(NodeKind::Symbol, name);
        node->drawing = std::make_unique<Folio>(nullptr);
        bool first = true;
        for (const DrawingObject& d : objects) {
            auto shape = std::make_unique<Shape>(d.kind, node->drawing.get());
            shape->points = d.points;
            shape->data = d.text;
            shape->style = objectDefaultStyle();
            shape->setApplicability();
            shape->createKindRecord();
            computeOutline(*shape);
            if (d.kind != kTerminal && d.kind != kTextZone && d.kind != kSymbolText) {
                const Rect& o = shape->outline;
                if (first) {
                    node->bounds = {o.left, o.right, o.top, o.bottom};
                    first = false;
                } else {
                    node->bounds.left = std::min(node->bounds.left, o.left);
                    node->bounds.right = std::max(node->bounds.right, o.right);
                    node->bounds.top = std::min(node->bounds.top, o.top);
                    node->bounds.bottom = std::max(node->bounds.bottom, o.bottom);
                }
            }
            node->drawing->objects.push_back(std::move(shape));
        }
        nodes.push_back(std::move(node));
        return *nodes.back();
    }

    // A box of 20 × 10 points centred on (0, 0) with terminals at its left and
    // right middles (at (-10000, 0) and (10000, 0) of the drawing).
    LibNode& twoTerminalSymbol() {
        // With its 1-point line the box's extent is (-13000, -8000, 13000, 8000).
        LibNode& node = symbol("relais", {{kRectangle, {{-10000, -5000}, {10000, 5000}}, ""},
                                          {kTerminal, {{-10000, 0}, {-10000, 0}}, "1"},
                                          {kTerminal, {{10000, 0}, {10000, 0}}, "2"}});
        return node;
    }

    Shape& add(int kind, std::vector<Point> points, const std::string& text = "", Folio* on = nullptr) {
        auto shape = std::make_unique<Shape>(kind, on ? on : folio);
        shape->points = std::move(points);
        shape->data = text;
        shape->style = kind == kWire || kind == kCable ? wireDefaultStyle() : objectDefaultStyle();
        shape->setApplicability();
        shape->createKindRecord();
        computeOutline(*shape);
        shape->takeUndoCopy();
        return (on ? on : folio)->append(std::move(shape));
    }

    Shape& addSymbol(LibNode& node, Point at, int angle = 0, Folio* on = nullptr) {
        auto shape = std::make_unique<Shape>(kSymbol, on ? on : folio);
        shape->createKindRecord();
        shape->infoSymbole->name = node.name;
        shape->infoSymbole->node = &node;
        shape->points = {at, at};
        shape->angle = angle;
        shape->setApplicability();
        Shape& added = (on ? on : folio)->append(std::move(shape));
        buildLabels(added);
        computeOutline(added);
        added.takeUndoCopy();
        return added;
    }

    // A wire between two ends (nullptr for a free end), routed onto them.
    Shape& addWire(std::vector<Point> points, Shape* amont, Shape* aval, int kind = kWire) {
        Shape& wire = add(kind, std::move(points));
        linkEnd(wire, true, amont);
        linkEnd(wire, false, aval);
        followEnds(wire);
        wire.takeUndoCopy();
        return wire;
    }

    static Shape* terminal(Shape& instance, std::size_t index) {
        return instance.infoSymbole->labels.at(index).shape.get();
    }

    std::vector<std::unique_ptr<LibNode>> nodes; // outlive the document's symbol objects
    saoDoc document;
    Folio* folio = nullptr;
};

} // namespace plexo::test
