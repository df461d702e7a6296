// The text measurer of the core (shapes/textmeasurer.h) over Qt's font metrics,
// with the same fonts the Qt surface draws with: a face, a height in pixels, a
// weight, italic and underline. Metrics of a pixel-sized font do not depend on
// the output device, so outlines and line breaks are the same on screen, in
// images, PDF and SVG files.
#pragma once

#include "shapes/textmeasurer.h"

#include <QFont>
#include <QFontMetrics>

#include <optional>
#include <string>

namespace plexo {

class QtTextMeasurer final : public TextMeasurer {
public:
    TextExtent measure(const TextFont& font, std::string_view text) override;
    // How many extents are kept (for tests).
    const TextExtentCache& cache() const { return cache_; }

    // The Qt font for a measurer font.
    static QFont toQFont(const TextFont& font);

private:
    // Texts are measured many times in a row in one font (line breaking): the
    // metrics of the last font are kept.
    TextFont lastFont_;
    std::string lastFontKey_; // empty until the first measure
    std::optional<QFontMetrics> lastMetrics_;
    // Objects are laid out again at every paint: their texts are measured once.
    TextExtentCache cache_;
};

// Installs a QtTextMeasurer for the life of the object (a QGuiApplication must
// exist) and puts the previous measurer back afterwards.
class QtTextMeasurerInstaller {
public:
    QtTextMeasurerInstaller();
    ~QtTextMeasurerInstaller();
    QtTextMeasurerInstaller(const QtTextMeasurerInstaller&) = delete;
    QtTextMeasurerInstaller& operator=(const QtTextMeasurerInstaller&) = delete;

private:
    QtTextMeasurer measurer_;
    TextMeasurer* previous_ = nullptr;
};

} // namespace plexo
