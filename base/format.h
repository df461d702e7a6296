// printf-style filling of the message patterns of every subsystem. The
// arguments are integers, C strings and std::string texts (UTF-8 or
// Windows-1252 bytes, passed through as they are).
#pragma once

#include <cstdio>
#include <string>
#include <type_traits>

namespace plexo {

namespace detail {
template <typename T> auto formatArgument(const T& value) {
    if constexpr (std::is_same_v<T, std::string>)
        return value.c_str();
    else
        return value;
}
} // namespace detail

// The pattern with its fields filled; the pattern itself when it cannot be formatted.
template <typename... Args> std::string format(const char* pattern, const Args&... args) {
    const int size = std::snprintf(nullptr, 0, pattern, detail::formatArgument(args)...);
    if (size <= 0)
        return pattern;
    std::string text(static_cast<std::size_t>(size), '\0');
    std::snprintf(text.data(), text.size() + 1, pattern, detail::formatArgument(args)...);
    return text;
}

} // namespace plexo
