#include "edit/gridfields.h"

#include "shapes/units.h"

namespace plexo {

GridFields::GridFields(const GridStepSettings& steps, bool shownInMm)
    : shownInMm_(shownInMm), steps_{steps.horizontal, steps.vertical, steps.secondary} {
    for (std::size_t i = 0; i < steps_.size(); ++i) {
        shown_[i] = format(steps_[i], shownInMm_);
        texts_[i] = shown_[i];
    }
}

void GridFields::setText(int box, std::string text) {
    if (box < 0 || box >= kBoxCount)
        return;
    if (text.size() > static_cast<std::size_t>(kTextLength))
        text.resize(static_cast<std::size_t>(kTextLength));
    texts_[static_cast<std::size_t>(box)] = std::move(text);
}

void GridFields::showIn(bool millimetres) {
    if (millimetres == shownInMm_)
        return;
    for (int box = 0; box < kBoxCount; ++box)
        steps_[static_cast<std::size_t>(box)] = read(box);
    shownInMm_ = millimetres;
    for (std::size_t i = 0; i < steps_.size(); ++i) {
        shown_[i] = format(steps_[i], shownInMm_);
        texts_[i] = shown_[i];
    }
}

GridStepSettings GridFields::steps() const {
    return validGrids({read(0), read(1), read(2)});
}

std::int32_t GridFields::read(int box) const {
    const auto i = static_cast<std::size_t>(box);
    if (texts_[i] == shown_[i])
        return steps_[i];
    return parse(texts_[i], shownInMm_);
}

std::string GridFields::format(std::int32_t units, bool millimetres) {
    return formatDecimal(millimetres ? pointsToMillimetres(units) : units);
}

std::int32_t GridFields::parse(const std::string& text, bool millimetres) {
    const std::int32_t value = parseDecimal(text);
    return millimetres ? millimetresToPoints(value) : value;
}

} // namespace plexo
