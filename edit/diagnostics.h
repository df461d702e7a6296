// The diagnostic message boxes 750..754 (commands without a menu): what the
// folio holds and the memory its objects take, the system, the document's
// working file and the single selected object. The texts are built here,
// without a window; the commands show them in an information box.
#pragma once

#include "edit/schemacommands.h"

#include <functional>
#include <string>

namespace plexo {

class Folio;
class Shape;
class saoDoc;

// 750: the folio's objects counted by kind (alive and deleted).
std::string folioObjectCounts(const Folio& folio);
// 751: the memory the folio's objects take, their records and texts included.
std::string folioMemory(const Folio& folio);
// 752: the system the editor runs on.
std::string systemInformation();
// 753: the records and bytes of the document's working file.
std::string workingFileStatistics(const saoDoc& document);
// 754: the single selected object: kind, number, outline, points, style and record.
std::string objectAnalysis(const Shape& shape);

// The kind's French name ("Rectangle", "Symbole", ...).
std::string kindName(int kind);

void addDiagnosticCommands(CommandTable<SchemaViewContext>& table,
                           const std::function<CommandRow<SchemaViewContext>&(int)>& add);

} // namespace plexo
