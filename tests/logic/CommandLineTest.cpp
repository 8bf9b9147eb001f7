// Splitting a Windows command line into the program and its arguments.
#include "platform/CommandLine.h"

#include "platform/RuntimeError.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Arguments = std::vector<std::u16string>;

TEST(CommandLine, WhiteSpaceSeparatesAndQuotesGroup) {
    EXPECT_EQ(SplitCommandLine(u"Start http://www.example.com/kimoro/"),
              (Arguments{u"Start", u"http://www.example.com/kimoro/"}));
    EXPECT_EQ(SplitCommandLine(u"  prog\ta   b  "), (Arguments{u"prog", u"a", u"b"}));
    EXPECT_EQ(SplitCommandLine(u"prog \"a b\" c\"d e\"f"), (Arguments{u"prog", u"a b", u"cd ef"}));
    EXPECT_EQ(SplitCommandLine(u"prog \"\" x"), (Arguments{u"prog", u"", u"x"}));
    EXPECT_EQ(SplitCommandLine(u"prog \"unterminated quote"),
              (Arguments{u"prog", u"unterminated quote"}));
    EXPECT_EQ(SplitCommandLine(u""), Arguments{});
    EXPECT_EQ(SplitCommandLine(u" \t "), Arguments{});
}

TEST(CommandLine, AQuotedProgramPathWithSpacesStaysOne) {
    EXPECT_EQ(SplitCommandLine(u"\"C:\\Program Files\\Common Files\\MSINFO32.EXE\""),
              (Arguments{u"C:\\Program Files\\Common Files\\MSINFO32.EXE"}));
    EXPECT_EQ(SplitCommandLine(u"\"/tmp/with space/tool\" -x"),
              (Arguments{u"/tmp/with space/tool", u"-x"}));
    // Unquoted, the first space ends the program.
    EXPECT_EQ(SplitCommandLine(u"C:\\Program Files\\x.exe"),
              (Arguments{u"C:\\Program", u"Files\\x.exe"}));
}

TEST(CommandLine, TheProgramNameTakesBackslashesLiterally) {
    // A backslash before a quote in the program name escapes nothing: the quote still closes.
    EXPECT_EQ(SplitCommandLine(u"\"C:\\dir\\\" arg"), (Arguments{u"C:\\dir\\", u"arg"}));
    EXPECT_EQ(SplitCommandLine(u"C:\\\\a\\b"), (Arguments{u"C:\\\\a\\b"}));
}

TEST(CommandLine, BackslashesInArgumentsEscapeOnlyBeforeAQuote) {
    EXPECT_EQ(SplitCommandLine(u"p a\\\\b"), (Arguments{u"p", u"a\\\\b"}));        // a\\b
    EXPECT_EQ(SplitCommandLine(u"p a\\\"b"), (Arguments{u"p", u"a\"b"}));          // a\"b
    EXPECT_EQ(SplitCommandLine(u"p a\\\\\\\"b"), (Arguments{u"p", u"a\\\"b"}));    // a\\\"b
    EXPECT_EQ(SplitCommandLine(u"p a\\\\\"b c\""), (Arguments{u"p", u"a\\b c"}));  // a\\"b c"
    EXPECT_EQ(SplitCommandLine(u"p \"C:\\dir\\\\\" next"),
              (Arguments{u"p", u"C:\\dir\\", u"next"}));  // "C:\dir\\" next
    EXPECT_EQ(SplitCommandLine(u"p trailing\\"), (Arguments{u"p", u"trailing\\"}));
    // Two quotes inside quotes are one literal quote.
    EXPECT_EQ(SplitCommandLine(u"p \"a\"\"b\" c"), (Arguments{u"p", u"a\"b", u"c"}));
}

TEST(ShellCommand, StartInAnyCaseOpensItsArgumentsAndNothingToStartIsFileNotFound) {
    const ShellCommand start = ParseShellCommand(u"sTaRt http://www.example.com/kimoro/");
    EXPECT_TRUE(start.opensWithDesktop);
    EXPECT_EQ(start.arguments, (Arguments{u"http://www.example.com/kimoro/"}));
    const ShellCommand program = ParseShellCommand(u"\"C:\\Start\" start");
    EXPECT_FALSE(program.opensWithDesktop) << "a program whose path ends in Start";
    EXPECT_EQ(program.arguments, (Arguments{u"C:\\Start", u"start"}));
    for (const char16_t* line : {u"", u"   ", u"Start", u"START  "}) {
        try {
            ParseShellCommand(line);
            ADD_FAILURE() << "nothing to start";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.number(), ErrorNumber::FileNotFound);
        }
    }
}

}  // namespace
