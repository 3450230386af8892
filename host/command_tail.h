#pragma once
// Start-up helper: the switch and its argument follow the program's own path on the
// full command line that the platform hands every process.

// Returns the part of commandLine after the program path and the blanks and control
// characters (1 to 32) that follow it. A quoted path runs to and including the next
// double quote, an unquoted one up to the first character at or below the space.
// A missing command line yields an empty tail.
const char* ExtractCommandTail(const char* commandLine);
