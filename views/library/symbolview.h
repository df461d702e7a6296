// "SymbolView": the content of the "Symboles" palette. A 100-pixel strip at the
// top previews the selected symbol at 100 %, with its name; the library tree
// (LibView) fills the rest. Used symbols turn bold in the tree as documents
// take and let go of their drawings.
#pragma once

#include <QWidget>

#include <functional>
#include <memory>

namespace plexo {

class Lib;
class LibNode;
class LibView;
class saoDib;

inline constexpr int kPreviewHeight = 100;

class SymbolView : public QWidget {
    Q_OBJECT

public:
    SymbolView(Lib& lib, QWidget* parent = nullptr);
    ~SymbolView() override;

    LibView* tree() const { return tree_; }
    // Repaints the tree and the preview (a symbol editor closed, the libraries changed).
    void refresh();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void paintPreview(class QPainter& painter);

    Lib& lib_;
    LibView* tree_ = nullptr;
    bool previewing_ = false; // the preview's own use of a drawing is not a change to show
};

} // namespace plexo
