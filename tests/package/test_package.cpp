// The manual pages against the programs' own --help, and --version of both programs, run as installed programs
// are run: as separate processes.

#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>


#include "kalvora_version.h"
#include "muhurtha/subjects.h"
#include "tests/support/shell_run.h"

namespace {

using kalvora::testing::ProgramResult;
using kalvora::testing::RunShell;

// The text of a manual page as a reader sees it: font changes dropped, escaped hyphens and backslashes plain.
std::string ManPageText(const std::string& path) {
    std::ifstream file(path);
    std::stringstream raw;
    raw << file.rdbuf();
    std::string text = std::regex_replace(raw.str(), std::regex(R"(\\f[BIRP])"), "");
    text = std::regex_replace(text, std::regex(R"(\\-)"), "-");
    return std::regex_replace(text, std::regex(R"(\\e)"), "\\");
}

// The options a usage text names: words that start with one or two hyphens after a space, a bracket, a bar or a
// parenthesis ("--birth-lat", "-h"; not "+05:30", "22:00-02:00" or the "--*-lat" that stands for several).
std::set<std::string> OptionsIn(const std::string& usage) {
    static const std::regex option(R"((?:^|[\s\[|(])(--?[a-z][a-z0-9-]*))");
    std::set<std::string> found;
    for (auto it = std::sregex_iterator(usage.begin(), usage.end(), option); it != std::sregex_iterator(); ++it) {
        found.insert((*it)[1].str());
    }
    return found;
}

// Whether the text holds the option as a whole word ("--birth" in "--birth 1995", not only in "--birth-lat").
bool HoldsOption(const std::string& text, const std::string& name) {
    for (std::size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + 1)) {
        const std::size_t end = at + name.size();
        const bool wholeBefore = at == 0 || !(std::isalnum(static_cast<unsigned char>(text[at - 1])) || text[at - 1] == '-');
        const bool wholeAfter = end == text.size() ||
                                !(std::isalnum(static_cast<unsigned char>(text[end])) || text[end] == '-');
        if (wholeBefore && wholeAfter) return true;
    }
    return false;
}

struct HelpCase {
    const char* program;
    const char* manPage;
    const char* arguments;  // the command words before --help
};

const std::vector<HelpCase>& HelpCases() {
    static const std::vector<HelpCase> cases = [] {
        std::vector<HelpCase> c;
        for (const char* words : {"", "find", "day", "season", "places", "people", "people list", "people add",
                                  "people remove", "people export", "people import", "people set-aside",
                                  "people group", "people group add", "people group list", "people group show",
                                  "people group remove", "people group rename"}) {
            c.push_back({KALVORA_CLI_PATH, KALVORA_CLI_MAN_PAGE, words});
        }
#ifdef KALVORA_GUI_PATH
        c.push_back({KALVORA_GUI_PATH, KALVORA_GUI_MAN_PAGE, ""});
#endif
        return c;
    }();
    return cases;
}

TEST(ManPage, NamesEveryOptionThatHelpPrints) {
    std::size_t checked = 0;
    for (const HelpCase& c : HelpCases()) {
        SCOPED_TRACE(std::string(c.program) + " " + c.arguments + " --help");
        const ProgramResult help = RunShell(std::string("\"") + c.program + "\" " + c.arguments + " --help");
        ASSERT_EQ(help.status, 0);
        const std::set<std::string> options = OptionsIn(help.out);
        ASSERT_TRUE(help.out.starts_with("usage: ")) << help.out;
        checked += options.size();
        const std::string man = ManPageText(c.manPage);
        ASSERT_FALSE(man.empty()) << c.manPage;
        for (const std::string& option : options) {
            EXPECT_TRUE(HoldsOption(man, option)) << option << " is printed by --help but not in " << c.manPage;
        }
    }
    EXPECT_GT(checked, 50u);  // the usage texts were read, not passed over
}

// Each command a --help names ("kalvora-cli find", "people add") has its place in the manual page.
TEST(ManPage, NamesEveryCommandThatHelpPrints) {
    static const std::regex command(R"(kalvora-cli ([a-z][a-z-]*))");
    static const std::regex peopleWord(R"((?:^|\n)  people ([a-z][a-z-]*))");
    const std::string man = ManPageText(KALVORA_CLI_MAN_PAGE);
    for (const HelpCase& c : HelpCases()) {
        if (std::string(c.manPage) != KALVORA_CLI_MAN_PAGE) continue;
        const std::string help = RunShell(std::string("\"") + c.program + "\" " + c.arguments + " --help").out;
        for (const std::regex* pattern : {&command, &peopleWord}) {
            for (auto it = std::sregex_iterator(help.begin(), help.end(), *pattern); it != std::sregex_iterator(); ++it) {
                const std::string named = (pattern == &command ? "kalvora-cli " : "people ") + (*it)[1].str();
                EXPECT_NE(man.find(named), std::string::npos) << named << " (from " << c.arguments << " --help)";
            }
        }
    }
}

// --subject takes the undertakings' texts exactly; the manual page lists every one of them, one to a line.
TEST(ManPage, ListsEveryUndertaking) {
    const std::string man = ManPageText(KALVORA_CLI_MAN_PAGE);
    for (const std::string_view subject : kalvora::SubjectTexts) {
        EXPECT_NE(man.find("\n" + std::string(subject) + "\n"), std::string::npos) << subject;
    }
}

// Both programs print their name and the release and end at once; the desktop program does so without a display
// (on the X11 platform with no display to reach, starting the toolkit would abort).
TEST(Version, BothProgramsPrintTheRelease) {
    struct Case {
        const char* program;
        std::string expected;
    };
    std::vector<Case> cases = {{KALVORA_CLI_PATH, "kalvora-cli " KALVORA_VERSION "\n"}};
#ifdef KALVORA_GUI_PATH
    cases.push_back({KALVORA_GUI_PATH, "kalvora " KALVORA_VERSION "\n"});
#endif
    for (const Case& c : cases) {
        const ProgramResult r =
            RunShell(std::string("env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb \"") + c.program + "\" --version");
        EXPECT_EQ(r.status, 0) << c.program;
        EXPECT_EQ(r.out, c.expected) << c.program;
    }
}

}  // namespace
