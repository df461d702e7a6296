// Helpers of the rendering tests: objects made in memory and the calls a
// RecordingSurface received.
#pragma once

#include "shapes/recordingsurface.h"
#include "shapes/shape.h"
#include "shapes/style.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace plexo::rendertest {

using Lines = std::vector<std::string>;

inline std::unique_ptr<Shape> makeShape(int kind, std::vector<Point> points, const std::string& text = {}) {
    auto shape = std::make_unique<Shape>(kind);
    shape->points = std::move(points);
    shape->style = objectDefaultStyle();
    shape->setApplicability();
    shape->setText(text);
    shape->createKindRecord();
    return shape;
}

inline std::vector<const SurfaceCall*> callsOf(const RecordingSurface& surface, SurfaceOp op) {
    std::vector<const SurfaceCall*> result;
    for (const SurfaceCall& call : surface.calls())
        if (call.op == op)
            result.push_back(&call);
    return result;
}

inline std::vector<std::string> textsOf(const RecordingSurface& surface) {
    std::vector<std::string> texts;
    for (const SurfaceCall* call : callsOf(surface, SurfaceOp::TextOut))
        texts.push_back(call->text);
    return texts;
}

// The font selected when a call was made.
inline const SurfaceCall& fontBefore(const RecordingSurface& surface, const SurfaceCall& call) {
    const SurfaceCall* font = nullptr;
    for (const SurfaceCall& c : surface.calls()) {
        if (&c == &call)
            break;
        if (c.op == SurfaceOp::SetFont)
            font = &c;
    }
    static const SurfaceCall none{SurfaceOp::SetFont, {0, 0, 0, 0, -1, -1}, {}};
    return font ? *font : none;
}

inline bool contains(const Lines& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

} // namespace plexo::rendertest
