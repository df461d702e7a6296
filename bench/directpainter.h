// Straight QPainter drawing of recorded primitives, the baseline the renderer
// benchmarks measure themselves against, and a median timer.
#pragma once

#include "shapes/recordingsurface.h"

#include <QImage>
#include <QPainter>

#include <functional>
#include <vector>

namespace plexo::bench {

// The median of kRuns runs of work, in milliseconds.
constexpr int kRuns = 5;
double medianMilliseconds(const std::function<void()>& work);

// The recorded primitives turned into ready QPainter calls: pens, brushes, fonts
// and geometry are built before the timing, so that only the drawing is timed.
using DirectOp = std::function<void(QPainter&)>;
std::vector<DirectOp> directOps(const RecordingSurface& recording, const QImage& picture);

} // namespace plexo::bench
