// A folio's identification as the folio dialog shows it: UTF-8 texts, and back
// into the folio's Windows-1252 fields, each cut to what its field holds.
#pragma once

#include "store/folio.h"

#include <array>
#include <string>

namespace plexo {

struct FolioIdentification {
    std::string number;
    std::string date; // "%02d/%02d/%04d"
    std::string author;
    std::string object;
    std::string index; // one character
    std::array<std::string, kFolioTitleCount> titles;
    std::array<std::string, kFolioRevisionCount> revisionAuthors;
    std::array<std::string, kFolioRevisionCount> revisionDates;
    std::array<std::string, kFolioRevisionCount> revisionObjects;
};

// How many characters the dialog lets the user type in each field (the
// field's size less its terminating NUL).
namespace folioFieldLength {
constexpr int kNumber = kFolioNumberSize - 1;
constexpr int kDate = kFolioDateSize - 1;
constexpr int kAuthor = kFolioAuthorSize - 1;
constexpr int kObject = kFolioObjectSize - 1;
constexpr int kTitle = kFolioTitleSize - 1;
constexpr int kRevisionAuthor = kFolioRevisionAuthorSize - 1;
constexpr int kRevisionDate = kFolioRevisionDateSize - 1;
constexpr int kRevisionObject = kFolioRevisionObjectSize - 1;
} // namespace folioFieldLength

FolioIdentification identificationOf(const Folio& folio);
// Writes every field into the folio: converted to Windows-1252 and cut to the
// field's length; an empty index becomes a space.
void applyIdentification(const FolioIdentification& identification, Folio& folio);

} // namespace plexo

namespace plexo {

// A folio's line in the folio list: number " : " first title " / " author " - " object (UTF-8).
std::string folioListLine(const Folio& folio);

} // namespace plexo
