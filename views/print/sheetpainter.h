// Printed sheets onto a QPainter: the printer, the print preview and the PDF
// writer draw a folio's sheets through here, so that what is previewed is
// what prints.
#pragma once

#include "store/printlayout.h"

#include <QPageSize>
#include <QRectF>

class QPainter;
class QPrinter;

namespace plexo {

class Folio;

// The paper of one page of the folio, exactly the document's page size.
QPageSize sheetPageSize(const Folio& folio);

// Gives a printer the paper of the folio's pages: the standard size it is
// close to (A4, A3...) when there is one, turned as the page is, so that the
// printer's own paper names apply.
void takeSheetPaper(QPrinter& printer, const Folio& folio);

// Draws sheet n of the folio with its window (PrintLayout::sheetWindow)
// stretched onto viewport, in the painter's device coordinates: the printer's
// printable page. False when cancelled through the options' progress.
bool paintPrintedSheet(QPainter& painter, const QRectF& viewport, Folio& folio, int n,
                       const PrintedSheetOptions& options = {});

} // namespace plexo
