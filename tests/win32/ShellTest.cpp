// Starting programs on Windows: "Start" opens through the shell, anything else starts as
// written, and what cannot start is the run-time error.
#include "platform/Runtime.h"
#include "platform/RuntimeError.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

// Waits for the started process to end, so that no test leaves one behind.
void AwaitExit(double processId) {
    ASSERT_GT(processId, 0);
    const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(processId));
    if (process == nullptr) return;  // already gone
    EXPECT_EQ(WaitForSingleObject(process, 10000), WAIT_OBJECT_0);
    CloseHandle(process);
}

std::u16string SystemProgram(const char16_t* name) {
    wchar_t directory[MAX_PATH] = L"";
    const UINT length = GetSystemDirectoryW(directory, MAX_PATH);
    return std::u16string(directory, directory + length) + u"\\" + name;
}

TEST(Shell, StartOpensThroughTheShellAndOtherLinesStartAsWritten) {
    AwaitExit(Shell(u"Start " + SystemProgram(u"hostname.exe"), WindowStyle::MinimizedFocus));
    AwaitExit(Shell(SystemProgram(u"hostname.exe"), WindowStyle::NormalFocus));
}

TEST(Shell, WhatCannotStartIsFileNotFound) {
    for (const std::u16string& line :
         {SystemProgram(u"missing-program.exe"), u"Start " + SystemProgram(u"missing.xyz")}) {
        try {
            Shell(line, WindowStyle::NormalFocus);
            ADD_FAILURE() << "started";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.number(), ErrorNumber::FileNotFound);
        }
    }
}

}  // namespace
