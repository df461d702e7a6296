#include "views/qttextmeasurer.h"

#include "base/textcodec.h"

#include <QFontMetrics>
#include <QString>

#include <algorithm>

namespace plexo {

QFont QtTextMeasurer::toQFont(const TextFont& font) {
    QFont q;
    if (!font.face.empty())
        q.setFamily(QString::fromStdString(cp1252ToUtf8(font.face)));
    q.setPixelSize(std::max(1, font.height));
    q.setWeight(font.bold ? QFont::Bold : QFont::Normal);
    q.setItalic(font.italic);
    q.setUnderline(font.underline);
    return q;
}

namespace {

bool sameFont(const TextFont& a, const TextFont& b) {
    return a.face == b.face && a.height == b.height && a.bold == b.bold && a.italic == b.italic &&
           a.underline == b.underline;
}

} // namespace

TextExtent QtTextMeasurer::measure(const TextFont& font, std::string_view text) {
    if (lastFontKey_.empty() || !sameFont(font, lastFont_)) {
        lastMetrics_.reset(); // built only when a text is not kept
        lastFont_ = font;
        lastFontKey_ = TextExtentCache::fontKey(font);
    }
    if (const TextExtent* kept = cache_.find(lastFontKey_, text))
        return *kept;
    if (!lastMetrics_)
        lastMetrics_.emplace(toQFont(font));
    const TextExtent extent{lastMetrics_->horizontalAdvance(QString::fromStdString(cp1252ToUtf8(text))),
                            lastMetrics_->height()};
    cache_.insert(lastFontKey_, text, extent);
    return extent;
}

QtTextMeasurerInstaller::QtTextMeasurerInstaller() : previous_(setTextMeasurer(&measurer_)) {}

QtTextMeasurerInstaller::~QtTextMeasurerInstaller() {
    setTextMeasurer(previous_);
}

} // namespace plexo
