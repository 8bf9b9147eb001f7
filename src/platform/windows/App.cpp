// Another copy of the program is detected through a named mutex in the session's namespace,
// with the user in its name: nothing is written, and the kernel releases it the moment
// the holder dies, however it dies.
#include "platform/Runtime.h"

#include <windows.h>

#include <iterator>
#include <string>

namespace {

std::wstring InstanceName() {
    wchar_t user[257] = L"";
    DWORD size = static_cast<DWORD>(std::size(user));
    if (!GetUserNameW(user, &size)) user[0] = L'\0';
    std::wstring name = L"Local\\kimoro-";
    for (const wchar_t* c = user; *c != L'\0'; ++c) name += *c == L'\\' ? L'_' : *c;
    return name;
}

}  // namespace

bool App::PrevInstance() {
    static const bool anotherRuns = [] {
        // The handle stays open for the life of the process.
        const HANDLE mutex = CreateMutexW(nullptr, FALSE, InstanceName().c_str());
        return mutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
    }();
    return anotherRuns;
}
