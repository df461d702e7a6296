// What drawing and hit-testing are told by their caller instead of reading
// shared state: the zoom, the page being printed, whether terminals are shown
// and the video mode.
#pragma once

namespace plexo {

struct RenderContext {
    int zoom = 5; // 0..8, or kNaturalSizeZoom (−1) for one document point to one output unit
    // The page being printed, for the "#Page" and "#TPages" title-block fields;
    // 0 when not printing (the page is then found from the label's position).
    int printedPage = 0;
    // Terminals and editable text zones are drawn ("Afficher les b&ornes", an
    // option of the document).
    bool showTerminals = true;
    // Every palette colour complemented (the presentation's display switch).
    bool inverseVideo = false;

    // Screen drawing at a zoom: terminals shown, not printing, normal video.
    static RenderContext atZoom(int zoom) {
        RenderContext context;
        context.zoom = zoom;
        return context;
    }
};

} // namespace plexo
