// The program's run: the start-up procedure, the event loop, End, and the report of an
// error that no procedure handles.
#include "platform/Entry.h"

#include "platform/Backend.h"
#include "platform/Form.h"
#include "platform/Runtime.h"
#include "platform/RuntimeError.h"
#include "platform/common/Lifetime.h"

#include <string>

namespace {

bool eventLoopRuns = false;

// Error descriptions are plain ASCII.
std::u16string Widen(const std::string& ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

// An error that no procedure handles is reported once, and the program ends.
int ReportUnhandledError(const RuntimeError& error) {
    MsgBox(u"実行時エラー '" + Widen(std::to_string(static_cast<int>(error.number()))) + u"':\n\n" +
               Widen(error.what()),
           MsgBoxStyle::OkOnly);
    return 1;
}

}  // namespace

void NoFormIsLoaded() {
    if (!eventLoopRuns) return;
    PostToEventLoop([] {
        if (LoadedFormCount() == 0) QuitEventLoop(0);
    });
}

void NestedLoopEnded() {
    if (eventLoopRuns && LoadedFormCount() == 0) QuitEventLoop(0);
}

int RunProgram(void (*startUp)()) {
    try {
        startUp();
    } catch (const EndRequested&) {
        return 0;
    } catch (const RuntimeError& error) {
        return ReportUnhandledError(error);
    }
    if (LoadedFormCount() == 0) return 0;
    eventLoopRuns = true;
    const int status = RunEventLoop();
    eventLoopRuns = false;
    return status;
}

void End() { throw EndRequested{}; }
