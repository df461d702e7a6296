// Draws the job model read by JclReader as a flowchart on a new folio of a
// schéma document: a column of program symbols, one per step, the files each
// step reads above it and those it writes below it, and orthogonal wires from
// the programs' terminals to the file symbols. The editor and the command line
// share this code; each says through a JobFlowchartTarget where the result goes.
#pragma once

#include "jcl/jclreader.h"
#include "shapes/point.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace plexo {

class Folio;
class Shape;
class saoDoc;

// Where a drawn folio is shown: the editor's view releases the folio it showed,
// switches to the new one, refreshes its tabs and repaints; the command line
// does nothing.
class JobFlowchartTarget {
public:
    virtual ~JobFlowchartTarget() = default;
    virtual void showFolio(saoDoc& document, Folio& folio) { (void)document, (void)folio; }
};

// The seven phases of a drawing, for the timings.
enum JobFlowchartPhase : int {
    kPhaseDocument = 0, // "Création du document"
    kPhasePlacing = 1,  // "Mise en place des objets"
    kPhaseObjects = 2,  // "Création des objets"
    kPhaseLinks = 3,    // "Création des liaisons"
    kPhaseWires = 4,    // "Création des fils"
    kPhaseOptimise = 5, // "Optimisations"
    kPhaseFinish = 6,   // the page count, the view, "Importation réussie"
    kPhaseCount = 7,
};

class JobFlowchart : public JclChunkSink {
public:
    explicit JobFlowchart(saoDoc& document, JobFlowchartTarget* target = nullptr);

    // Draws the reader's current chunk on a new folio of the document. True when
    // the folio was drawn whole; false when there was no step, or when a step with
    // too many files or a missing symbol stopped the drawing (the folio then keeps
    // what was placed before the stop).
    bool drawJobChunk(JclReader& reader, const std::filesystem::path& path) override;

    // Folios added to the document, whole or stopped, in drawing order.
    const std::vector<Folio*>& folios() const { return folios_; }
    int stoppedDrawings() const { return stopped_; }
    // Seconds spent in each phase over every drawing (steady clock).
    const std::array<double, kPhaseCount>& phaseSeconds() const { return seconds_; }

private:
    saoDoc& document_;
    JobFlowchartTarget* target_;
    std::vector<Folio*> folios_;
    int stopped_ = 0;
    std::array<double, kPhaseCount> seconds_{};
};

// The test of the wire layout: false when a symbol object of the folio has its
// top or bottom edge strictly between p.y and q.y and spans p.x to q.x; a
// segment of zero height is always free.
bool segmentIsFree(const Folio& folio, Point p, Point q);

// What commands 781 and 782 of the schéma view call: one JCL file, or every
// "*.jcl" file of a folder in directory-listing order, drawn into the document.
JclImportSummary importJclFile(saoDoc& document, const std::filesystem::path& path,
                               JobFlowchartTarget* target = nullptr);
JclImportSummary importJclFolder(saoDoc& document, const std::filesystem::path& folder,
                                 JobFlowchartTarget* target = nullptr);

} // namespace plexo
