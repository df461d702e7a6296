#include "shell/profilefile.h"

#include <fstream>
#include <sstream>
#include <system_error>

namespace plexo {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Cuts text to at most max bytes without splitting a UTF-8 sequence.
std::string_view cutToLength(std::string_view text, std::size_t max) {
    if (text.size() <= max)
        return text;
    std::size_t end = max;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

// A line break inside a key or a value would split it into two lines of the file.
std::string oneLine(std::string_view text) {
    std::string line(text);
    for (char& c : line)
        if (c == '\r' || c == '\n')
            c = ' ';
    return line;
}

} // namespace

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    return true;
}

bool ProfileFile::load(const std::filesystem::path& path) {
    path_ = path;
    lines_.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad())
        return false;
    setText(content.str());
    return true;
}

void ProfileFile::setText(std::string_view text) {
    lines_.clear();
    while (!text.empty()) {
        auto end = text.find('\n');
        if (end == std::string_view::npos) {
            lines_.push_back({std::string(text), ""});
            break;
        }
        std::string_view content = text.substr(0, end);
        if (!content.empty() && content.back() == '\r') {
            content.remove_suffix(1);
            lines_.push_back({std::string(content), "\r\n"});
        } else {
            lines_.push_back({std::string(content), "\n"});
        }
        text.remove_prefix(end + 1);
    }
}

std::string ProfileFile::text() const {
    std::string all;
    for (const auto& line : lines_) {
        all += line.content;
        all += line.ending;
    }
    return all;
}

bool ProfileFile::save() const {
    if (path_.empty())
        return false;
    auto temporary = path_;
    temporary += ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        out << text();
        out.flush();
        if (!out) {
            std::error_code ec;
            std::filesystem::remove(temporary, ec);
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path_, ec);
    if (ec) {
        std::filesystem::remove(temporary, ec);
        return false;
    }
    return true;
}

bool ProfileFile::saveAs(const std::filesystem::path& path) {
    path_ = path;
    return save();
}

ProfileFile::Parsed ProfileFile::parse(const std::string& content) {
    std::string_view text = content;
    if (text.starts_with(kUtf8Bom))
        text.remove_prefix(kUtf8Bom.size());
    text = trim(text);
    Parsed parsed;
    if (text.empty() || text.front() == ';')
        return parsed;
    if (text.front() == '[') {
        text.remove_prefix(1);
        auto close = text.find(']');
        parsed.kind = LineKind::Section;
        parsed.name = trim(text.substr(0, close));
        return parsed;
    }
    auto equals = text.find('=');
    if (equals == std::string_view::npos)
        return parsed;
    parsed.kind = LineKind::Key;
    parsed.name = trim(text.substr(0, equals));
    parsed.value = trim(text.substr(equals + 1));
    return parsed;
}

std::size_t ProfileFile::findSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        auto parsed = parse(lines_[i].content);
        if (parsed.kind == LineKind::Section && equalsIgnoringCase(parsed.name, section))
            return i;
    }
    return std::string::npos;
}

std::size_t ProfileFile::findKey(std::size_t sectionLine, std::string_view key) const {
    for (std::size_t i = sectionLine + 1; i < lines_.size(); ++i) {
        auto parsed = parse(lines_[i].content);
        if (parsed.kind == LineKind::Section)
            break;
        if (parsed.kind == LineKind::Key && equalsIgnoringCase(parsed.name, key))
            return i;
    }
    return std::string::npos;
}

std::optional<std::string> ProfileFile::readString(std::string_view section, std::string_view key) const {
    auto sectionLine = findSection(section);
    if (sectionLine == std::string::npos)
        return std::nullopt;
    auto keyLine = findKey(sectionLine, key);
    if (keyLine == std::string::npos)
        return std::nullopt;
    return std::string(cutToLength(parse(lines_[keyLine].content).value, kMaxValueLength));
}

std::string ProfileFile::readString(std::string_view section, std::string_view key,
                                    std::string_view fallback) const {
    auto value = readString(section, key);
    return value ? *value : std::string(fallback);
}

std::string ProfileFile::newLineEnding() const {
    for (const auto& line : lines_)
        if (!line.ending.empty())
            return line.ending;
    return "\r\n";
}

void ProfileFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
    const std::string ending = newLineEnding();
    auto sectionLine = findSection(section);
    if (sectionLine == std::string::npos) {
        if (!lines_.empty() && lines_.back().ending.empty())
            lines_.back().ending = ending;
        lines_.push_back({"[" + oneLine(section) + "]", ending});
        lines_.push_back({oneLine(key) + "=" + oneLine(value), ending});
        return;
    }
    auto keyLine = findKey(sectionLine, key);
    if (keyLine != std::string::npos) {
        // The key keeps its spelling; only what follows "=" changes.
        std::string spelled(parse(lines_[keyLine].content).name);
        lines_[keyLine].content = spelled + "=" + oneLine(value);
        return;
    }
    // After the last non-blank line of the section, so that a blank line that
    // separates it from the next section stays where it is.
    std::size_t insertAt = sectionLine + 1;
    for (std::size_t i = sectionLine + 1; i < lines_.size(); ++i) {
        auto parsed = parse(lines_[i].content);
        if (parsed.kind == LineKind::Section)
            break;
        if (!trim(lines_[i].content).empty())
            insertAt = i + 1;
    }
    if (lines_[insertAt - 1].ending.empty())
        lines_[insertAt - 1].ending = ending;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt),
                  Line{oneLine(key) + "=" + oneLine(value), ending});
}

void ProfileFile::removeKey(std::string_view section, std::string_view key) {
    auto sectionLine = findSection(section);
    if (sectionLine == std::string::npos)
        return;
    auto keyLine = findKey(sectionLine, key);
    if (keyLine != std::string::npos)
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(keyLine));
}

} // namespace plexo
