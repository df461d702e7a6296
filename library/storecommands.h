// Command-line verbs on schéma documents and symbol libraries:
//   plexo dump FICHIER            the file as stored, in JSON (status 1 when damaged, 2 unreadable)
//   plexo check FICHIER           validates the container and every live record
//   plexo resave ENTREE.dls -o SORTIE.dls [--library DOSSIER]
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace plexo {

class Buffer;

int runDumpCommand(int argc, char** argv);
int runCheckCommand(int argc, char** argv);
// usualLibrary: the symbol folder used without "--library" (the editor's, given by
// the caller).
int runResaveCommand(int argc, char** argv, const std::filesystem::path& usualLibrary);

// What "plexo dump" and "plexo check" find in a ".dls" (or working copy) or ".dly"
// file, from one reading of it.
struct StoreFileReport {
    // False when the file could not be read at all (the message in problems).
    bool readable = false;
    // The file as stored, decoded without the libraries (symbol labels as stored):
    // one JSON document with its closing newline, also for a damaged file (what was
    // read before the damage, and an "error" beside it naming where).
    std::string json;
    // One French message each; empty when the records tile the file and every live
    // record decodes completely.
    std::vector<std::string> problems;
};
StoreFileReport inspectStoreFile(const std::string& path);

// The JSON of inspectStoreFile; false with a French message in error when the file
// cannot be read.
bool dumpStoreFile(const std::string& path, std::string& json, std::string& error);

// The problems of inspectStoreFile.
std::vector<std::string> checkStoreFile(const std::string& path);

// The number of object records in a stored object list (the payload of a folio's
// record), read as stored; -1 when the list does not decode.
int storedObjectCount(Buffer& objectList);

} // namespace plexo
