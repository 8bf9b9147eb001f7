// Continuing with the next statement after a run-time error.
#include "platform/ErrorModes.h"

#include <gtest/gtest.h>

#include <string>

namespace {

void Raise() { throw RuntimeError(ErrorNumber::InvalidProcedureCall, "test"); }

TEST(ResumeNext, AFailedStatementIsAbandonedAndTheNextOneRuns) {
    const ResumeNext statement;
    std::string trace;
    statement([&] { trace += "1"; });
    statement([&] {
        trace += "2";
        Raise();
        trace += "rest of 2";
    });
    statement([&] { trace += "3"; });
    statement([&] { Raise(); });
    statement([&] { trace += "4"; });
    EXPECT_EQ(trace, "1234");
}

TEST(ResumeNext, AConditionThatFailsTakesTheThenBranch) {
    const ResumeNext statement;
    EXPECT_TRUE(statement.If([] { return true; }));
    EXPECT_FALSE(statement.If([] { return false; }));
    EXPECT_TRUE(statement.If([]() -> bool {
        Raise();
        return false;
    }));
}

TEST(ResumeNext, EndPassesThroughEveryStatement) {
    const ResumeNext statement;
    bool after = false;
    EXPECT_THROW(
        {
            statement([] { throw EndRequested{}; });
            after = true;
        },
        EndRequested);
    EXPECT_FALSE(after);
    EXPECT_THROW(statement.If([]() -> bool { throw EndRequested{}; }), EndRequested);
}

}  // namespace
