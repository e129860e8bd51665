#pragma once

#include <stdexcept>
#include <string>

namespace lirra {

// The one error type of the program. Platform operations, the book view and the
// command handlers raise it with the text the user is to see; the application's
// default handler (app/error_handler.h) shows it and the program goes on.
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& text) : std::runtime_error(text) {}
    std::string text() const { return what(); }
};

// printf-like helper for the texts with one "%s" or "%d" hole.
std::string formatText(const std::string& pattern, const std::string& value);
std::string formatText(const std::string& pattern, long long value);

} // namespace lirra
