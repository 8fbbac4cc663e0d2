// Fuzz target: kalvora-cli's argument handling. The input is one command line (see SplitArguments). Its command
// word picks the command, which runs through its real entry point where that is cheap: the calculation (unless a
// report is asked for, which would write a file: then it is parsed only), day, places and people; find is parsed
// only, as its search of dates is long work.
//
// What is checked: a parser refuses bad arguments only with ArgumentError, so any other exception escapes and ends
// the run as a fault; a command answers 0, 1 or 2, and a failure says why on standard error. The user's people are
// never touched: KALVORA_DATA_DIR names a scratch folder, holding a readable people file (for --person) while the
// calculation or find runs, and an unreadable one while people runs, so that nothing is saved, removed or written
// out; that unreadable file must be left exactly as it was.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/cli.h"
#include "cli/day.h"
#include "cli/find.h"
#include "cli/people.h"
#include "cli/places.h"
#include "fuzz/fuzz_support.h"
#include "store/people_store.h"

namespace kalvora {
namespace {

// Longer command lines only repeat what shorter ones reach.
constexpr std::size_t MostArguments = 64;

constexpr const char* UnreadableBytes = "not a people file: written by the fuzz target to stay unreadable\n";

struct DataFolders {
    std::string saved;       // a people file with the people below
    std::string unreadable;  // a people file the store refuses to open
    std::string unreadableFile;
};

Person Saved(std::string name, std::string sex, BirthClock born, double latitude, double longitude) {
    Person p;
    p.name = std::move(name);
    p.sex = std::move(sex);
    p.born = born;
    p.latitude = latitude;
    p.longitude = longitude;
    return p;
}

// People of every kind --person meets: an atlas place with its zone id, typed coordinates with a zone id or a
// typed offset (with seconds, west, daylight saving), two people of one name, a zone id the zone database does
// not know, and birth times the clocks jumped over or passed twice.
std::vector<Person> SavedPeople() {
    std::vector<Person> people;
    Person asha = Saved("Asha Rao", "Female", {1984, 7, 21, 5, 42}, 13.0 + 5.0 / 60.0, 80.0 + 17.0 / 60.0);
    asha.place = BirthPlace{"Chennai", "Tamil Nadu", "India"};
    asha.zone.id = "Asia/Kolkata";
    asha.note = "first child";
    people.push_back(asha);
    Person ravi = Saved("Ravi", "Male", {1990, 3, 4, 10, 0}, 12.0 + 58.0 / 60.0, 77.0 + 35.0 / 60.0);
    ravi.zone.offsetSeconds = 5 * 3600 + 30 * 60;
    people.push_back(ravi);
    Person olderRavi = Saved("Ravi", "Male", {1961, 12, 30, 23, 59}, -(33.0 + 52.0 / 60.0), -(73.0 + 59.0 / 60.0));
    olderRavi.zone.offsetSeconds = -5 * 3600;
    olderRavi.zone.dst = true;
    people.push_back(olderRavi);
    Person mira = Saved("Mira", "Female", {1901, 1, 1, 0, 0}, 18.0 + 58.0 / 60.0, 72.0 + 50.0 / 60.0);
    mira.zone.id = "Asia/Kolkata";
    people.push_back(mira);
    Person seconds = Saved("Kartik", "Male", {1943, 5, 1, 10, 0}, 13.0, 80.0);
    seconds.zone.offsetSeconds = 5 * 3600 + 21 * 60 + 10;
    people.push_back(seconds);
    Person lena = Saved("Lena", "Female", {2050, 12, 31, 23, 59}, 52.5, 13.4);
    lena.place = BirthPlace{"Berlin", "Land Berlin", "Germany"};
    lena.zone.id = "Europe/Berlin";
    people.push_back(lena);
    Person jumped = Saved("Gap", "Female", {2021, 3, 14, 2, 30}, 40.0 + 43.0 / 60.0, -(74.0 + 0.0 / 60.0));
    jumped.zone.id = "America/New_York";
    people.push_back(jumped);
    Person twice = Saved("Twice", "Male", {2021, 11, 7, 1, 30}, 40.0 + 43.0 / 60.0, -(74.0 + 0.0 / 60.0));
    twice.zone.id = "America/New_York";
    people.push_back(twice);
    return people;
}

std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const DataFolders& Folders() {
    static const DataFolders folders = [] {
        const std::filesystem::path scratch = fuzz::ScratchFolder("arguments");
        DataFolders made{(scratch / "saved").string(), (scratch / "unreadable").string(), {}};
        std::filesystem::create_directories(made.saved);
        std::filesystem::create_directories(made.unreadable);
        {
            PeopleStore store((std::filesystem::path(made.saved) / "people.sqlite").string());
            fuzz::Check(store.State() == StoreState::Ready, "the people file to read cannot be made: " + store.Problem());
            for (const Person& p : SavedPeople()) store.Add(p);
        }
        made.unreadableFile = (std::filesystem::path(made.unreadable) / "people.sqlite").string();
        std::ofstream(made.unreadableFile, std::ios::binary) << UnreadableBytes;
        const PeopleStore refused(made.unreadableFile);
        fuzz::Check(refused.State() == StoreState::Unavailable, "the unreadable people file was read");
        return made;
    }();
    return folders;
}

void UseDataFolder(const std::string& folder) { setenv("KALVORA_DATA_DIR", folder.c_str(), 1); }

template <typename Options>
void Parse(Options (*parse)(const std::vector<std::string>&), const std::vector<std::string>& args) {
    try {
        parse(args);
    } catch (const ArgumentError& e) {
        fuzz::Check(*e.what() != '\0', "an argument was refused without a message");
    }
}

// A command run whole answers 0 (done), 1 (failed while working) or 2 (bad arguments), and says why it failed. Only
// people may fail while working here (its people file is unreadable): the others write to memory and read nothing
// that can fail, so their 1 is an exception that arguments they took led to.
void CheckAnswer(const char* command, int status, const std::ostringstream& err, bool mayFailWhileWorking = false) {
    fuzz::Check(status == 0 || status == 2 || (status == 1 && mayFailWhileWorking),
                std::string(command) + " answered " + std::to_string(status) + ": " + err.str());
    fuzz::Check(status == 0 || err.str().starts_with("kalvora-cli: ") || err.str().starts_with("usage: "),
                std::string(command) + " failed without saying why: '" + err.str() + "'");
}

// Whether running `people ARGS` can only parse: import reads its file and set-aside moves the people file, so they
// are run only when their arguments cannot be taken (anything after the file, or --help, which prints the usage).
bool PeopleRunOnlyParses(const std::vector<std::string>& args) {
    if (args.empty()) return true;
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args.front() == "set-aside") return !rest.empty();
    if (args.front() == "import") return rest.size() >= 2 || (!rest.empty() && rest.front().starts_with("-"));
    return true;
}

}  // namespace
}  // namespace kalvora

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kalvora;
    const DataFolders& folders = Folders();
    const std::vector<std::string> args = fuzz::SplitArguments(data, size);
    if (args.size() > MostArguments) return 0;
    const std::string command = args.empty() ? std::string() : args.front();
    const std::vector<std::string> rest = args.empty() ? args : std::vector<std::string>(args.begin() + 1, args.end());
    std::ostringstream out, err;
    if (command == "find") {
        UseDataFolder(folders.saved);
        Parse(ParseFindArguments, rest);
    } else if (command == "day") {
        CheckAnswer("day", RunDay(rest, out, err), err);
    } else if (command == "places") {
        CheckAnswer("places", RunPlaces(rest, out, err), err);
    } else if (command == "people") {
        if (!PeopleRunOnlyParses(rest)) return 0;
        UseDataFolder(folders.unreadable);
        CheckAnswer("people", RunPeople(rest, out, err), err, true);
        fuzz::Check(FileText(folders.unreadableFile) == UnreadableBytes,
                    "people changed the unreadable people file");
    } else if (std::find(args.begin(), args.end(), "--report") != args.end()) {
        UseDataFolder(folders.saved);
        Parse(ParseArguments, args);
    } else {
        UseDataFolder(folders.saved);
        CheckAnswer("the calculation", RunCli(args, out, err), err);
    }
    return 0;
}
