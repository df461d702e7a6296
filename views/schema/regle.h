// A ruler beside the schéma pane (horizontal above it, vertical at its left),
// graduated at the pane's zoom and scrolled with it.
#pragma once

#include "edit/ruler.h"

#include <QWidget>

namespace plexo {

class Regle : public QWidget {
    Q_OBJECT

public:
    Regle(RulerOrientation orientation, QWidget* parent = nullptr);

    // What the ruler shows: the pane gives its zoom, the folio's length along the
    // ruler, its visible region and its scroll origin along the ruler.
    void follow(int zoom, std::int32_t length, std::int32_t visibleStart, std::int32_t visibleEnd,
                int scroll);
    const RulerView& rulerView() const { return view_; }
    void setSmallFont(const Font& font) { font_ = font; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    RulerView view_;
    Font font_{"Small Fonts", 8};
};

} // namespace plexo
