#include "cli/find.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <map>
#include <ostream>

#include "astro/tables.h"
#include "cli/arguments.h"
#include "cli/command.h"
#include "cli/json.h"

namespace kalvora {
namespace {

// Larger values of --top list every window anyway; the bound only keeps the number in range.
constexpr long LargestTop = 10000000;

[[noreturn]] void Fail(std::string_view option, const std::string& what) {
    throw ArgumentError(std::string(option) + ": " + what);
}

std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

// Exactly `digits` decimal digits of text starting at pos.
bool Digits(std::string_view text, std::size_t pos, std::size_t digits, int& value) {
    if (pos + digits > text.size()) return false;
    value = 0;
    for (std::size_t i = pos; i < pos + digits; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

LocalDate ParseDate(std::string_view option, std::string_view text) {
    LocalDate date;
    if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !Digits(text, 0, 4, date.year) ||
        !Digits(text, 5, 2, date.month) || !Digits(text, 8, 2, date.day)) {
        Fail(option, "expected a date YYYY-MM-DD, got " + Quoted(text));
    }
    if (const std::string problem = DateProblem(date); !problem.empty()) Fail(option, problem);
    return date;
}

// "HH:MM" at pos as a minute of the day.
bool ClockMinute(std::string_view text, std::size_t pos, int& minute) {
    int hours = 0, minutes = 0;
    if (!Digits(text, pos, 2, hours) || text[pos + 2] != ':' || !Digits(text, pos + 3, 2, minutes)) return false;
    if (hours > 23 || minutes > 59) return false;
    minute = 60 * hours + minutes;
    return true;
}

DailyWindow ParseBetween(std::string_view option, std::string_view text) {
    DailyWindow window;
    if (text.size() != 11 || text[5] != '-' || !ClockMinute(text, 0, window.firstMinute) ||
        !ClockMinute(text, 6, window.lastMinute)) {
        Fail(option, "expected two clock times HH:MM-HH:MM between 00:00 and 23:59 (for example 07:00-21:00), got " +
                         Quoted(text));
    }
    return window;
}

std::size_t ParseTop(std::string_view option, std::string_view text) {
    long value = 0;
    const bool digits = !text.empty() && text.size() <= 9 &&
                        std::all_of(text.begin(), text.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
    if (digits) value = std::stol(std::string(text));
    if (!digits || value < 1 || value > LargestTop) {
        Fail(option, "expected a whole number of windows from 1 to " + std::to_string(LargestTop) + ", got " +
                         Quoted(text));
    }
    return static_cast<std::size_t>(value);
}

// Comma-separated weekday names, each left out of the search.
std::array<bool, 7> ParseLeftOut(std::string_view option, std::string_view text) {
    std::array<bool, 7> leftOut{};
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        const std::string name = ParseWeekday(option, text.substr(start, comma - start));
        const auto at = std::find(WeekdayNames.begin(), WeekdayNames.end(), name) - WeekdayNames.begin();
        leftOut[static_cast<std::size_t>(at)] = true;
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    if (std::all_of(leftOut.begin(), leftOut.end(), [](bool b) { return b; })) {
        Fail(option, "leaves out every weekday, so nothing would be searched");
    }
    return leftOut;
}

std::string TimeText(LocalDate date, int minute) { return DateText(date) + "T" + MinuteText(minute); }

}  // namespace

std::string FindUsageText() {
    return "usage: kalvora-cli find --subject TEXT --from YYYY-MM-DD --to YYYY-MM-DD\n"
           "                  [--between HH:MM-HH:MM] [--skip-weekdays NAME[,NAME...]]\n"
           "                  [--top N] [--order rank|time] [--json]\n"
           "                  --muhurtha-lat DD:MM(N|S) --muhurtha-lon DDD:MM(E|W) --muhurtha-zone (+|-)HH:MM\n"
           "                  [--muhurtha-dst]\n"
           "                  --birth YYYY-MM-DDTHH:MM[:SS] --birth-lat DD:MM(N|S) --birth-lon DDD:MM(E|W)\n"
           "                  --birth-zone (+|-)HH:MM [--birth-dst] [--name TEXT] [--sex Male|Female]\n"
           "Searches every minute of the dates --from to --to (both included, at most ten years) and lists the\n"
           "windows over which the evaluation and the names stay the same. --order rank (the default) lists the\n"
           "best first and joins neighbouring windows of one rating (a joined window shows the count, score and\n"
           "names of its best part); --order time lists every window in time order. --between keeps the minutes\n"
           "of each date from the first time to the second, both included (22:00-02:00 runs past midnight).\n";
}

FindOptions ParseFindArguments(const std::vector<std::string>& args) {
    FindOptions options;
    static const std::vector<std::string> valued = {
        "--from", "--to", "--between", "--skip-weekdays", "--top", "--order",
        "--subject", "--name", "--sex",
        "--muhurtha-lat", "--muhurtha-lon", "--muhurtha-zone",
        "--birth", "--birth-lat", "--birth-lon", "--birth-zone"};
    static const std::vector<std::string> flags = {"--json", "--muhurtha-dst", "--birth-dst", "--help", "-h"};

    std::map<std::string, std::string> values;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--muhurtha") throw ArgumentError("--muhurtha: not taken by find, which searches --from to --to");
        const bool isFlag = std::find(flags.begin(), flags.end(), arg) != flags.end();
        const bool isValued = std::find(valued.begin(), valued.end(), arg) != valued.end();
        if (!isFlag && !isValued) throw ArgumentError("unknown argument " + Quoted(arg) + " (see find --help)");
        if (values.count(arg)) throw ArgumentError(arg + ": given more than once");
        if (isValued && i + 1 >= args.size()) throw ArgumentError(arg + ": a value is missing");
        values[arg] = isValued ? args[++i] : "";
    }
    if (values.count("--help") || values.count("-h")) {
        options.help = true;
        return options;
    }
    options.json = values.count("--json") > 0;

    for (const char* required : {"--subject", "--from", "--to", "--muhurtha-lat", "--muhurtha-lon", "--muhurtha-zone",
                                 "--birth", "--birth-lat", "--birth-lon", "--birth-zone"}) {
        if (!values.count(required)) throw ArgumentError(std::string(required) + ": missing (see find --help)");
    }

    FinderQuery& q = options.query;
    q.input.subject = values["--subject"];
    if (!FindSubject(q.input.subject)) {
        Fail("--subject", "expected one of the undertakings' texts (for example 'Marriage'), got " + Quoted(q.input.subject));
    }
    q.from = ParseDate("--from", values["--from"]);
    q.to = ParseDate("--to", values["--to"]);
    if (const std::string problem = SpanProblem(q.from, q.to); !problem.empty()) Fail("--to", problem);
    if (values.count("--between")) q.between = ParseBetween("--between", values["--between"]);
    if (values.count("--skip-weekdays")) q.leftOutWeekdays = ParseLeftOut("--skip-weekdays", values["--skip-weekdays"]);

    ParseLatitude("--muhurtha-lat", values["--muhurtha-lat"], q.input.muhurtha);
    ParseLongitude("--muhurtha-lon", values["--muhurtha-lon"], q.input.muhurtha);
    ParseZone("--muhurtha-zone", values["--muhurtha-zone"], q.input.muhurtha);
    q.input.muhurtha.isDst = values.count("--muhurtha-dst") > 0;
    ParseDateTime("--birth", values["--birth"], q.input.birth);
    ParseLatitude("--birth-lat", values["--birth-lat"], q.input.birth);
    ParseLongitude("--birth-lon", values["--birth-lon"], q.input.birth);
    ParseZone("--birth-zone", values["--birth-zone"], q.input.birth);
    q.input.birth.isDst = values.count("--birth-dst") > 0;

    if (values.count("--name")) q.input.personName = values["--name"];
    if (values.count("--sex")) {
        const std::string& sex = values["--sex"];
        if (sex != "Male" && sex != "Female") Fail("--sex", "expected Male or Female, got " + Quoted(sex));
        q.input.personSex = sex;
    }

    if (values.count("--order")) {
        const std::string& order = values["--order"];
        if (order != "rank" && order != "time") Fail("--order", "expected rank or time, got " + Quoted(order));
        options.listing.order = order == "rank" ? WindowOrder::Rank : WindowOrder::Time;
    }
    // In time order every window is listed as found.
    options.listing.mergeEqualRatings = options.listing.order == WindowOrder::Rank;
    if (values.count("--top")) {
        if (options.listing.order == WindowOrder::Time) Fail("--top", "not taken with --order time, which lists every window");
        options.listing.top = ParseTop("--top", values["--top"]);
    }
    return options;
}

std::string WindowsJson(const std::vector<FoundWindow>& windows) {
    JsonWriter json;
    json.BeginObject().Key("windows").BeginArray();
    for (const FoundWindow& w : windows) {
        json.BeginObject()
            .Field("start", TimeText(w.date, w.firstMinute))
            .Field("end", TimeText(w.date, w.lastMinute))
            .Field("rating", RatingWord(w.rating))
            .Field("ratingCode", static_cast<int>(RatingCode(w.rating)))
            .Field("count", static_cast<int>(w.count))
            .Field("threshold", static_cast<int>(w.threshold))
            .Field("totalScore", static_cast<int>(w.totalScore))
            .Field("nakshatra", w.names.nakshatra)
            .Field("rashi", w.names.rashi)
            .Field("lagna", w.names.lagna)
            .Field("tithi", w.names.tithi)
            .Field("yoga", w.names.yoga)
            .Field("karana", w.names.karana)
            .Field("weekday", w.names.weekday)
            .EndObject();
    }
    json.EndArray().EndObject();
    return json.Text();
}

std::string WindowsText(const std::vector<FoundWindow>& windows) {
    std::string out;
    for (const FoundWindow& w : windows) {
        out += DateText(w.date) + " " + MinuteText(w.firstMinute) + "-" + MinuteText(w.lastMinute) + "  ";
        out += w.rating == Rating::NotRated ? std::string_view("Not rated") : RatingWord(w.rating);
        out += " (count " + std::to_string(w.count) + " of " + std::to_string(w.threshold) + ", score " +
               std::to_string(w.totalScore) + ")  ";
        out += std::string(w.names.weekday) + ", nakshatra " + std::string(w.names.nakshatra) + ", rashi " +
               std::string(w.names.rashi) + ", lagna " + std::string(w.names.lagna) + ", tithi " +
               std::string(w.names.tithi) + ", yoga " + std::string(w.names.yoga) + ", karana " +
               std::string(w.names.karana);
        if (w.pieces > 1) {
            out += "  [" + std::to_string(w.pieces) + " windows joined; best " + MinuteText(w.bestFirstMinute) + "-" +
                   MinuteText(w.bestLastMinute) + "]";
        }
        out += '\n';
    }
    return out;
}

int RunFind(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return RunCommand<FindOptions>(args, out, err, ParseFindArguments, FindUsageText,
                                   [](const FindOptions& options, std::ostream& output) {
        FinderResult result;
        try {
            result = FindWindows(options.query);
        } catch (const FinderError& e) {
            throw CommandError(e.what(), 2);  // a query the finder refuses is a bad argument
        }
        const std::vector<FoundWindow> windows = ListWindows(result.windows, options.listing);
        output << (options.json ? WindowsJson(windows) + "\n" : WindowsText(windows));
    });
}

}  // namespace kalvora
