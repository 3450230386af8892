#include "host/command_tail.h"

namespace {

constexpr char Quote = '"';
constexpr unsigned char Space = ' ';

bool IsBlankOrControl(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code != 0 && code <= Space;
}

}  // namespace

const char* ExtractCommandTail(const char* commandLine) {
    if (commandLine == nullptr) return "";
    const char* position = commandLine;
    if (*position == Quote) {
        ++position;
        while (*position != '\0' && *position != Quote) ++position;
        // A quote never closed leaves the whole line as the path.
        if (*position == Quote) ++position;
    } else {
        while (static_cast<unsigned char>(*position) > Space) ++position;
    }
    while (IsBlankOrControl(*position)) ++position;
    return position;
}
