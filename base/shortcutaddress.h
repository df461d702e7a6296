// What the internet-address command may hand to the desktop. Web and mail
// addresses (http, https, ftp, mailto, or a bare host name taken as http) open
// at once; a local file or folder, a "file:" address or any other scheme is
// opened only after the user agreed to exactly what is named; a program (a file
// with an execute permission, a ".desktop" launcher), a Windows path and text
// with control characters are never handed over.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace plexo {

enum class AddressVerdict { Open, Ask, Refuse };

enum class AddressRefusal {
    None,
    Program,     // an executable file or a ".desktop" launcher
    Unreachable, // a Windows path, a relative path without a document folder, control characters
};

struct ShortcutAddress {
    AddressVerdict verdict = AddressVerdict::Refuse;
    AddressRefusal refusal = AddressRefusal::None;
    // What goes to the desktop's URL handler (UTF-8): a web or mail address as
    // written (a bare host name is taken as http there), a local file as a
    // "file://" address; empty when refused.
    std::string url;
    std::string shown; // what the question or the refusal names: the address, or the local path
};

// Classifies the shortcut's text (UTF-8). A relative local path ("./", "../")
// is resolved against documentFolder; "~/" against $HOME.
ShortcutAddress classifyShortcutAddress(std::string_view text, const std::filesystem::path& documentFolder);

} // namespace plexo
