// The three error modes of the program's procedures.
//
// - Continue with the next statement: an event procedure (or the key mapper) makes one
//   ResumeNext and runs each of its statements through it. A run-time error abandons the
//   rest of that statement only; the error is discarded and nothing is shown.
// - Jump to an own handler: a plain try/catch of RuntimeError around the procedure body.
// - No handling: nothing at all; a RuntimeError passes to the caller.
#pragma once

#include "RuntimeError.h"

#include <utility>

class ResumeNext {
public:
    template <class Statement>
    void operator()(Statement&& statement) const {
        try {
            std::forward<Statement>(statement)();
        } catch (const RuntimeError&) {
            // Discarded by design: the next statement runs.
        }
    }

    // The condition of an If. When evaluating it fails, execution goes on with the first
    // statement of the Then branch, so a failed condition counts as true.
    template <class Condition>
    bool If(Condition&& condition) const {
        try {
            return std::forward<Condition>(condition)();
        } catch (const RuntimeError&) {
            return true;
        }
    }
};
