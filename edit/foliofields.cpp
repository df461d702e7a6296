#include "edit/foliofields.h"

#include "base/textcodec.h"

namespace plexo {

namespace {

std::string shown(const std::string& cp1252) {
    return cp1252ToUtf8(cp1252);
}

std::string stored(const std::string& utf8, int length) {
    std::string text = utf8ToCp1252(utf8);
    // A NUL would end the text early in its field: the text stops there.
    text = text.substr(0, text.find('\0'));
    if (text.size() > static_cast<std::size_t>(length))
        text.resize(static_cast<std::size_t>(length));
    return text;
}

} // namespace

FolioIdentification identificationOf(const Folio& folio) {
    FolioIdentification id;
    id.number = shown(folio.number);
    id.date = shown(folio.date);
    id.author = shown(folio.author);
    id.object = shown(folio.object);
    id.index = folio.index == '\0' ? std::string() : shown(std::string(1, folio.index));
    for (int i = 0; i < kFolioTitleCount; ++i)
        id.titles[i] = shown(folio.titles[i]);
    for (int i = 0; i < kFolioRevisionCount; ++i) {
        id.revisionAuthors[i] = shown(folio.revisionAuthors[i]);
        id.revisionDates[i] = shown(folio.revisionDates[i]);
        id.revisionObjects[i] = shown(folio.revisionObjects[i]);
    }
    return id;
}

void applyIdentification(const FolioIdentification& id, Folio& folio) {
    using namespace folioFieldLength;
    folio.number = stored(id.number, kNumber);
    folio.date = stored(id.date, kDate);
    folio.author = stored(id.author, kAuthor);
    folio.object = stored(id.object, kObject);
    const std::string index = stored(id.index, 1);
    folio.index = index.empty() ? ' ' : index[0];
    for (int i = 0; i < kFolioTitleCount; ++i)
        folio.titles[i] = stored(id.titles[i], kTitle);
    for (int i = 0; i < kFolioRevisionCount; ++i) {
        folio.revisionAuthors[i] = stored(id.revisionAuthors[i], kRevisionAuthor);
        folio.revisionDates[i] = stored(id.revisionDates[i], kRevisionDate);
        folio.revisionObjects[i] = stored(id.revisionObjects[i], kRevisionObject);
    }
}

} // namespace plexo

namespace plexo {

std::string folioListLine(const Folio& folio) {
    return cp1252ToUtf8(folio.number + " : " + folio.titles[0] + " / " + folio.author + " - " + folio.object);
}

} // namespace plexo
