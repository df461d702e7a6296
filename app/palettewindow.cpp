#include "app/palettewindow.h"

#include "app/icons.h"

#include <QVBoxLayout>

#include <map>

namespace plexo {
namespace {

std::map<PaletteKind, PaletteContentFactory>& factories() {
    static std::map<PaletteKind, PaletteContentFactory> all;
    return all;
}

} // namespace

void setPaletteContent(PaletteKind kind, PaletteContentFactory factory) {
    factories()[kind] = std::move(factory);
}

PaletteWindow::PaletteWindow(PaletteKind kind, const QString& caption, QWidget* frame)
    : QWidget(frame, Qt::Tool), kind_(kind) {
    setObjectName(caption);
    setWindowTitle(caption);
    setWindowIcon(documentIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (auto found = factories().find(kind); found != factories().end() && found->second)
        content_ = found->second(this);
    if (content_)
        layout->addWidget(content_);
}

} // namespace plexo
