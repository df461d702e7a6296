// A whole schéma document as one PDF file: every folio's printed sheets in
// folio order, the file titled after the document and holding one bookmark per
// folio. Qt's PDF writer draws the sheets; PoDoFo adds the bookmarks, which
// Qt's writer cannot write.
#pragma once

#include "store/printlayout.h"

#include <filesystem>
#include <string>
#include <vector>

namespace plexo {

class saoDoc;

struct PdfBookmark {
    std::string title; // UTF-8
    int page = 0;      // 0-based page of the file it leads to
};

// The bookmark of a folio: its number and, when it has one, its first title
// (UTF-8; the folio's texts are Windows-1252).
class Folio;
std::string folioBookmarkTitle(const Folio& folio);

// Writes the document; the folios' objects are loaded for the time they are
// drawn. False with a French message when nothing or not everything could be
// written (no partial file is left at path) or when the progress cancelled.
bool writeDocumentPdf(saoDoc& document, const std::filesystem::path& path, std::string& error,
                      const PrintProgress& progress = {});

// Writes one folio's printed sheets, in the order and as they print, into a
// PDF file titled title (UTF-8), without bookmarks. False with a French message
// when the file could not be written; no partial file is left then.
bool writeFolioPdf(Folio& folio, const std::string& title, const std::filesystem::path& path,
                   std::string& error);

// Rewrites a PDF file with its title set and one top-level bookmark per entry.
bool addPdfOutline(const std::filesystem::path& input, const std::filesystem::path& output,
                   const std::string& title, const std::vector<PdfBookmark>& bookmarks, std::string& error);

} // namespace plexo
