// Windows command lines: one string that the started program splits into its arguments.
#pragma once

#include <string>
#include <vector>

// Splits by the rules of the Microsoft C runtime: white space separates arguments, double
// quotes group, 2n backslashes before a quote give n backslashes and an opening or closing
// quote, 2n+1 give n backslashes and a literal quote, other backslashes are literal. The
// first argument (the program) ends at the first white space outside quotes and takes
// backslashes literally.
std::vector<std::u16string> SplitCommandLine(std::u16string_view commandLine);

// What Shell starts for a command line.
struct ShellCommand {
    // "Start" (in any case) as the program: the shell's command that opens its arguments
    // with the desktop's default program, e.g. a web address in the browser.
    bool opensWithDesktop = false;
    std::vector<std::u16string> arguments;  // the program first, unless opensWithDesktop
};

// Raises FileNotFound for a line that names nothing to start: empty, or "Start" alone.
ShellCommand ParseShellCommand(std::u16string_view commandLine);
