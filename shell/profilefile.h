// A private profile (ini) file with the semantics the settings file has always
// had: "[section]" headers and "key=value" lines, sections and keys compared
// without regard to (ASCII) case, the first occurrence of a section or key
// wins, values read raw and at most 255 characters long. Writing a key changes
// only that key's line (or adds one), so everything else in the file, comments
// and unknown keys included, is kept byte for byte.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plexo {

class ProfileFile {
public:
    static constexpr std::size_t kMaxValueLength = 255; // longest value a read returns

    ProfileFile() = default;

    // Reads the file; a missing or unreadable file gives an empty profile
    // (false is returned, the path is kept for save()).
    bool load(const std::filesystem::path& path);
    // Parses text (CR LF or LF line endings) as the file's content.
    void setText(std::string_view text);

    // Writes the whole profile back to its path, through a temporary file so
    // that a failed write leaves the old file. False on failure.
    bool save() const;
    bool saveAs(const std::filesystem::path& path);

    const std::filesystem::path& path() const { return path_; }
    std::string text() const;

    // The value of the first key of the first section of that name, with the
    // spaces around it removed and cut to kMaxValueLength; nullopt when absent.
    std::optional<std::string> readString(std::string_view section, std::string_view key) const;
    std::string readString(std::string_view section, std::string_view key, std::string_view fallback) const;

    // Replaces the value of the first key of that name in the first section of
    // that name, adds the key at the end of the section, or adds the section
    // at the end of the file.
    void writeString(std::string_view section, std::string_view key, std::string_view value);
    // Removes the key's first occurrence (nothing when absent).
    void removeKey(std::string_view section, std::string_view key);

private:
    struct Line {
        std::string content; // without its line ending
        std::string ending;  // "\r\n", "\n" or "" for a last line without one
    };
    enum class LineKind { Other, Section, Key };
    struct Parsed {
        LineKind kind = LineKind::Other;
        std::string_view name;  // section name or key
        std::string_view value; // for a key
    };

    static Parsed parse(const std::string& content);
    // Index of the first section header of that name, or npos.
    std::size_t findSection(std::string_view section) const;
    // Index of the key's line inside the section starting at sectionLine, or npos.
    std::size_t findKey(std::size_t sectionLine, std::string_view key) const;
    std::string newLineEnding() const;

    std::filesystem::path path_;
    std::vector<Line> lines_;
};

// Whole-string comparison without regard to ASCII case.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

} // namespace plexo
