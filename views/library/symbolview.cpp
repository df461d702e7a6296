#include "views/library/symbolview.h"

#include "base/textcodec.h"
#include "library/lib.h"
#include "shapes/infosymbole.h"
#include "shapes/render.h"
#include "shapes/shape.h"
#include "shapes/symbolresolver.h"
#include "store/folio.h"
#include "store/saodoc.h"
#include "views/library/libview.h"
#include "views/qtsurface.h"

#include <QPainter>

namespace plexo {

namespace {

// Where the preview puts the symbol drawing's centre, in pixels of the strip.
constexpr int kPreviewCentreX = 100;
constexpr int kPreviewCentreY = 50;
constexpr int kUnitsPerPixel = 1000; // at 100 %
constexpr int kFullZoom = 5;         // 100 %

} // namespace

SymbolView::SymbolView(Lib& lib, QWidget* parent) : QWidget(parent), lib_(lib) {
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
    tree_ = new LibView(lib, this);
    connect(tree_, &LibView::selectionChanged, this, [this] { update(0, 0, width(), kPreviewHeight); });
    setSymbolUsageListener([this](LibNode&) {
        if (!previewing_)
            tree_->treeChanged();
    });
    resize(200, 400);
}

SymbolView::~SymbolView() {
    setSymbolUsageListener(nullptr);
}

void SymbolView::refresh() {
    tree_->treeChanged();
    update();
}

void SymbolView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    tree_->setGeometry(0, kPreviewHeight, width(), std::max(0, height() - kPreviewHeight));
}

void SymbolView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintPreview(painter);
}

void SymbolView::paintPreview(QPainter& painter) {
    painter.fillRect(0, 0, width(), kPreviewHeight, palette().color(QPalette::Light));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(0, kPreviewHeight - 1, width(), kPreviewHeight - 1);
    LibNode* node = lib_.selectedNode();
    if (!node || !node->isSymbol())
        return;
    // A scratch document and page hold the instance while it is drawn; they go
    // with it, giving the drawing back.
    previewing_ = true;
    {
        saoDoc scratch;
        Folio page(&scratch);
        Shape instance(kSymbol, &page);
        instance.createKindRecord();
        instance.infoSymbole->name = node->name;
        instance.infoSymbole->node = node;
        SymbolResolver* resolver = symbolResolver();
        instance.infoSymbole->drawingAcquired = resolver && resolver->acquireAndBuildLabels(instance, *node);
        if (instance.infoSymbole->drawingAcquired && node->drawingObjects() &&
            !node->drawingObjects()->empty()) {
            const Point at{kPreviewCentreX * kUnitsPerPixel, kPreviewCentreY * kUnitsPerPixel};
            instance.points = {at, at};
            instance.style = scratch.symbolStyle;
            instance.setApplicability();
            Folio::rebuildShape(instance);
            painter.save();
            painter.setClipRect(0, 0, width(), kPreviewHeight);
            QtSurface surface(painter);
            draw(instance, surface, kFullZoom, false);
            painter.restore();
        }
    }
    previewing_ = false;
    painter.setFont(tree_->normalFont());
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(QRect(3, 2, width() - 5, 13), Qt::AlignLeft | Qt::AlignVCenter,
                     QString::fromStdString(cp1252ToUtf8(node->name)));
}

} // namespace plexo
