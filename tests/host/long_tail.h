#pragma once
// Command tails far longer than any the shell writes: a switch followed by one filler
// character up to the given length.
#include <cstddef>
#include <string>

inline std::string LongTail(const char* switchText, char filler, std::size_t length) {
    std::string tail(switchText);
    return tail + std::string(length - tail.size(), filler);
}

// Tails that end a run at once with exit code 0, whatever their length: a number that wraps
// and names no window, an unknown switch, a password change outside the Windows 95 family,
// and an unknown switch behind a run of blanks.
struct LongTailCase {
    const char* name;
    const char* switchText;
    char filler;
    const char* end;
};

inline constexpr LongTailCase LongTailCases[] = {
    {"preview of a long number", "/p ", '9', ""},
    {"unknown switch and a long tail", "/x", 'x', ""},
    {"password change with a long number", "/a ", '7', ""},
    {"blanks up to an unknown switch", " \t", ' ', "/q"},
};

inline std::string LongTail(const LongTailCase& c, std::size_t length) {
    return LongTail(c.switchText, c.filler, length - std::string(c.end).size()) + c.end;
}
