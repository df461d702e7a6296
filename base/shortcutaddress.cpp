#include "base/shortcutaddress.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sys/stat.h>

namespace plexo {

namespace {

// Schemes the desktop opens in a browser or a mail client.
constexpr std::string_view kWebSchemes[] = {"http", "https", "ftp", "mailto"};

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The scheme in lower case ("" when the text has none): letters, digits, '+',
// '-' and '.' after a first letter, then ':'.
std::string schemeOf(std::string_view text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0 || !std::isalpha(static_cast<unsigned char>(text[0])))
        return {};
    std::string scheme;
    for (char c : text.substr(0, colon)) {
        const auto u = static_cast<unsigned char>(c);
        if (!std::isalnum(u) && c != '+' && c != '-' && c != '.')
            return {};
        scheme += static_cast<char>(std::tolower(u));
    }
    return scheme;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

std::string percentDecoded(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 &&
            hexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string fileUrl(const std::string& path) {
    static const char* hex = "0123456789ABCDEF";
    std::string url = "file://";
    for (char c : path) {
        const auto u = static_cast<unsigned char>(c);
        if (std::isalnum(u) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
            url += c;
        } else {
            url += '%';
            url += hex[u >> 4];
            url += hex[u & 15];
        }
    }
    return url;
}

ShortcutAddress refused(AddressRefusal why, std::string shown) {
    return {AddressVerdict::Refuse, why, {}, std::move(shown)};
}

bool endsWithDesktop(const std::string& path) {
    constexpr std::string_view suffix = ".desktop";
    if (path.size() < suffix.size())
        return false;
    return std::equal(suffix.begin(), suffix.end(), path.end() - static_cast<std::ptrdiff_t>(suffix.size()),
                      [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

ShortcutAddress localFile(const std::filesystem::path& file) {
    const std::string path = file.lexically_normal().string();
    struct stat status {};
    const bool program = ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
                         (status.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) != 0;
    if (program || endsWithDesktop(path))
        return refused(AddressRefusal::Program, path);
    return {AddressVerdict::Ask, AddressRefusal::None, fileUrl(path), path};
}

} // namespace

ShortcutAddress classifyShortcutAddress(std::string_view text, const std::filesystem::path& documentFolder) {
    text = trimmed(text);
    const std::string shown(text);
    if (text.empty() || std::any_of(text.begin(), text.end(),
                                    [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }))
        return refused(AddressRefusal::Unreachable, shown);

    const std::string scheme = schemeOf(text);
    if (scheme.size() == 1 || text.find('\\') != std::string_view::npos)
        return refused(AddressRefusal::Unreachable, shown); // "C:\...", "\\server\share"
    if (std::find(std::begin(kWebSchemes), std::end(kWebSchemes), scheme) != std::end(kWebSchemes))
        return {AddressVerdict::Open, AddressRefusal::None, shown, shown};
    if (scheme == "file") {
        std::string_view rest = text.substr(5);
        if (rest.substr(0, 2) == "//") {
            rest.remove_prefix(2);
            if (rest.substr(0, 9) == "localhost")
                rest.remove_prefix(9);
        }
        if (rest.empty() || rest.front() != '/')
            return refused(AddressRefusal::Unreachable, shown); // a file on another machine
        return localFile(percentDecoded(rest));
    }
    if (!scheme.empty())
        return {AddressVerdict::Ask, AddressRefusal::None, shown, shown};

    if (text.front() == '/')
        return localFile(std::filesystem::path(text));
    if (text.substr(0, 2) == "~/") {
        const char* home = std::getenv("HOME");
        if (!home || *home != '/')
            return refused(AddressRefusal::Unreachable, shown);
        return localFile(std::filesystem::path(home) / text.substr(2));
    }
    if (text.substr(0, 2) == "./" || text.substr(0, 3) == "../" || text == "." || text == "..") {
        if (documentFolder.empty() || !documentFolder.is_absolute())
            return refused(AddressRefusal::Unreachable, shown);
        return localFile(documentFolder / text);
    }
    // A bare host name, as a browser's address bar takes it.
    return {AddressVerdict::Open, AddressRefusal::None, shown, shown};
}

} // namespace plexo
