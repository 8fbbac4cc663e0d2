#include "cli/people.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <ostream>
#include <sstream>

#include "astro/calendar.h"
#include "cli/birth_options.h"
#include "cli/command.h"
#include "cli/options.h"
#include "cli/people_group.h"
#include "cli/person_option.h"
#include "report/file_replace.h"
#include "store/people_json.h"
#include "store/people_store.h"

namespace kalvora {
namespace {

// The people command takes one word naming what to do, then that word's arguments.
enum class PeopleAction { List, Add, Remove, Export, Import, SetAside, Group };

struct PeopleActionName {
    PeopleAction action;
    std::string_view word;
};
constexpr auto PeopleActions = std::to_array<PeopleActionName>({
    {PeopleAction::List, "list"},
    {PeopleAction::Add, "add"},
    {PeopleAction::Remove, "remove"},
    {PeopleAction::Export, "export"},
    {PeopleAction::Import, "import"},
    {PeopleAction::SetAside, "set-aside"},
    {PeopleAction::Group, "group"},
});

struct PeopleOptions {
    bool help = false;
    bool json = false;
    std::string operand;              // remove: the name; export and import: the file
    std::optional<LocalDate> born;    // remove --born
    MomentInput birth;                // add: the birth moment as typed ...
    MomentSources birthSources;       // ... its place and zone options ...
    MomentOrigin birthOrigin;         // ... and where they came from once resolved
    Person person;                    // add: name, sex and note (the birth is taken from `birth`)
    MomentInput& BirthMoment() { return birth; }
};

using Row = Option<PeopleOptions>;
constexpr OptionKind Flag = OptionKind::Flag;
constexpr OptionKind Value = OptionKind::Value;
constexpr OptionKind Required = OptionKind::Required;

void ReadName(PeopleOptions& o, std::string_view option, std::string_view text) {
    if (const std::string problem = TextProblem("the name", text, TextRule::Name); !problem.empty()) {
        Fail(option, problem);
    }
    o.person.name = text;
}
// remove --name NAME: the name as an option, for a name that begins with a dash.
void ReadRemovedName(PeopleOptions& o, std::string_view option, std::string_view text) {
    if (!o.operand.empty()) Fail(option, "the name is given twice");
    ReadName(o, option, text);
    o.operand = text;
}
void ReadSex(PeopleOptions& o, std::string_view option, std::string_view text) {
    o.person.sex = ParseSex(option, text);
}
void ReadNote(PeopleOptions& o, std::string_view option, std::string_view text) {
    if (const std::string problem = TextProblem("the note", text, TextRule::Note); !problem.empty()) {
        Fail(option, problem);
    }
    o.person.note = text;
}
void ReadJson(PeopleOptions& o, std::string_view, std::string_view) { o.json = true; }
void ReadBorn(PeopleOptions& o, std::string_view option, std::string_view text) { o.born = ParseDate(option, text); }

constexpr auto ListOptions = std::to_array<Row>({
    {"--json", Flag, ReadJson},
});
static_assert(WellFormed(ListOptions));

constexpr auto AddOptions = JoinRows(std::to_array<Row>({
                                         {"--name", Required, ReadName},
                                         {"--sex", Required, ReadSex},
                                     }),
                                     birth_options::Rows<PeopleOptions>(),
                                     std::to_array<Row>({
                                         {"--note", Value, ReadNote},
                                     }));
static_assert(WellFormed(AddOptions));

constexpr auto RemoveOptions = std::to_array<Row>({
    {"--name", Value, ReadRemovedName},
    {"--born", Value, ReadBorn},
});
static_assert(WellFormed(RemoveOptions));

constexpr std::array<Row, 0> NoOptions = {};

std::string ActionUsage(PeopleAction action) {
    switch (action) {
    case PeopleAction::List:
        return "usage: kalvora-cli people list [--json]\n"
               "Lists the saved people by name, then birth.\n";
    case PeopleAction::Add:
        return "usage: kalvora-cli people add --name TEXT --sex Male|Female\n"
               "                  --birth YYYY-MM-DDTHH:MM [--birth-place TEXT]\n"
               "                  [--birth-lat DD:MM(N|S) --birth-lon DDD:MM(E|W)]\n"
               "                  [--birth-zone (+|-)HH:MM[:SS] [--birth-dst] | --birth-tz AREA/CITY]\n"
               "                  [--birth-fold earlier|later] [--note TEXT]\n"
               "Saves a person. The place and zone are taken as by the calculation (see kalvora-cli --help); a\n"
               "zone id (--birth-tz, or the zone of --birth-place) is kept as the zone, a typed zone as its offset.\n"
               "Two people may have the same name; they are told apart by their birth dates.\n";
    case PeopleAction::Remove:
        return "usage: kalvora-cli people remove NAME [--born YYYY-MM-DD]\n"
               "       kalvora-cli people remove --name NAME [--born YYYY-MM-DD]\n"
               "Removes the person of that name; --born says which when several people have the name. A name that\n"
               "begins with a dash is given with --name, or after --.\n";
    case PeopleAction::Export:
        return "usage: kalvora-cli people export FILE.json\n"
               "Writes every saved person to a JSON file that people import reads back exactly.\n";
    case PeopleAction::Import:
        return "usage: kalvora-cli people import FILE.json\n"
               "Saves the people of a JSON file written by people export, leaving out those saved already.\n"
               "A file with a wrong entry changes nothing; the message names the first wrong entry.\n";
    case PeopleAction::SetAside:
        return "usage: kalvora-cli people set-aside\n"
               "Moves a people file that cannot be read aside under a dated name and starts a new, empty one.\n";
    case PeopleAction::Group:
        return PeopleGroupUsageText();
    }
    return {};
}

// The parse and usage functions of one action, as the command frame takes them.
template <PeopleAction action>
std::string Usage() { return ActionUsage(action); }

template <PeopleAction action, const auto& table, bool takesOperand>
PeopleOptions Parse(const std::vector<std::string>& args) {
    const std::string seeHelp = "people " + std::string(PeopleActions[static_cast<std::size_t>(action)].word) +
                                " --help";
    std::vector<std::string> rest = args;
    PeopleOptions options;
    if (takesOperand && !rest.empty()) {
        // The operand comes first; "--" before it lets it begin with a dash.
        const bool endOfOptions = rest.front() == "--";
        if (endOfOptions && rest.size() < 2) throw ArgumentError("--: nothing follows (see " + seeHelp + ")");
        if (endOfOptions || !rest.front().starts_with("-")) {
            options.operand = rest[endOfOptions ? 1 : 0];
            rest.erase(rest.begin(), rest.begin() + (endOfOptions ? 2 : 1));
        }
    }
    options = ReadOptions(rest, table, seeHelp, options);
    if (takesOperand && !options.help && options.operand.empty()) {
        throw ArgumentError(std::string(action == PeopleAction::Remove ? "the name" : "the file") +
                            " is missing (see " + seeHelp + ")");
    }
    if (action == PeopleAction::Add && !options.help) {
        AtlasOnDemand atlas;
        options.birthOrigin = ResolveMoment("--birth", options.birthSources, options.birth, atlas, seeHelp);
    }
    return options;
}

// The advice that follows a problem of the file that moving it aside solves.
constexpr std::string_view SetAsideAdvice = " (kalvora-cli people set-aside moves it aside and starts a new one)";

std::size_t DamagedCount(const std::vector<StoredPerson>& people) {
    return static_cast<std::size_t>(
        std::count_if(people.begin(), people.end(), [](const StoredPerson& p) { return !p.damage.empty(); }));
}

// "Asha  damaged: the latitude must be between -90 and 90": a row that is listed but never used.
std::string DamagedLine(const StoredPerson& p) {
    return QuotedText(p.person.name) + "  damaged (row " + std::to_string(p.key) + "): " + p.damage;
}

void List(const PeopleOptions& options, std::ostream& out) {
    PeopleStore store;
    RequireReadable(store);
    const std::vector<StoredPerson> people = store.List();
    if (options.json) {
        out << PeopleJson(people, false, true) << '\n';
        return;
    }
    for (const StoredPerson& p : people) out << (p.damage.empty() ? PersonLine(p.person) : DamagedLine(p)) << '\n';
    if (people.empty()) out << "No people are saved.\n";
    if (const std::size_t damaged = DamagedCount(people); damaged > 0) {
        out << damaged << (damaged == 1 ? " saved row is" : " saved rows are")
            << " damaged and not used: people remove NAME takes one away; people set-aside moves the file aside.\n";
    }
}

void Add(const PeopleOptions& options, std::ostream& out) {
    Person person = PersonOfMoment(options.birth, options.birthOrigin);
    person.name = options.person.name;
    person.sex = options.person.sex;
    person.note = options.person.note;
    PeopleStore store;
    RequireReadable(store);
    store.Add(person);
    out << "Saved " << person.name << ", born " << BirthDateText(person.born) << ".\n";
    if (const std::size_t same = store.Named(person.name).size(); same > 1) {
        out << same << " people are named " << person.name << " now; they are told apart by birth date.\n";
    }
}

void Remove(const PeopleOptions& options, std::ostream& out) {
    PeopleStore store;
    RequireReadable(store);
    std::vector<StoredPerson> named = store.Named(options.operand);
    if (named.empty()) throw CommandError("nobody named " + Quoted(options.operand) + " is saved", 1);
    if (options.born) {
        std::erase_if(named, [&](const StoredPerson& p) {
            return LocalDate{p.person.born.year, p.person.born.month, p.person.born.day} != *options.born;
        });
        if (named.empty()) {
            throw CommandError("nobody named " + Quoted(options.operand) + " was born on " +
                                   DateText(*options.born) +
                                   "; the birth dates saved under that name: " +
                                   BirthDatesText(store.Named(options.operand), false),
                               1);
        }
    }
    if (named.size() > 1) {
        throw CommandError(std::to_string(named.size()) + " people named " + Quoted(options.operand) +
                               " are saved, born " + BirthDatesText(named, options.born.has_value()) +
                               (options.born ? "; remove one of them in the desktop program"
                                             : "; say which with --born YYYY-MM-DD"),
                           2);
    }
    store.Remove(named.front().key);
    out << "Removed " << named.front().person.name << ", born " << BirthDateText(named.front().person.born) << ".\n";
}

void Export(const PeopleOptions& options, std::ostream& out) {
    PeopleStore store;
    RequireReadable(store);
    const std::vector<StoredPerson> people = store.List();
    const std::vector<StoredGroup> groups = store.Groups();
    // Written whole or not at all: a failed write leaves an older backup as it was.
    if (std::string cause; !ReplaceFile(options.operand, PeopleBackupJson(people, groups, true), &cause)) {
        throw CommandError("could not write " + options.operand + ": " + cause, 1);
    }
    const std::size_t damaged = DamagedCount(people);
    const std::size_t written = people.size() - damaged;
    const auto damagedGroups = static_cast<std::size_t>(
        std::count_if(groups.begin(), groups.end(), [](const StoredGroup& g) { return !g.damage.empty(); }));
    const std::size_t writtenGroups = groups.size() - damagedGroups;
    out << "Wrote " << written << (written == 1 ? " person" : " people");
    if (writtenGroups > 0) out << " and " << writtenGroups << (writtenGroups == 1 ? " group" : " groups");
    out << " to " << options.operand << ".\n";
    if (damaged > 0) {
        throw CommandError(std::to_string(damaged) + (damaged == 1 ? " damaged row was" : " damaged rows were") +
                               " left out of " + options.operand + " (people list names them)",
                           1);
    }
    if (damagedGroups > 0) {
        throw CommandError(std::to_string(damagedGroups) +
                               (damagedGroups == 1 ? " damaged group was" : " damaged groups were") + " left out of " +
                               options.operand + " (people group list names them)",
                           1);
    }
}

void Import(const PeopleOptions& options, std::ostream& out) {
    std::ifstream file(options.operand, std::ios::binary);
    if (!file) throw CommandError("could not read " + options.operand, 1);
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    PeopleBackup backup;
    try {
        backup = ReadPeopleBackup(text);
    } catch (const StoreFailure& e) {
        throw CommandError(options.operand + ": " + e.what() + "; nothing was read in", 1);
    }
    PeopleStore store;
    RequireReadable(store);
    PeopleStore::AddedCounts added;
    try {
        added = store.AddAll(backup);
    } catch (const StoreFailure& e) {
        throw CommandError(options.operand + ": " + e.what(), 1);
    }
    const std::size_t people = backup.people.size();
    out << "Read " << people << (people == 1 ? " person" : " people") << " from " << options.operand << ": "
        << added.people << " added, " << people - added.people << " saved already.\n";
    if (const std::size_t groups = backup.groups.size(); groups > 0) {
        out << "Read " << groups << (groups == 1 ? " group" : " groups") << ": " << added.groups << " added, "
            << groups - added.groups << " saved already.\n";
    }
}

void SetAside(const PeopleOptions&, std::ostream& out) {
    PeopleStore store;
    std::string aside;
    try {
        aside = store.SetAsideAndStartNew();
    } catch (const StoreFailure& e) {
        throw CommandError(e.what(), 1);
    }
    out << "Moved the people file aside to " << aside << ".\n";
    if (store.State() != StoreState::Ready) {
        throw CommandError("a new people file could not be started: " + store.Problem(), 1);
    }
    out << "Started a new, empty people file " << store.FilePath() << ".\n";
}

}  // namespace

void RequireReadable(const PeopleStore& store) {
    if (store.State() == StoreState::Unavailable) {
        throw CommandError(store.Problem() + (store.SetAsideHelps() ? std::string(SetAsideAdvice) : ""), 1);
    }
}

Person PersonOfMoment(const MomentInput& m, const MomentOrigin& origin) {
    Person p;
    SetBirthMoment(p, m, origin.zone ? origin.zone->id.value_or("") : "");
    if (origin.place) p.place = BirthPlace{origin.place->name, origin.place->state, origin.place->country};
    return p;
}

std::string PersonLine(const Person& p) {
    std::string line = p.name + "  born " + BirthDateText(p.born) + " " + ClockText(p.born.hour, p.born.minute) + "  " + p.sex +
                       "  ";
    if (p.place) line += p.place->name + ", " + p.place->state + ", " + p.place->country + " ";
    line += ListedAngleText(p.latitude, 'N', 'S') + " " + ListedAngleText(p.longitude, 'E', 'W') + "  zone ";
    line += p.zone.id ? *p.zone.id : OffsetText(p.zone.offsetSeconds.value_or(0));
    if (p.zone.dst) line += " DST";
    if (!p.note.empty()) line += "  (" + p.note + ")";
    return line;
}

std::string PeopleUsageText() {
    std::string text = "usage: kalvora-cli people list|add|remove|export|import|set-aside|group ...\n";
    for (const PeopleActionName& a : PeopleActions) {
        const std::string usage = ActionUsage(a.action);
        text += "  " + usage.substr(usage.find("people"), usage.find('\n') - usage.find("people")) + "\n";
    }
    text += "The people are kept in one file in the data folder ($KALVORA_DATA_DIR when set).\n"
            "See kalvora-cli people WORD --help for each.\n";
    return text;
}

int RunPeople(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty() || args.front() == "--help" || args.front() == "-h") {
        (args.empty() ? err : out) << PeopleUsageText();
        return args.empty() ? 2 : 0;
    }
    const auto at = std::find_if(PeopleActions.begin(), PeopleActions.end(),
                                 [&](const PeopleActionName& a) { return a.word == args.front(); });
    if (at == PeopleActions.end()) {
        err << "kalvora-cli: people: unknown " << Quoted(args.front())
            << " (expected list, add, remove, export, import, set-aside or group)\n";
        return 2;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    using A = PeopleAction;
    if (at->action == A::Group) return RunPeopleGroup(rest, out, err);
    switch (at->action) {
    case A::List:
        return RunCommand<PeopleOptions>(rest, out, err, Parse<A::List, ListOptions, false>, Usage<A::List>, List);
    case A::Add:
        return RunCommand<PeopleOptions>(rest, out, err, Parse<A::Add, AddOptions, false>, Usage<A::Add>, Add);
    case A::Remove:
        return RunCommand<PeopleOptions>(rest, out, err, Parse<A::Remove, RemoveOptions, true>, Usage<A::Remove>,
                                         Remove);
    case A::Export:
        return RunCommand<PeopleOptions>(rest, out, err, Parse<A::Export, NoOptions, true>, Usage<A::Export>, Export);
    case A::Import:
        return RunCommand<PeopleOptions>(rest, out, err, Parse<A::Import, NoOptions, true>, Usage<A::Import>, Import);
    case A::SetAside:
        return RunCommand<PeopleOptions>(rest, out, err, Parse<A::SetAside, NoOptions, false>, Usage<A::SetAside>,
                                         SetAside);
    case A::Group:
        break;
    }
    return 2;
}

}  // namespace kalvora
