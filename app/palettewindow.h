// A floating palette of the frame ("Symboles", "Styles"): a tool window owned
// by the frame, placed from the settings. What it shows comes from the
// subsystem that fills it, through setPaletteContent.
#pragma once

#include <QWidget>

#include <functional>

namespace plexo {

enum class PaletteKind { Symbols, Attributes };

// Makes the content of a palette each time it opens (nullptr: an empty palette).
using PaletteContentFactory = std::function<QWidget*(QWidget* parent)>;
// Called once at start, from registerBuiltinDocumentKinds() (app/builtinkinds.cpp),
// by the subsystem that fills the palette: the library browser for
// Symbols, the style attribute palette for Attributes.
void setPaletteContent(PaletteKind kind, PaletteContentFactory factory);

class PaletteWindow : public QWidget {
    Q_OBJECT
public:
    PaletteWindow(PaletteKind kind, const QString& caption, QWidget* frame);

    PaletteKind kind() const { return kind_; }
    QWidget* content() const { return content_; }

private:
    PaletteKind kind_;
    QWidget* content_ = nullptr;
};

} // namespace plexo
