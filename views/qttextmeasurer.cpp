#include "views/qttextmeasurer.h"

#include "store/textcodec.h"

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

TextExtent QtTextMeasurer::measure(const TextFont& font, std::string_view text) {
    const QFontMetrics metrics(toQFont(font));
    return {metrics.horizontalAdvance(QString::fromStdString(cp1252ToUtf8(text))), metrics.height()};
}

QtTextMeasurerInstaller::QtTextMeasurerInstaller() : previous_(setTextMeasurer(&measurer_)) {}

QtTextMeasurerInstaller::~QtTextMeasurerInstaller() { setTextMeasurer(previous_); }

} // namespace plexo
