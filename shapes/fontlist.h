// The application's list of font face names. Styles hold a font as a 1-based
// index into this list (0: unknown face); files hold the face name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace plexo {

class FontList {
public:
    // At most this many installed faces are kept (the first ones in enumeration order).
    static constexpr int kMaxInstalledFonts = 98;
    // At most this many faces join the list in a session (documents read, font
    // dialog): past it an unknown face maps to 0, so that a hostile document full
    // of distinct face names cannot grow the list without bound.
    static constexpr int kMaxAddedFaces = 1000;

    // Replaces the list by the installed faces, given in enumeration order and as
    // Windows-1252 bytes: the first kMaxInstalledFonts distinct non-empty names are
    // kept and sorted (byte order). Faces added before are forgotten.
    void setInstalledFonts(const std::vector<std::string>& names);

    // 1-based index of the face (exact, case-sensitive), 0 when absent or empty.
    int fontIndexByName(std::string_view name) const;

    // The face at a 0-based position, or nullptr when out of range.
    const std::string* fontNameByIndex(int index) const;

    // The face of a style's 1-based font index, or an empty string for 0 or out of range.
    std::string faceName(int fontIndex) const;

    // Makes a face known for the session and returns its 1-based index (its existing
    // index when it is already listed, 0 for an empty name). A new face is appended at
    // the end rather than sorted in, so the indices already held by styles keep
    // naming the same faces. Used for faces found in documents that are not
    // installed here, and by the font dialog. Once kMaxAddedFaces faces were added
    // since setInstalledFonts, a new face gets 0 (logged once).
    int addFace(std::string_view name);

    int size() const { return static_cast<int>(names_.size()); }
    const std::vector<std::string>& names() const { return names_; }
    void clear() {
        names_.clear();
        added_ = 0;
        refusalLogged_ = false;
    }

private:
    std::vector<std::string> names_;
    int added_ = 0;              // faces added since the installed ones were set
    bool refusalLogged_ = false; // the cap was reported

};

// The application's font list (one per process).
FontList& fontList();

} // namespace plexo
