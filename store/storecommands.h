// Command-line verbs on schéma documents and symbol libraries:
//   plexo dump FICHIER            the file as stored, in JSON
//   plexo check FICHIER           validates the container and every live record
//   plexo resave ENTREE.dls -o SORTIE.dls [--library DOSSIER]
#pragma once

#include <string>
#include <vector>

namespace plexo {

class Buffer;

int runDumpCommand(int argc, char** argv);
int runCheckCommand(int argc, char** argv);
int runResaveCommand(int argc, char** argv);

// The JSON description of a ".dls" (or working copy) or ".dly" file as stored,
// decoded without the libraries (symbol labels as stored). False with a French
// message in error when the file is not a container.
bool dumpStoreFile(const std::string& path, std::string& json, std::string& error);

// The problems of a file, one French message each; empty when the records tile
// the file and every live record decodes completely.
std::vector<std::string> checkStoreFile(const std::string& path);

// The number of object records in a stored object list (the payload of a folio's
// record), read as stored; -1 when the list does not decode.
int storedObjectCount(Buffer& objectList);

} // namespace plexo
