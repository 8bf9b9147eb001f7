// The runtime services the program uses besides its forms. Every operation that fails
// raises a RuntimeError (RuntimeError.h); none reports failure in its result.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The application object: settings of the program file.
namespace App {
std::u16string Title();  // the application title, used by message boxes too
bool PrevInstance();     // another copy of the program runs for this user
std::int16_t Major();
std::int16_t Minor();
std::int16_t Revision();
std::u16string LegalCopyright();
}  // namespace App

// The text of a string-table entry. Raises ResourceNotFound for an id not in the table.
std::u16string LoadResString(std::int16_t id);

enum class MsgBoxStyle : std::int32_t { OkOnly = 0, Information = 64 };
// A modal message box with the prompt (line feeds break lines), an OK button, the
// information icon for Information, titled with the application title. Returns when the
// box is closed, however it is closed.
void MsgBox(std::u16string_view prompt, MsgBoxStyle style);

enum class WindowStyle : std::int16_t { NormalFocus = 1, MinimizedFocus = 2 };
// Starts a program from a command line and returns without waiting for it. "Start "
// followed by an address opens the address in the desktop's default browser; any other
// command line is split into a program and its arguments by the rules of Windows command
// lines; backslashes in the program's path count as separators. No shell is involved.
// Returns a task number; raises FileNotFound when nothing could be started.
double Shell(std::u16string_view commandLine, WindowStyle style);

// The name of the file at path (its last component) when a normal file exists there, else
// the empty string. Backslashes count as separators.
std::u16string Dir(std::u16string_view path);

// Seeds the random sequence from the clock.
void Randomize();
// The next number of the random sequence: at least 0 and below 1.
float Rnd();

// Ends the process at once: unwinds to the entry point through EndRequested.
[[noreturn]] void End();

// Upper case of every character that has a single upper-case form; others stay.
std::u16string UCase(std::u16string_view text);
