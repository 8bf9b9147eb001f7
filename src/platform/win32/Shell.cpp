// Starting programs on Windows: the shell's Start through ShellExecuteW (Start is a command
// of cmd.exe, not a program), anything else through CreateProcessW as written.
#include "platform/CommandLine.h"
#include "platform/Runtime.h"
#include "platform/RuntimeError.h"
#include "platform/win32/Text.h"

#include <windows.h>

#include <string>

namespace {

// shell32 is large and needed only when something is opened: it is loaded then, so that
// start-up does not pay for it.
using ShellExecuteExFunction = BOOL(WINAPI*)(SHELLEXECUTEINFOW*);
ShellExecuteExFunction LoadedShellExecuteEx() {
    static const auto function = reinterpret_cast<ShellExecuteExFunction>(
        reinterpret_cast<void*>(GetProcAddress(LoadLibraryW(L"shell32.dll"), "ShellExecuteExW")));
    return function;
}

[[noreturn]] void NotStarted() { throw RuntimeError(ErrorNumber::FileNotFound, "File not found"); }

// The arguments after the first, as one command line for the program that opens it.
std::wstring Parameters(const std::vector<std::u16string>& arguments) {
    std::wstring parameters;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        if (!parameters.empty()) parameters += L' ';
        parameters += L'"' + ToWide(arguments[i]) + L'"';
    }
    return parameters;
}

double OpenWithDesktop(const std::vector<std::u16string>& arguments, int show) {
    const std::wstring target = ToWide(arguments.front());
    const std::wstring parameters = Parameters(arguments);
    SHELLEXECUTEINFOW execute{};
    execute.cbSize = sizeof execute;
    execute.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    execute.lpVerb = L"open";
    execute.lpFile = target.c_str();
    execute.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    execute.nShow = show;
    if (LoadedShellExecuteEx() == nullptr || !LoadedShellExecuteEx()(&execute)) NotStarted();
    if (execute.hProcess == nullptr) return 0;  // a program that was already running took it
    const DWORD id = GetProcessId(execute.hProcess);
    CloseHandle(execute.hProcess);
    return id;
}

}  // namespace

double Shell(std::u16string_view commandLine, WindowStyle style) {
    const ShellCommand command = ParseShellCommand(commandLine);
    const int show = style == WindowStyle::MinimizedFocus ? SW_SHOWMINIMIZED : SW_SHOWNORMAL;
    if (command.opensWithDesktop) return OpenWithDesktop(command.arguments, show);

    std::wstring line = ToWide(commandLine);  // CreateProcessW may write into it
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(show);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        NotStarted();
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return process.dwProcessId;
}
