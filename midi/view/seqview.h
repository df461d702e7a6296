// The document window of a séquence: a tab strip naming the tracks (Classeur2)
// above a pane drawing the current track's events (Pane2). It only displays.
#pragma once

#include "base/document.h"

#include <QFont>
#include <QWidget>

#include <string>

namespace plexo {

class Classeur2;
class MidiPiste;
class Pane2;
class seqDoc;

class seqView : public QWidget, public DocumentObserver {
    Q_OBJECT

public:
    seqView(seqDoc& document, QWidget* parent = nullptr);
    ~seqView() override;

    seqDoc& document() const { return document_; }
    // "Séquence": the frame routes the zoom commands by this name.
    std::string typeName() const;
    // The status bar's texts while this view is active.
    static std::string statusMessage();
    static std::string pageIndicator();

    int currentTrackIndex() const { return trackIndex_; }
    // nullptr when the document has no track.
    const MidiPiste* currentTrack() const;
    void selectTrack(int index);

    // Zoom commands 760..770, forwarded by the frame.
    void zoomCommand(int command);
    int zoomLevel() const;

    const QFont& tabFont() const { return font_; }
    Classeur2* tabStrip() const { return classeur_; }
    Pane2* pane() const { return pane_; }

    void documentChanged(int code, std::intptr_t detail) override;

signals:
    // The pane took a new zoom level: the frame shows its label in the zoom box.
    void zoomChanged(int level);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void layOut();
    void paintCorner(QPainter& painter);

    seqDoc& document_;
    int trackIndex_ = 0;
    QFont font_;
    bool paintCorner_ = true;
    Classeur2* classeur_ = nullptr;
    Pane2* pane_ = nullptr;
};

} // namespace plexo
