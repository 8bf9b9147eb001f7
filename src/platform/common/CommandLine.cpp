#include "platform/CommandLine.h"

#include "platform/RuntimeError.h"

namespace {

bool IsSpace(char16_t c) { return c == u' ' || c == u'\t'; }

}  // namespace

std::vector<std::u16string> SplitCommandLine(std::u16string_view line) {
    std::vector<std::u16string> arguments;
    std::size_t i = 0;
    while (i < line.size() && IsSpace(line[i])) ++i;
    if (i == line.size()) return arguments;

    // The program name: quotes group, nothing is escaped.
    std::u16string program;
    bool quoted = false;
    for (; i < line.size() && (quoted || !IsSpace(line[i])); ++i) {
        if (line[i] == u'"') {
            quoted = !quoted;
        } else {
            program += line[i];
        }
    }
    arguments.push_back(program);

    while (true) {
        while (i < line.size() && IsSpace(line[i])) ++i;
        if (i == line.size()) break;
        std::u16string argument;
        quoted = false;
        while (i < line.size() && (quoted || !IsSpace(line[i]))) {
            std::size_t backslashes = 0;
            while (i < line.size() && line[i] == u'\\') {
                ++backslashes;
                ++i;
            }
            if (i < line.size() && line[i] == u'"') {
                argument.append(backslashes / 2, u'\\');
                if (backslashes % 2 == 1) {
                    argument += u'"';
                } else if (quoted && i + 1 < line.size() && line[i + 1] == u'"') {
                    argument += u'"';  // "" inside quotes is a literal quote
                    ++i;
                } else {
                    quoted = !quoted;
                }
                ++i;
            } else {
                argument.append(backslashes, u'\\');
                if (i < line.size() && (quoted || !IsSpace(line[i]))) argument += line[i++];
            }
        }
        arguments.push_back(argument);
    }
    return arguments;
}

namespace {

bool IsStart(std::u16string_view word) {
    constexpr std::u16string_view kStart = u"start";
    if (word.size() != kStart.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        const char16_t c = word[i] >= u'A' && word[i] <= u'Z' ? word[i] + (u'a' - u'A') : word[i];
        if (c != kStart[i]) return false;
    }
    return true;
}

}  // namespace

ShellCommand ParseShellCommand(std::u16string_view commandLine) {
    ShellCommand command;
    command.arguments = SplitCommandLine(commandLine);
    if (!command.arguments.empty() && IsStart(command.arguments.front())) {
        command.opensWithDesktop = true;
        command.arguments.erase(command.arguments.begin());
    }
    if (command.arguments.empty()) throw RuntimeError(ErrorNumber::FileNotFound, "File not found");
    return command;
}
