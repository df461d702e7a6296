#include "views/print/documentpdf.h"

#include "base/format.h"
#include "base/textcodec.h"
#include "store/folio.h"
#include "store/folioholder.h"
#include "store/saodoc.h"
#include "views/print/printstrings.h"
#include "views/print/sheetpainter.h"

#include <QFile>
#include <QPainter>
#include <QPdfWriter>

#include <podofo/podofo.h>

#include <system_error>

namespace plexo {

namespace {

QString qPath(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

PoDoFo::PdfString pdfText(const std::string& utf8) {
    return PoDoFo::PdfString(reinterpret_cast<const PoDoFo::pdf_utf8*>(utf8.c_str()));
}

void removeQuietly(const std::filesystem::path& path) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
}

} // namespace

std::string folioBookmarkTitle(const Folio& folio) {
    std::string title = cp1252ToUtf8(folio.number);
    if (!folio.titles.front().empty())
        title += " - " + cp1252ToUtf8(folio.titles.front());
    return title;
}

bool addPdfOutline(const std::filesystem::path& input, const std::filesystem::path& output,
                   const std::string& title, const std::vector<PdfBookmark>& bookmarks, std::string& error) {
    // PoDoFo writes its parser's traces (the trailer it read) to the standard
    // error; a command-line user sees only Plexo's own messages.
    PoDoFo::PdfError::EnableDebug(false);
    PoDoFo::PdfError::EnableLogging(false);
    try {
        PoDoFo::PdfMemDocument pdf;
        pdf.Load(input.string().c_str());
        pdf.GetInfo()->SetTitle(pdfText(title));
        PoDoFo::PdfOutlineItem* last = nullptr;
        for (const PdfBookmark& bookmark : bookmarks) {
            if (bookmark.page < 0 || bookmark.page >= pdf.GetPageCount())
                continue;
            const PoDoFo::PdfDestination destination(pdf.GetPage(bookmark.page));
            if (!last) {
                last = pdf.GetOutlines()->CreateRoot(pdfText(bookmark.title));
                last->SetDestination(destination);
            } else {
                last = last->CreateNext(pdfText(bookmark.title), destination);
            }
        }
        // Tokens spaced as Qt writes them, so the file stays readable as text.
        pdf.SetWriteMode(PoDoFo::ePdfWriteMode_Clean);
        pdf.Write(output.string().c_str());
    } catch (const PoDoFo::PdfError& failure) {
        const char* name = PoDoFo::PdfError::ErrorName(failure.GetError());
        error = format(printstrings::kPdfOutlineFailed, output.string(), name ? name : "");
        return false;
    }
    return true;
}

namespace {

// Draws the folios' printed sheets, in folio order, into a new PDF file at
// drawn; the first page of each folio is noted in bookmarks. False with a
// French message (and nothing left at drawn) on failure or cancellation.
bool drawPrintedSheets(const std::vector<Folio*>& folios, const std::string& title,
                       const std::filesystem::path& drawn, const std::filesystem::path& path,
                       std::vector<PdfBookmark>& bookmarks, std::string& error, const PrintProgress& progress) {
    bool finished = true;
    {
        // Opened here, so that a file that cannot be written gets our message
        // rather than Qt's English warning from the painter.
        QFile file(qPath(drawn));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            error = format(printstrings::kPdfWriteFailed, path.string());
            return false;
        }
        QPdfWriter writer(&file);
        writer.setResolution(1200);
        writer.setCreator(QStringLiteral("Plexo"));
        writer.setTitle(QString::fromStdString(title));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setPageSize(sheetPageSize(*folios.front()));
        QPainter painter;
        if (!painter.begin(&writer)) {
            error = format(printstrings::kPdfWriteFailed, path.string());
            return false;
        }
        int page = 0;
        for (Folio* folio : folios) {
            FolioHolder hold(*folio);
            const PrintLayout layout(*folio);
            bookmarks.push_back({folioBookmarkTitle(*folio), page});
            for (int n = 1; n <= layout.sheetCount() && finished; ++n, ++page) {
                if (page > 0) {
                    writer.setPageSize(sheetPageSize(*folio));
                    writer.newPage();
                }
                PrintedSheetOptions options;
                options.progress = progress;
                finished = paintPrintedSheet(painter, QRectF(0, 0, writer.width(), writer.height()), *folio,
                                             n, options);
            }
            if (!finished)
                break;
        }
        if (!painter.end() && finished) {
            removeQuietly(drawn);
            error = format(printstrings::kPdfWriteFailed, path.string());
            return false;
        }
    }
    if (!finished) {
        removeQuietly(drawn);
        error = printstrings::kCancelled;
        return false;
    }
    return true;
}

} // namespace

bool writeDocumentPdf(saoDoc& document, const std::filesystem::path& path, std::string& error,
                      const PrintProgress& progress) {
    if (document.folios.empty()) {
        error = printstrings::kNoFolio;
        return false;
    }
    std::vector<Folio*> folios;
    for (const auto& folio : document.folios)
        folios.push_back(folio.get());
    // Qt writes the sheets beside the file; the file itself appears only once
    // its bookmarks are in.
    std::filesystem::path drawn = path;
    drawn += ".part";
    std::vector<PdfBookmark> bookmarks;
    if (!drawPrintedSheets(folios, document.title(), drawn, path, bookmarks, error, progress))
        return false;
    const bool outlined = addPdfOutline(drawn, path, document.title(), bookmarks, error);
    removeQuietly(drawn);
    if (!outlined)
        removeQuietly(path);
    return outlined;
}

bool writeFolioPdf(Folio& folio, const std::string& title, const std::filesystem::path& path,
                   std::string& error) {
    std::vector<PdfBookmark> bookmarks;
    return drawPrintedSheets({&folio}, title, path, path, bookmarks, error, {});
}

} // namespace plexo
