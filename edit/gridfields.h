// The three edit boxes of "Grilles magnétiques" without the window: the grid
// steps shown in points or millimetres with a decimal comma, switched between
// the two units, and read back on OK.
//
// A shown text is rounded to hundredths, so reading it back would move the step
// a little at each switch (10 mm shows as 28,35 points, which reads back as
// 28350 units, not 28346). A box whose text is still the one shown therefore
// keeps its exact step: switching units back and forth shows the same texts,
// and OK without an edit stores the steps the document already has.
#pragma once

#include "edit/documentsettings.h"

#include <array>
#include <cstdint>
#include <string>

namespace plexo {

class GridFields {
public:
    static constexpr int kBoxCount = 3;    // horizontal, vertical, secondary
    static constexpr int kTextLength = 14; // characters each box takes

    GridFields(const GridStepSettings& steps, bool shownInMm);

    bool shownInMm() const { return shownInMm_; }
    // The text of a box (ASCII), as shown or as typed.
    const std::string& text(int box) const { return texts_[static_cast<std::size_t>(box)]; }
    // The user typed into a box.
    void setText(int box, std::string text);
    // Reads the boxes in the unit shown, then shows them in the new one.
    void showIn(bool millimetres);
    // The steps the boxes hold, each of 0 or less made 1.
    GridStepSettings steps() const;

    // A step in document units as a box shows it in a unit, and a box's text back
    // to document units (millimetres: x 127 / 360 and back x 360 / 127, truncated).
    static std::string format(std::int32_t units, bool millimetres);
    static std::int32_t parse(const std::string& text, bool millimetres);

private:
    std::int32_t read(int box) const;

    bool shownInMm_;
    std::array<std::int32_t, kBoxCount> steps_{};
    std::array<std::string, kBoxCount> shown_;
    std::array<std::string, kBoxCount> texts_;
};

} // namespace plexo
