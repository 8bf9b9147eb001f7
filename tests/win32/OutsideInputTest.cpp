// The program driven from outside its process, as a screen reader or a test robot drives it:
// messages posted straight to its windows, to disabled ones too, which no mouse or keyboard
// reaches. Windows behind a modal one take none of it, and the program ends, its
// single-instance guard with it, once its last window goes.
#include <gtest/gtest.h>
#include <oleacc.h>
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

constexpr wchar_t kMainTitle[] = L"きもろ";
constexpr wchar_t kAboutTitle[] = L"ﾊﾞｰｼﾞｮﾝ情報";
constexpr wchar_t kWinDIRTitle[] = L"WindowsDirectory";

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring TextOf(HWND window) {
    wchar_t text[128] = L"";
    GetWindowTextW(window, text, 128);
    return text;
}

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds longest) {
    const auto end = std::chrono::steady_clock::now() + longest;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

// One run of kimoro.exe, built beside this test.
class Program {
public:
    Program() {
        std::wstring path = L"Z:" KIMORO_EXE;
        for (wchar_t& c : path) {
            if (c == L'/') c = L'\\';
        }
        std::wstring line = L"\"" + path + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        started_ = CreateProcessW(path.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  nullptr, &startup, &process_) != FALSE;
    }
    ~Program() {
        if (!started_) return;
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_.hProcess, 99);
            WaitForSingleObject(process_.hProcess, 5000);
        }
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool Started() const { return started_; }
    DWORD Id() const { return process_.dwProcessId; }

    // Its shown top-level windows of the given class, and title where one is given.
    std::vector<HWND> Windows(const wchar_t* windowClass, const wchar_t* title = nullptr) const {
        struct Search {
            DWORD id;
            const wchar_t* windowClass;
            const wchar_t* title;
            std::vector<HWND> found;
        } search{process_.dwProcessId, windowClass, title, {}};
        EnumWindows(
            [](HWND window, LPARAM data) {
                auto& search = *reinterpret_cast<Search*>(data);
                DWORD id = 0;
                GetWindowThreadProcessId(window, &id);
                if (id == search.id && IsWindowVisible(window) &&
                    ClassOf(window) == search.windowClass &&
                    (search.title == nullptr || TextOf(window) == search.title)) {
                    search.found.push_back(window);
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    // The one shown form with this title, waiting for it a while; null when none shows.
    HWND Form(const wchar_t* title, std::chrono::milliseconds longest = 5000ms) const {
        HWND found = nullptr;
        WaitFor(
            [&] {
                const auto windows = Windows(L"KimoroForm", title);
                found = windows.empty() ? nullptr : windows.front();
                return found != nullptr;
            },
            longest);
        return found;
    }
    HWND MessageBox(std::chrono::milliseconds longest = 5000ms) const {
        HWND found = nullptr;
        WaitFor(
            [&] {
                const auto windows = Windows(L"#32770");
                found = windows.empty() ? nullptr : windows.front();
                return found != nullptr;
            },
            longest);
        return found;
    }

    bool Ended(std::chrono::milliseconds longest) const {
        return WaitForSingleObject(process_.hProcess, static_cast<DWORD>(longest.count())) ==
               WAIT_OBJECT_0;
    }
    DWORD ExitCode() const {
        DWORD code = 0;
        GetExitCodeProcess(process_.hProcess, &code);
        return code;
    }

private:
    PROCESS_INFORMATION process_{};
    bool started_ = false;
};

// A character posted to a window, as an input method or a robot delivers it.
void PostCharacter(HWND window, wchar_t character) { PostMessageW(window, WM_CHAR, character, 1); }

// A button pressed by its caption, as assistive technology presses it.
void PressButton(HWND window, const wchar_t* caption) {
    HWND button = nullptr;
    while ((button = FindWindowExW(window, button, L"Button", nullptr)) != nullptr) {
        if (TextOf(button) == caption) {
            PostMessageW(button, BM_CLICK, 0, 0);
            return;
        }
    }
    ADD_FAILURE() << "no button " << testing::PrintToString(std::wstring(caption));
}

// What the program shows settles: a posted message has had its time.
void Settle() { std::this_thread::sleep_for(300ms); }

// What a screen reader reads of a window's client area through Active Accessibility.
struct AccessibleObject {
    LONG role = 0;
    std::wstring name, shortcut, action;  // the keyboard shortcut, the default action
};

AccessibleObject Read(HWND window) {
    AccessibleObject read;
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object)))) {
        return read;
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT role{};
    if (object->get_accRole(self, &role) == S_OK && role.vt == VT_I4) read.role = role.lVal;
    const auto text = [&](HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*)) {
        BSTR value = nullptr;
        std::wstring copy;
        if ((object->*get)(self, &value) == S_OK && value != nullptr) copy = value;
        SysFreeString(value);
        return copy;
    };
    read.name = text(&IAccessible::get_accName);
    read.shortcut = text(&IAccessible::get_accKeyboardShortcut);
    read.action = text(&IAccessible::get_accDefaultAction);
    object->Release();
    return read;
}

// The live-region announcements a screen reader hears from the program, as window and object.
std::vector<std::pair<HWND, LONG>> announcements;

void CALLBACK Announced(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG, DWORD, DWORD) {
    announcements.emplace_back(window, object);
}

// Waits while this thread takes its messages, which bring the events it hooked.
void Pump(std::chrono::milliseconds duration) {
    const auto end = std::chrono::steady_clock::now() + duration;
    while (std::chrono::steady_clock::now() < end) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        std::this_thread::sleep_for(10ms);
    }
}

class OutsideInput : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(program.Started());
        main = program.Form(kMainTitle);
        ASSERT_NE(main, nullptr);
    }

    Program program;
    HWND main = nullptr;
};

// The shortest sequence a storm of posted input found that left a process without a window
// holding the guard: posted to windows that a modal one disables, its steps now do nothing.
TEST_F(OutsideInput, WindowsBehindAModalOneTakeNothingAndTheLastWindowEndsTheProgram) {
    PostCharacter(main, L'w');
    const HWND winDIR = program.Form(kWinDIRTitle);
    ASSERT_NE(winDIR, nullptr);
    PostCharacter(main, L'a');  // behind WindowsDirectory: no About dialog
    EXPECT_EQ(program.Form(kAboutTitle, 500ms), nullptr);
    PostCharacter(main, L'x');  // nor an end
    PressButton(main, L"e&Xit");
    Settle();
    EXPECT_TRUE(IsWindow(main));
    PressButton(winDIR, L"OK");
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(winDIR); }, 5000ms));

    PostCharacter(main, L'a');
    const HWND about = program.Form(kAboutTitle);
    ASSERT_NE(about, nullptr);
    PostCharacter(about, L's');  // no system-information tool here: its message
    const HWND box = program.MessageBox();
    ASSERT_NE(box, nullptr);
    PostCharacter(main, L'x');  // behind the dialog and its message
    PressButton(main, L"e&Xit");
    PressButton(about, L"OK");  // behind the message
    Settle();
    EXPECT_TRUE(IsWindow(main));
    EXPECT_TRUE(IsWindow(about));
    EXPECT_TRUE(IsWindow(box));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }, 5000ms));
    PressButton(about, L"OK");
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(about); }, 5000ms));

    PostCharacter(main, L'x');
    ASSERT_TRUE(program.Ended(5000ms));
    EXPECT_EQ(program.ExitCode(), 0u);
    Program next;  // the guard went with it
    ASSERT_TRUE(next.Started());
    EXPECT_NE(next.Form(kMainTitle), nullptr);
}

// A screen reader's view: both dialogs are dialogs, the About dialog's addresses links with a
// default action, buttons keep their names and access keys, and each new greeting is
// announced once, its going away never.
TEST_F(OutsideInput, ScreenReadersFindDialogsAndLinksAndHearEachNewGreeting) {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    const HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_LIVEREGIONCHANGED, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr,
                        Announced, program.Id(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    announcements.clear();
    EXPECT_NE(Read(main).role, ROLE_SYSTEM_DIALOG) << "a form shown modelessly";
    const HWND greeting = FindWindowExW(main, nullptr, L"Static", nullptr);
    PostCharacter(main, L'p');
    PostCharacter(main, L'p');
    Pump(500ms);
    const std::vector<std::pair<HWND, LONG>> twice(2, {greeting, OBJID_CLIENT});
    EXPECT_EQ(announcements, twice);
    ASSERT_TRUE(WaitFor([&] { return TextOf(greeting).empty(); }, 5000ms));
    Pump(300ms);
    EXPECT_EQ(announcements, twice);
    UnhookWinEvent(hook);

    PostCharacter(main, L'w');
    const HWND winDIR = program.Form(kWinDIRTitle);
    ASSERT_NE(winDIR, nullptr);
    EXPECT_EQ(Read(winDIR).role, ROLE_SYSTEM_DIALOG);
    PressButton(winDIR, L"OK");
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(winDIR); }, 5000ms));

    PostCharacter(main, L'a');
    const HWND about = program.Form(kAboutTitle);
    ASSERT_NE(about, nullptr);
    const AccessibleObject dialog = Read(about);
    EXPECT_EQ(dialog.role, ROLE_SYSTEM_DIALOG);
    EXPECT_EQ(dialog.name, kAboutTitle);
    int links = 0;
    for (HWND label = nullptr; (label = FindWindowExW(about, label, L"Static", nullptr));) {
        if (TextOf(label).starts_with(L"http://")) {
            const AccessibleObject link = Read(label);
            EXPECT_EQ(link.role, ROLE_SYSTEM_LINK);
            EXPECT_EQ(link.name, TextOf(label));
            EXPECT_FALSE(link.action.empty());
            ++links;
        }
    }
    EXPECT_EQ(links, 2);
    const HWND sysInfo = FindWindowExW(about, nullptr, L"Button", L"ｼｽﾃﾑ情報(&S)...");
    const AccessibleObject button = Read(sysInfo);
    EXPECT_EQ(button.name, L"ｼｽﾃﾑ情報(S)...");
    EXPECT_EQ(button.shortcut, L"Alt+S");
    CoUninitialize();
}

}  // namespace
