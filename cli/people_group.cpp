#include "cli/people_group.h"

#include <algorithm>
#include <array>
#include <optional>
#include <ostream>

#include "cli/command.h"
#include "cli/options.h"
#include "cli/people.h"
#include "cli/person_option.h"
#include "store/people_json.h"

namespace kalvora {
namespace {

enum class GroupAction { Add, List, Show, Remove, Rename };

struct GroupActionName {
    GroupAction action;
    std::string_view word;
    std::size_t operands;  // the names that come first
};
constexpr auto GroupActions = std::to_array<GroupActionName>({
    {GroupAction::Add, "add", 1},
    {GroupAction::List, "list", 0},
    {GroupAction::Show, "show", 1},
    {GroupAction::Remove, "remove", 1},
    {GroupAction::Rename, "rename", 2},
});

struct GroupOptions {
    bool help = false;
    bool json = false;
    bool replace = false;
    std::vector<std::string> operands;   // the group's name; rename: the old name, then the new one
    std::vector<MemberChoice> members;   // add: the --member values in order
};

using Row = Option<GroupOptions>;

void ReadJson(GroupOptions& o, std::string_view, std::string_view) { o.json = true; }
void ReadReplace(GroupOptions& o, std::string_view, std::string_view) { o.replace = true; }

constexpr auto AddOptions = std::to_array<Row>({{"--replace", OptionKind::Flag, ReadReplace}});
constexpr auto JsonOptions = std::to_array<Row>({{"--json", OptionKind::Flag, ReadJson}});
constexpr std::array<Row, 0> NoOptions = {};
static_assert(WellFormed(AddOptions) && WellFormed(JsonOptions));

std::string ActionUsage(GroupAction action) {
    switch (action) {
    case GroupAction::Add:
        return "usage: kalvora-cli people group add NAME --member PERSON[@YYYY-MM-DD][:ROLE] ... [--replace]\n"
               "Saves a group of saved people under NAME, the members in the order given (--member once for\n"
               "each). @YYYY-MM-DD says which of several people of a name; ROLE is bride or groom, or left out.\n"
               "The part after the last colon is the role, and after the last @ the date: a name that holds a\n"
               "colon ends with one (\"Dr: Rao:\"). --replace saves the group in place of one of that name.\n";
    case GroupAction::List:
        return "usage: kalvora-cli people group list [--json]\n"
               "Lists the saved groups by name, each with its members.\n";
    case GroupAction::Show:
        return "usage: kalvora-cli people group show NAME [--json]\n"
               "Shows a group's members with their birth data.\n";
    case GroupAction::Remove:
        return "usage: kalvora-cli people group remove NAME\n"
               "Removes the group; its people stay saved.\n";
    case GroupAction::Rename:
        return "usage: kalvora-cli people group rename OLD NEW\n"
               "Gives the group a new name that no other group has.\n";
    }
    return {};
}

template <GroupAction action>
std::string Usage() { return ActionUsage(action); }

void CheckName(std::string_view name, const std::string& seeHelp) {
    if (const std::string problem = GroupNameProblem(name); !problem.empty()) {
        throw ArgumentError(problem + " (see " + seeHelp + ")");
    }
}

template <GroupAction action, const auto& table>
GroupOptions Parse(const std::vector<std::string>& args) {
    const GroupActionName& name = GroupActions[static_cast<std::size_t>(action)];
    const std::string seeHelp = "people group " + std::string(name.word) + " --help";
    GroupOptions options;
    std::vector<std::string> rest;
    // The names come first; "--" before them lets them begin with a dash.
    std::size_t i = 0;
    bool verbatim = false;
    while (options.operands.size() < name.operands && i < args.size()) {
        if (!verbatim && args[i] == "--") {
            verbatim = true;
            ++i;
            continue;
        }
        if (!verbatim && args[i].starts_with("-")) break;
        options.operands.push_back(args[i++]);
    }
    if (verbatim && options.operands.empty()) throw ArgumentError("--: nothing follows (see " + seeHelp + ")");
    // --member is given once for each member, so it is read here rather than by the table.
    for (; i < args.size(); ++i) {
        if (action == GroupAction::Add && args[i] == "--member") {
            if (i + 1 >= args.size()) options_detail::ValueMissing("--member");
            options.members.push_back(ParseMember("--member", args[++i]));
        } else {
            rest.push_back(args[i]);
        }
    }
    options = ReadOptions(rest, table, seeHelp, options);
    if (options.help) return options;
    if (options.operands.size() < name.operands) {
        throw ArgumentError(std::string(options.operands.empty() ? "the group's name" : "the new name") +
                            " is missing (see " + seeHelp + ")");
    }
    if (action == GroupAction::Add) {
        CheckName(options.operands[0], seeHelp);
        if (options.members.empty()) options_detail::Missing("--member", seeHelp);
    }
    if (action == GroupAction::Rename) CheckName(options.operands[1], seeHelp);
    return options;
}

// The saved person a --member names; a name nobody has, or several people have, is a bad argument.
StoredPerson ChosenPerson(const PeopleStore& store, const MemberChoice& choice) {
    std::vector<StoredPerson> named = store.Named(choice.name);
    const auto fail = [](const std::string& what) { throw CommandError("--member: " + what, 2); };
    if (named.empty()) fail("no person named " + Quoted(choice.name) + " is saved");
    if (choice.born) {
        std::erase_if(named, [&](const StoredPerson& p) { return BirthDateOf(p.person.born) != *choice.born; });
        if (named.empty()) {
            fail("no person named " + Quoted(choice.name) + " was born on " + DateText(*choice.born) +
                 "; saved birth dates: " + BirthDatesText(store.Named(choice.name), false));
        }
    }
    if (named.size() > 1) {
        fail(std::to_string(named.size()) + " people named " + Quoted(choice.name) + " are saved, born " +
             BirthDatesText(named, choice.born.has_value()) +
             (choice.born ? "; the command line cannot tell them apart"
                          : "; say which with " + choice.name + "@YYYY-MM-DD"));
    }
    if (!named.front().damage.empty()) {
        fail("the saved person " + Quoted(choice.name) + " cannot be used: " + named.front().damage);
    }
    return named.front();
}

std::string MemberLine(const StoredPerson& person, const std::string& role) {
    return person.person.name + " (" + BirthDateText(person.person.born) + (role.empty() ? "" : ", " + role) + ")";
}

// "Asha and Ravi: Asha (1995-08-15, bride), Ravi (1990-03-04, groom)", or the damage of a group.
std::string GroupLine(const StoredGroup& g) {
    if (!g.damage.empty()) {
        return QuotedText(g.group.name) + "  damaged (row " + std::to_string(g.key) + "): " + g.damage;
    }
    std::string line = g.group.name + ":";
    for (std::size_t i = 0; i < g.group.members.size(); ++i) {
        line += (i == 0 ? " " : ", ") + MemberLine(g.people[i], g.group.members[i].role);
    }
    return line;
}

const StoredGroup& Named(const std::vector<StoredGroup>& groups, const std::string& name) {
    const auto at =
        std::find_if(groups.begin(), groups.end(), [&](const StoredGroup& g) { return g.group.name == name; });
    if (at == groups.end()) throw CommandError("no group named " + Quoted(name) + " is saved", 1);
    return *at;
}

void Add(const GroupOptions& options, std::ostream& out) {
    PeopleStore store;
    RequireReadable(store);
    Group group{options.operands[0], {}};
    std::vector<StoredPerson> people;
    for (const MemberChoice& choice : options.members) {
        people.push_back(ChosenPerson(store, choice));
        group.members.push_back({people.back().key, choice.role});
    }
    for (std::size_t i = 0; i < people.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            if (people[j].key == people[i].key) {
                throw CommandError("--member: " + Quoted(people[i].person.name) + ", born " +
                                       BirthDateText(people[i].person.born) + ", is named twice",
                                   2);
            }
        }
    }
    const std::optional<StoredGroup> old = store.GroupNamed(group.name);
    if (old && !options.replace) {
        throw CommandError("a group named " + Quoted(group.name) +
                               " is saved already (--replace saves this one in its place)",
                           1);
    }
    store.SaveGroup(group);
    out << (old ? "Replaced" : "Saved") << " the group " << group.name << ":";
    for (std::size_t i = 0; i < people.size(); ++i) {
        out << (i == 0 ? " " : ", ") << MemberLine(people[i], group.members[i].role);
    }
    out << ".\n";
}

void List(const GroupOptions& options, std::ostream& out) {
    PeopleStore store;
    RequireReadable(store);
    const std::vector<StoredGroup> groups = store.Groups();
    if (options.json) {
        out << GroupsJson(groups, false, true) << '\n';
        return;
    }
    for (const StoredGroup& g : groups) out << GroupLine(g) << '\n';
    if (groups.empty()) out << "No groups are saved.\n";
    const auto damaged =
        std::count_if(groups.begin(), groups.end(), [](const StoredGroup& g) { return !g.damage.empty(); });
    if (damaged > 0) {
        out << damaged << (damaged == 1 ? " saved group is" : " saved groups are")
            << " damaged and not used: people group remove NAME takes one away.\n";
    }
}

void Show(const GroupOptions& options, std::ostream& out) {
    PeopleStore store;
    RequireReadable(store);
    const std::vector<StoredGroup> groups = store.Groups();
    const StoredGroup& g = Named(groups, options.operands[0]);
    if (!g.damage.empty()) {
        throw CommandError("the saved group " + Quoted(g.group.name) + " cannot be used: " + g.damage, 1);
    }
    if (options.json) {
        out << GroupJson(g, false) << '\n';
        return;
    }
    out << g.group.name << '\n';
    for (std::size_t i = 0; i < g.group.members.size(); ++i) {
        const std::string& role = g.group.members[i].role;
        out << "  " << (role.empty() ? "" : role + ": ") << PersonLine(g.people[i].person) << '\n';
    }
}

void Remove(const GroupOptions& options, std::ostream& out) {
    PeopleStore store;
    RequireReadable(store);
    const std::vector<StoredGroup> groups = store.Groups();
    const StoredGroup& g = Named(groups, options.operands[0]);
    store.RemoveGroup(g.key);
    out << "Removed the group " << g.group.name << "; its people stay saved.\n";
}

void Rename(const GroupOptions& options, std::ostream& out) {
    PeopleStore store;
    RequireReadable(store);
    store.RenameGroup(options.operands[0], options.operands[1]);
    out << "Renamed the group " << options.operands[0] << " to " << options.operands[1] << ".\n";
}

}  // namespace

MemberChoice ParseMember(std::string_view option, std::string_view text) {
    MemberChoice choice;
    std::string_view rest = text;
    if (const std::size_t colon = rest.rfind(':'); colon != std::string_view::npos) {
        choice.role = rest.substr(colon + 1);
        rest = rest.substr(0, colon);
        if (!choice.role.empty() && std::find(GroupRoles.begin(), GroupRoles.end(), choice.role) == GroupRoles.end()) {
            Fail(option, "the role after the last colon must be bride or groom, got " + Quoted(choice.role) +
                             " (a name that holds a colon ends with one)");
        }
    }
    if (const std::size_t at = rest.rfind('@'); at != std::string_view::npos) {
        choice.born = ParseDate(option, rest.substr(at + 1));
        rest = rest.substr(0, at);
    }
    if (const std::string problem = TextProblem("the name", rest, TextRule::Name); !problem.empty()) {
        Fail(option, problem);
    }
    choice.name = rest;
    return choice;
}

std::string PeopleGroupUsageText() {
    std::string text = "usage: kalvora-cli people group add|list|show|remove|rename ...\n";
    for (const GroupActionName& a : GroupActions) {
        const std::string usage = ActionUsage(a.action);
        text += "  " + usage.substr(usage.find("people"), usage.find('\n') - usage.find("people")) + "\n";
    }
    text += "See kalvora-cli people group WORD --help for each.\n";
    return text;
}

int RunPeopleGroup(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty() || args.front() == "--help" || args.front() == "-h") {
        (args.empty() ? err : out) << PeopleGroupUsageText();
        return args.empty() ? 2 : 0;
    }
    const auto at = std::find_if(GroupActions.begin(), GroupActions.end(),
                                 [&](const GroupActionName& a) { return a.word == args.front(); });
    if (at == GroupActions.end()) {
        err << "kalvora-cli: people group: unknown " << Quoted(args.front())
            << " (expected add, list, show, remove or rename)\n";
        return 2;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    using A = GroupAction;
    switch (at->action) {
    case A::Add:
        return RunCommand<GroupOptions>(rest, out, err, Parse<A::Add, AddOptions>, Usage<A::Add>, Add);
    case A::List:
        return RunCommand<GroupOptions>(rest, out, err, Parse<A::List, JsonOptions>, Usage<A::List>, List);
    case A::Show:
        return RunCommand<GroupOptions>(rest, out, err, Parse<A::Show, JsonOptions>, Usage<A::Show>, Show);
    case A::Remove:
        return RunCommand<GroupOptions>(rest, out, err, Parse<A::Remove, NoOptions>, Usage<A::Remove>, Remove);
    case A::Rename:
        return RunCommand<GroupOptions>(rest, out, err, Parse<A::Rename, NoOptions>, Usage<A::Rename>, Rename);
    }
    return 2;
}

}  // namespace kalvora
