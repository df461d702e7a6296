// saoPrintOut: one folio printed on a printer (a CUPS queue, a PDF file or
// the print preview's pages), a sheet per page of the folio. The print loop
// is Qt's: this answers which sheets there are and draws them, with a
// progress dialog that can cancel the job when the folio holds many objects.
#pragma once

#include "store/printlayout.h"

#include <string>

class QPrintDialog;
class QPrinter;
class QWidget;

namespace plexo {

class Folio;

class saoPrintOut {
public:
    // title: the print job's name, the document's title (UTF-8).
    saoPrintOut(std::string title, Folio& folio);

    int firstPage() const { return 1; }
    int lastPage() const { return layout_.sheetCount(); }
    bool hasPage(int n) const { return layout_.hasSheet(n); }

    enum class Outcome { Printed, Cancelled, Failed };
    // Prints the sheets of the printer's range (every sheet when it has none)
    // onto its printable page. The progress dialog opens over parent when the
    // folio holds at least kProgressObjects objects. A cancelled job is
    // aborted; nothing of the folio changes either way.
    Outcome print(QPrinter& printer, QWidget* parent = nullptr);

    static constexpr int kProgressObjects = 500;

private:
    std::string title_;
    Folio& folio_;
    PrintLayout layout_;
};

// The print dialog in French where Qt's own translations are not installed:
// its title and its "print to a PDF file" entry.
void frenchPrintDialog(QPrintDialog& dialog);

// The application's printer, kept from one print to the next with what the
// printer setup chose; asks the folio's page size until the user chose one.
QPrinter& applicationPrinter();
// Set once the printer setup was accepted: its paper is then the user's.
bool printerPaperChosen();
void setPrinterPaperChosen(bool chosen);

} // namespace plexo
