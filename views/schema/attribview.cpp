#include "views/schema/attribview.h"

#include "base/textcodec.h"
#include "edit/kindrules.h"
#include "edit/stylecommands.h"
#include "shapes/fontlist.h"
#include "shapes/palette.h"
#include "store/saodoc.h"
#include "views/schema/saoview.h"

#include <QLayout>
#include <QMouseEvent>
#include <QPainter>

namespace plexo {

namespace {

using attrib::Zone;
using attrib::ZoneKind;

constexpr int kTabTop = 2;     // the tabs other than the current one
constexpr int kRaisedTop = 0;  // the current tab
constexpr int kSampleTop = 21; // samples below the band
constexpr int kSampleBottom = 45;
constexpr int kCellTop = 26; // colour cells
constexpr int kCellBottom = 38;
constexpr int kInlayFrets[] = {3, 5, 7, 9, 12, 15, 17, 19, 21};

QColor colourOf(int index) {
    const Rgb rgb = normalPaletteColour(index);
    return QColor(rgb.red, rgb.green, rgb.blue);
}

// The rectangle a zone is drawn in (its click zone spans the whole height).
QRect paintRect(const Zone& zone) {
    if (zone.kind == ZoneKind::Fret)
        return QRect(QPoint(zone.left, zone.top + 1), QPoint(zone.right, zone.bottom - 1));
    if (zone.kind == ZoneKind::Colour)
        return QRect(QPoint(zone.left, kCellTop), QPoint(zone.right, kCellBottom));
    if (zone.kind == ZoneKind::FontFlag || zone.kind == ZoneKind::TextLayout)
        return QRect(QPoint(zone.left, kCellTop - 1), QPoint(zone.right, kCellBottom + 1));
    return QRect(QPoint(zone.left, kSampleTop), QPoint(zone.right, kSampleBottom));
}

// An arrow head at tip pointing along dx (+1 right, -1 left), in the pen's colour.
void drawHead(QPainter& p, QPoint tip, int dx, int head) {
    const QColor ink = p.pen().color();
    const bool large = head >= 4 && head <= 7;
    const int length = large ? 10 : 7, half = large ? 5 : 3;
    const QPoint back(tip.x() - dx * length, tip.y());
    const QPolygon triangle{tip, back + QPoint(0, -half), back + QPoint(0, half)};
    switch (head) {
    case 1:
    case 4:
        p.drawLine(tip, back + QPoint(0, -half));
        p.drawLine(tip, back + QPoint(0, half));
        break;
    case 2:
    case 5:
        p.setBrush(ink);
        p.drawPolygon(triangle);
        break;
    case 3:
    case 6:
        p.setBrush(Qt::white);
        p.drawPolygon(triangle);
        break;
    case 7:
        for (int i = 0; i < 3; ++i) {
            const QPoint t = tip - QPoint(dx * 4 * i, 0);
            p.drawLine(t, t - QPoint(dx * length, -half));
            p.drawLine(t, t - QPoint(dx * length, half));
        }
        break;
    case 8:
        for (int i = 0; i < 2; ++i) {
            const QPoint t = tip - QPoint(dx * 5 * i, 0);
            p.drawLine(t, t - QPoint(dx * length, -half));
            p.drawLine(t, t - QPoint(dx * length, half));
        }
        break;
    case 9:
    case 10:
        p.setBrush(head == 9 ? ink : QColor(Qt::white));
        p.drawEllipse(QPoint(tip.x() - dx * 3, tip.y()), 3, 3);
        break;
    case 11:
    case 12:
        p.setBrush(head == 11 ? ink : QColor(Qt::white));
        p.drawRect(tip.x() - (dx > 0 ? 6 : 0), tip.y() - 3, 6, 6);
        break;
    default:
        break;
    }
    p.setBrush(Qt::NoBrush);
}

// The nine text layouts as three short lines: left, right or centred.
int layoutAlignment(int layout) {
    switch (layout) {
    case 1:
    case 6:
    case 8:
        return 1;
    case 2:
    case 3:
    case 4:
        return 2;
    default:
        return 0;
    }
}

class ZonePainter {
public:
    ZonePainter(QPainter& p, const QPalette& colours, const Style& common)
        : p_(p), colours_(colours), common_(common) {}

    void paint(const Zone& zone, bool accepted) {
        const QColor ink = accepted ? colours_.color(QPalette::WindowText) : colours_.color(QPalette::Dark);
        p_.setPen(ink);
        p_.setBrush(Qt::NoBrush);
        const QRect r = paintRect(zone);
        switch (zone.kind) {
        case ZoneKind::LineWidth: {
            p_.fillRect(r.x() + r.width() / 2 - zone.value / 2, r.y() + 2, zone.value, r.height() - 4, ink);
            break;
        }
        case ZoneKind::OtherWidth:
            p_.drawText(r, Qt::AlignCenter, QStringLiteral(". . ."));
            break;
        case ZoneKind::LineStyle: {
            static const Qt::PenStyle kStyles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine};
            p_.setPen(QPen(ink, 1, kStyles[zone.value]));
            p_.drawLine(r.left() + 2, r.center().y(), r.right() - 2, r.center().y());
            break;
        }
        case ZoneKind::Colour:
            if (zone.value == kNoColour) {
                p_.fillRect(r, colourOf(kWhite));
                p_.drawRect(r.adjusted(0, 0, -1, -1));
                p_.drawLine(r.topLeft(), r.bottomRight());
                p_.drawLine(r.bottomLeft(), r.topRight());
            } else {
                p_.fillRect(r, colourOf(zone.value));
                p_.drawRect(r.adjusted(0, 0, -1, -1));
            }
            break;
        case ZoneKind::Pattern: {
            static const Qt::BrushStyle kBrushes[] = {Qt::SolidPattern,    Qt::HorPattern,   Qt::VerPattern,
                                                      Qt::FDiagPattern,    Qt::BDiagPattern, Qt::CrossPattern,
                                                      Qt::DiagCrossPattern};
            p_.fillRect(r, Qt::white);
            p_.fillRect(r, QBrush(ink, kBrushes[zone.value]));
            p_.drawRect(r.adjusted(0, 0, -1, -1));
            break;
        }
        case ZoneKind::ArrowMenu:
            paintArrowSample(zone, r);
            break;
        case ZoneKind::FontMenu:
        case ZoneKind::SizeMenu:
            paintValueBox(zone, r);
            break;
        case ZoneKind::FontFlag:
            paintFlag(zone, r);
            break;
        case ZoneKind::TextLayout:
            paintLayout(zone, r);
            break;
        case ZoneKind::Fret:
            if (common_.isUsable(zone.item) && common_.value(zone.item) == zone.value) {
                p_.setBrush(ink);
                p_.drawEllipse(r.center(), 3, 3);
                p_.setBrush(Qt::NoBrush);
            }
            break;
        }
        if (attrib::showsCommonValue(zone, common_))
            sunken(r);
    }

    // Frets, strings and inlay dots under the fret marks.
    void paintFretboard(bool accepted) {
        const QColor ink = accepted ? colours_.color(QPalette::WindowText) : colours_.color(QPalette::Dark);
        const std::vector<Zone>& zones = attrib::zonesOf(attrib::kGuitarTab);
        const int top = zones.front().top + 4, bottom = zones.back().bottom - 5;
        p_.setPen(ink);
        for (int s = 0; s < attrib::kStrings; ++s) {
            const Zone& open = zones[static_cast<std::size_t>(s * attrib::kFrets)];
            const int y = (open.top + open.bottom) / 2;
            p_.drawLine(
                0, y, zones[static_cast<std::size_t>(s * attrib::kFrets + attrib::kFrets - 1)].right + 1, y);
        }
        for (int j = 0; j < attrib::kFrets; ++j) {
            const Zone& cell = zones[static_cast<std::size_t>(j)];
            const int x = cell.right + 1;
            p_.drawLine(x, top, x, bottom);
            if (j == 0) // the nut
                p_.fillRect(x, top, 3, bottom - top + 1, ink);
        }
        p_.setBrush(colours_.color(QPalette::Dark));
        p_.setPen(Qt::NoPen);
        for (int fret : kInlayFrets) {
            const Zone& cell = zones[static_cast<std::size_t>(fret)];
            p_.drawEllipse(QPoint((cell.left + cell.right) / 2, (top + bottom) / 2), 2, 2);
        }
        p_.setBrush(Qt::NoBrush);
    }

private:
    // The common value's cell: a highlight-coloured rectangle inside and a
    // text-coloured one outside.
    void sunken(const QRect& r) {
        p_.setBrush(Qt::NoBrush);
        p_.setPen(colours_.color(QPalette::Light));
        p_.drawRect(r.adjusted(0, 0, -1, -1));
        p_.setPen(colours_.color(QPalette::WindowText));
        p_.drawRect(r.adjusted(-1, -1, 0, 0));
    }

    void paintArrowSample(const Zone& zone, const QRect& r) {
        p_.fillRect(r, Qt::white);
        p_.drawRect(r.adjusted(0, 0, -1, -1));
        const int y = r.center().y();
        p_.drawLine(r.left() + 8, y, r.right() - 8, y);
        if (common_.isUsable(zone.item)) {
            const int head = static_cast<int>(common_.value(zone.item));
            if (zone.value == 0)
                drawHead(p_, QPoint(r.left() + 8, y), -1, head);
            else
                drawHead(p_, QPoint(r.right() - 8, y), 1, head);
        }
    }

    void paintValueBox(const Zone& zone, const QRect& r) {
        p_.fillRect(r, Qt::white);
        p_.drawRect(r.adjusted(0, 0, -1, -1));
        QString text;
        if (common_.isUsable(zone.item)) {
            const auto value = static_cast<int>(common_.value(zone.item));
            text = zone.kind == ZoneKind::FontMenu
                       ? QString::fromStdString(cp1252ToUtf8(fontList().faceName(value)))
                       : QString::number(value);
        }
        p_.drawText(r.adjusted(3, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft, text);
    }

    void paintFlag(const Zone& zone, const QRect& r) {
        static const char* const kLetters[] = {"N", "G", "I", "S"};
        QFont font(QStringLiteral("Ms Serif"));
        // Letters 8 pixels high: a cell of about 10 with today's faces.
        font.setPixelSize(10);
        font.setBold(zone.value == 1);
        font.setItalic(zone.value == 2);
        font.setUnderline(zone.value == 3);
        p_.save();
        p_.setFont(font);
        p_.drawRect(r.adjusted(0, 0, -1, -1));
        p_.drawText(r, Qt::AlignCenter, QString::fromLatin1(kLetters[zone.value]));
        p_.restore();
    }

    void paintLayout(const Zone& zone, const QRect& r) {
        p_.drawRect(r.adjusted(0, 0, -1, -1));
        const int alignment = layoutAlignment(zone.value);
        static const int kLengths[] = {8, 5, 7};
        for (int i = 0; i < 3; ++i) {
            const int length = kLengths[i];
            const int y = r.top() + 4 + 3 * i;
            int left = r.left() + 2;
            if (alignment == 1)
                left = r.right() - 2 - length;
            else if (alignment == 2)
                left = r.center().x() - length / 2;
            p_.drawLine(left, y, left + length - 1, y);
        }
    }

    QPainter& p_;
    const QPalette& colours_;
    const Style& common_;
};

} // namespace

AttribView::AttribView(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
    takeHeight();
}

QSize AttribView::sizeHint() const {
    return {attrib::kWidth, palette_.height()};
}

void AttribView::setView(saoView* view) {
    if (view_ == view)
        return;
    disconnect(followed_);
    view_ = view;
    if (view)
        followed_ = connect(view, &saoView::selectionShown, this, qOverload<>(&QWidget::update));
    update();
}

void AttribView::setTab(int tab) {
    palette_.setTab(tab);
    takeHeight();
    update();
}

void AttribView::takeHeight() {
    setFixedSize(attrib::kWidth, palette_.height());
    // The palette window keeps its left-top corner.
    if (QWidget* top = window(); top != this) {
        // The window's layout takes the new size limits first, or they would hold it.
        if (QLayout* layout = top->layout())
            layout->activate();
        top->resize(attrib::kWidth, palette_.height());
    }
}

void AttribView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPalette& colours = palette();
    p.fillRect(rect(), colours.color(QPalette::Button));
    QFont small = font();
    small.setPixelSize(10);
    p.setFont(small);

    // The tabs, the current one last and raised.
    const int current = palette_.tab();
    auto drawTab = [&](int tab, bool raised) {
        const attrib::Span span = attrib::tabSpan(tab, raised);
        const QRect r(QPoint(span.left, raised ? kRaisedTop : kTabTop),
                      QPoint(span.right, attrib::kBandBottom));
        p.fillRect(r, colours.color(QPalette::Button));
        p.setPen(colours.color(QPalette::Light));
        p.drawLine(r.bottomLeft(), r.topLeft());
        p.drawLine(r.topLeft(), r.topRight());
        p.setPen(colours.color(QPalette::Dark));
        p.drawLine(r.topRight(), r.bottomRight());
        p.setPen(colours.color(QPalette::WindowText));
        p.drawText(r, Qt::AlignCenter, QString::fromStdString(attrib::tabLabel(tab)));
    };
    for (int tab = 0; tab < attrib::kTabCount; ++tab)
        if (tab != current)
            drawTab(tab, false);
    p.setPen(colours.color(QPalette::Light));
    p.drawLine(0, attrib::kBandBottom + 1, width() - 1, attrib::kBandBottom + 1);
    drawTab(current, true);

    // The content, only when the view's selection lies on its folio.
    const Style* common = view_ ? commonStyleOf(*view_) : nullptr;
    if (!common)
        return;
    const Folio& folio = *view_->folio();
    const std::vector<Zone>& zones = attrib::zonesOf(current);
    ZonePainter painter(p, colours, *common);
    const bool tabAccepted = selectionAccepts(folio, attrib::tabGroup(current));
    if (current == attrib::kGuitarTab)
        painter.paintFretboard(tabAccepted);
    for (const Zone& zone : zones)
        painter.paint(zone, tabAccepted && selectionAccepts(folio, zone.group));
}

void AttribView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    const attrib::ClickResult result = palette_.click(at.x(), at.y(), view_.data());
    if (result.tabChanged)
        takeHeight();
    update();
    if (!result.menu.empty())
        emit popupRequested(QString::fromStdString(result.menu), event->globalPosition().toPoint());
}

} // namespace plexo
