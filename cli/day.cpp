#include "cli/day.h"

#include <ostream>

#include "astro/tables.h"
#include "cli/birth_options.h"
#include "cli/command.h"
#include "cli/conventions_options.h"
#include "cli/options.h"
#include "driver/panels.h"
#include "driver/season.h"
#include "finder/finder.h"
#include "month/day_zone.h"
#include "muhurtha/names.h"

namespace kalvora {
namespace {

using Row = Option<DayOptions>;

void ReadDate(DayOptions& o, std::string_view option, std::string_view text) {
    o.date = ParseDate(option, text);
    if (const std::string problem = DateProblem(o.date); !problem.empty()) Fail(option, problem);
}
void ReadJson(DayOptions& o, std::string_view, std::string_view) { o.json = true; }

constexpr auto DayOptionTable = JoinRows(std::to_array<Row>({{"--date", OptionKind::Required, ReadDate}}),
                                         DayPlaceRows<DayOptions>(),
                                         std::to_array<Row>({{"--json", OptionKind::Flag, ReadJson}}),
                                         ConventionRows<DayOptions>());
static_assert(WellFormed(DayOptionTable));

// A clock minute as the day's texts show times: "YYYY-MM-DDTHH:MM:SS".
std::string SecondsText(ClockMinute minute) { return DateTimeText(minute) + ":00"; }

std::string TimeText(const DayView& day, double jdUt) { return LocalTimeText(jdUt, day.place.zoneOffsetSeconds); }

void OptionalTime(JsonWriter& json, std::string_view key, const DayView& day, const std::optional<double>& jdUt) {
    json.Key(key);
    if (jdUt) {
        json.String(TimeText(day, *jdUt));
    } else {
        json.Null();
    }
}

void Span(JsonWriter& json, const DayView& day, const TimeSpan& span) {
    json.BeginObject().Field("start", TimeText(day, span.startJdUt)).Field("end", TimeText(day, span.endJdUt));
    json.EndObject();
}

std::string_view WeekdayName(int weekday) { return WeekdayNames[static_cast<std::size_t>(weekday - 1)]; }

// "2011-12-30 does not exist in Pacific/Apia: the clocks jumped from 2011-12-29 23:59:59 (UTC-10:00) to
// 2011-12-31 00:00 (UTC+14:00)".
std::string SkippedDateText(const TimeZone& zone, LocalDate date) {
    const std::int64_t noon = SecondsSinceEpoch({date.year, date.month, date.day, 12, 0, 0});
    const ZoneTransition jump = LookUpLocalTime(zone, LocalDateTimeAt(noon)).jump;
    return DateText(date) + " does not exist in " + zone.id() + ": the clocks jumped from " +
           FormatLocalDateTime(LocalDateTimeAt(jump.utSeconds - 1 + jump.before.offsetSeconds)) + " (UTC" +
           OffsetText(jump.before.offsetSeconds) + ") to " +
           FormatLocalDateTime(LocalDateTimeAt(jump.utSeconds + jump.after.offsetSeconds)) + " (UTC" +
           OffsetText(jump.after.offsetSeconds) + ")";
}

// Puts into the place the zone's clock of the day (DayOnZone); a date the clocks skipped is refused.
void SetZoneOfTheDay(DayOptions& options, const TimeZone& zone) {
    const std::optional<ZonedDay> day = DayOnZone(options.place.place, zone, options.date, options.conventions);
    if (!day) Fail("--date", SkippedDateText(zone, options.date));
    options.place.zone = day->zone;
}

}  // namespace

std::string DayUsageText() {
    return "usage: kalvora-cli day --date YYYY-MM-DD [--place TEXT] [--lat DD:MM(N|S) --lon DDD:MM(E|W)]\n"
           "                 [--zone (+|-)HH:MM[:SS] [--dst] | --tz AREA/CITY] [--json]\n"
           "                 " + ConventionsUsage(17) + "\n"
           "Prints the day of the date at the place: sunrise, sunset and the next sunrise (hindu: the centre of the\n"
           "Sun on the horizon without refraction, the default; standard: its upper edge with refraction), the\n"
           "tithi, nakshatra, yoga and karana current from sunrise to the next sunrise with their times, Rahu\n"
           "kalam, Yamaganda, Gulika, Abhijit, the Durmuhurtas, the choghadiyas and the horas, then the season at\n"
           "the day's sunrise: the lunar month, the samvat years and the vetoes in force during the day. Where the\n"
           "Sun does not rise or set that day, its times and the periods are left out.\n"
           "The place and zone are taken as by the calculation (see kalvora-cli --help): coordinates from --lat and\n"
           "--lon or the best atlas match of --place, the zone from --zone, --tz or the place; a zone id gives the\n"
           "offset in force at the day's sunrise (where the Sun does not rise, the one in force for most of the date);\n"
           "a date the zone's clocks skipped is refused. --ayanamsa as for the calculation (see kalvora-cli --help)\n"
           "places the nakshatras, yogas, lagnas, Panchaka and the season's sankrantis.\n";
}

DayOptions ParseDayArguments(const std::vector<std::string>& args) {
    DayOptions options = ReadOptions(args, DayOptionTable, "day --help");
    if (options.help) return options;
    // The option names are those of the day: "--place", "--tz", "--zone".
    AtlasOnDemand atlas;
    const std::optional<TimeZone> zone = ResolveSearchedPlace("-", options.sources, options.place, atlas, "day --help");
    if (zone) SetZoneOfTheDay(options, *zone);
    return options;
}

void WriteLimbsJson(JsonWriter& json, const std::array<LimbSpan, LimbCount>& limbs) {
    json.BeginObject();
    for (const LimbSpan& span : limbs) {
        json.Key(KeyOf(span.limb)).BeginObject();
        json.Field("name", span.value.name)
            .Field("start", DateTimeText(span.start))
            .Field("end", DateTimeText(span.end));
        json.EndObject();
    }
    json.EndObject();
}

namespace {

// The day's season, after the day's own keys: "lunarMonth", "samvat" and "season".
void WriteSeasonJson(JsonWriter& json, const DaySeason& season) {
    const SeasonAt& at = season.atSunrise;
    json.Key("lunarMonth").BeginObject();
    json.Field("amanta", names::LunarMonths[static_cast<std::size_t>(at.month.nameIndex)])
        .Field("purnimanta", names::LunarMonths[static_cast<std::size_t>(at.purnimantaNameIndex)])
        .Field("adhika", at.month.adhika)
        .Field("kshaya", at.month.kshaya);
    json.EndObject();
    json.Key("samvat").BeginObject();
    json.Field("vikram", at.samvat.vikram)
        .Field("shaka", at.samvat.shaka)
        .Field("samvatsara", SamvatsaraNames[static_cast<std::size_t>(at.samvat.samvatsaraIndex)]);
    json.EndObject();
    json.Key("season");
    WriteVetoesJson(json, season.vetoes);
}

// The rest of the day's table, after the season: "lagnas", "varjyam", "amritKalam", "bhadra" and "panchaka"; then
// the conventions the day was computed with.
void WriteTableJson(JsonWriter& json, const DayView& day) {
    const DayTable& table = day.table;
    json.Key("lagnas").BeginArray();
    for (const LagnaPart& part : table.lagnas) {
        json.BeginObject()
            .Field("name", part.name)
            .Field("start", TimeText(day, part.span.startJdUt))
            .Field("end", TimeText(day, part.span.endJdUt))
            .EndObject();
    }
    json.EndArray();
    for (const auto& [key, spans] : {std::pair{"varjyam", &table.varjyam}, std::pair{"amritKalam", &table.amritKalam},
                                     std::pair{"bhadra", &table.bhadra}, std::pair{"panchaka", &table.panchaka}}) {
        json.Key(key).BeginArray();
        for (const TimeSpan& span : *spans) Span(json, day, span);
        json.EndArray();
    }
    WriteConventionsJson(json, day.conventions);
}

}  // namespace

void WriteVetoesJson(JsonWriter& json, const std::vector<VetoMinutes>& vetoes) {
    json.BeginArray();
    for (const VetoMinutes& v : vetoes) {
        json.BeginObject()
            .Field("id", RowOf(v.veto).id)
            .Field("start", DateTimeText(v.start))
            .Field("end", DateTimeText(v.end))
            .EndObject();
    }
    json.EndArray();
}

void WriteDayJson(JsonWriter& json, const DayView& day, const DaySeason& season) {
    json.BeginObject();
    WriteDayFields(json, day, season);
    json.EndObject();
}

void WriteDayFields(JsonWriter& json, const DayView& day, const DaySeason& season) {
    json.Field("date", DateText(day.sun.date));
    OptionalTime(json, "sunrise", day, day.sun.sunriseJdUt);
    OptionalTime(json, "sunset", day, day.sun.sunsetJdUt);
    OptionalTime(json, "nextSunrise", day, day.sun.nextSunriseJdUt);
    json.Field("weekday", WeekdayName(day.sun.weekday));
    json.Key("limbs").BeginObject();
    for (std::size_t i = 0; i < LimbCount; ++i) {
        json.Key(LimbKeys[i]).BeginArray();
        for (const LimbSpan& span : day.limbs[i]) {
            json.BeginObject()
                .Field("name", span.value.name)
                .Field("start", SecondsText(span.start))
                .Field("end", SecondsText(span.end))
                .EndObject();
        }
        json.EndArray();
    }
    json.EndObject();
    if (!day.periods) {
        for (const char* key : {"rahuKalam", "yamaganda", "gulika", "abhijit", "durmuhurta", "choghadiya", "hora"}) {
            json.Key(key).Null();
        }
        WriteSeasonJson(json, season);
        WriteTableJson(json, day);
        return;
    }
    const DayPeriods& p = *day.periods;
    json.Key("rahuKalam");
    Span(json, day, p.rahuKalam);
    json.Key("yamaganda");
    Span(json, day, p.yamaganda);
    json.Key("gulika");
    Span(json, day, p.gulika);
    json.Key("abhijit");
    if (p.abhijit) {
        Span(json, day, *p.abhijit);
    } else {
        json.Null();
    }
    json.Key("durmuhurta").BeginArray();
    for (const TimeSpan& span : p.durmuhurtas) Span(json, day, span);
    json.EndArray();
    json.Key("choghadiya").BeginArray();
    for (const ChoghadiyaPart& part : p.choghadiyas) {
        json.BeginObject()
            .Field("name", RowOf(part.choghadiya).name)
            .Field("good", part.good)
            .Field("start", TimeText(day, part.span.startJdUt))
            .Field("end", TimeText(day, part.span.endJdUt))
            .EndObject();
    }
    json.EndArray();
    json.Key("hora").BeginArray();
    for (const HoraPart& part : p.horas) {
        json.BeginObject()
            .Field("lord", NameOf(part.lord).name)
            .Field("start", TimeText(day, part.span.startJdUt))
            .Field("end", TimeText(day, part.span.endJdUt))
            .EndObject();
    }
    json.EndArray();
    WriteSeasonJson(json, season);
    WriteTableJson(json, day);
}

std::string DayJson(const DayView& day, const DaySeason& season) {
    JsonWriter json;
    WriteDayJson(json, day, season);
    return json.Text();
}

namespace {

// The season's lines, after the day's own.
std::string SeasonLines(const DaySeason& season) {
    const SeasonTexts texts = SeasonTextsOf(season);
    std::string out = "  Lunar month: " + texts.months + "\n";
    out += "  Samvat: " + texts.years + "\n";
    if (texts.vetoes.empty()) return out + "  Season: no veto in force\n";
    out += "  Season:\n";
    for (const SeasonTexts::VetoLine& v : texts.vetoes) {
        out += "    " + v.name + " (" + v.what + ")  " + DateTimeText(v.start) + " to " + DateTimeText(v.end) + "\n";
    }
    if (!texts.note.empty()) out += "  " + texts.note + "\n";
    return out;
}

// The lagnas, Varjyam, Amrit kalam, Bhadra and Panchaka, each span on a line.
std::string TableLines(const DayView& day) {
    const auto span = [&](const TimeSpan& s) { return TimeText(day, s.startJdUt) + " to " + TimeText(day, s.endJdUt); };
    std::string out = day.table.lagnas.empty() ? "  Lagna: none (no sign of the ascendant begins and ends near the day)\n"
                                               : "  Lagna:\n";
    for (const LagnaPart& part : day.table.lagnas) out += "    " + std::string(part.name) + "  " + span(part.span) + "\n";
    for (const auto& [heading, spans] :
         {std::pair{"Varjyam", &day.table.varjyam}, std::pair{"Amrit kalam", &day.table.amritKalam},
          std::pair{"Bhadra", &day.table.bhadra}, std::pair{"Panchaka", &day.table.panchaka}}) {
        if (spans->empty()) out += "  " + std::string(heading) + ": none\n";
        for (const TimeSpan& s : *spans) out += "  " + std::string(heading) + ": " + span(s) + "\n";
    }
    return out;
}

std::string DayLines(const DayView& day) {
    const auto clock = [&](const std::optional<double>& jdUt) {
        return jdUt ? TimeText(day, *jdUt) : std::string("none");
    };
    const auto span = [&](const TimeSpan& s) { return TimeText(day, s.startJdUt) + " to " + TimeText(day, s.endJdUt); };
    std::string out = "Day of " + DateText(day.sun.date) + " (" + std::string(WeekdayName(day.sun.weekday)) + ")\n";
    out += "  Sunrise: " + clock(day.sun.sunriseJdUt) + "\n";
    out += "  Sunset: " + clock(day.sun.sunsetJdUt) + "\n";
    out += "  Next sunrise: " + clock(day.sun.nextSunriseJdUt) + "\n";
    if (!day.periods) {
        out += day.sun.course == SunCourse::MidnightSun ? "  The Sun does not set: no periods of the day.\n"
                                                        : "  The Sun does not rise: no periods of the day.\n";
    }
    for (std::size_t i = 0; i < LimbCount; ++i) {
        out += "  " + std::string(LimbHeadings[i]) + ":\n";
        for (const LimbSpan& s : day.limbs[i]) {
            out += "    " + std::string(s.value.name) + "  " + DateTimeText(s.start) + " to " +
                   DateTimeText(s.end) + "\n";
        }
    }
    out += TableLines(day);
    if (!day.periods) return out;
    const DayPeriods& p = *day.periods;
    out += "  Rahu kalam: " + span(p.rahuKalam) + "\n";
    out += "  Yamaganda: " + span(p.yamaganda) + "\n";
    out += "  Gulika: " + span(p.gulika) + "\n";
    out += "  Abhijit: " + (p.abhijit ? span(*p.abhijit) : std::string("none on Wednesday")) + "\n";
    for (const TimeSpan& s : p.durmuhurtas) out += "  Durmuhurta: " + span(s) + "\n";
    out += "  Choghadiya:\n";
    for (const ChoghadiyaPart& part : p.choghadiyas) {
        out += "    " + std::string(RowOf(part.choghadiya).name) + (part.good ? " (good)  " : " (bad)  ") +
               span(part.span) + "\n";
    }
    out += "  Hora:\n";
    for (const HoraPart& part : p.horas) out += "    " + std::string(NameOf(part.lord).name) + "  " + span(part.span) + "\n";
    return out;
}

}  // namespace

std::string DayText(const DayView& day, const DaySeason& season) { return DayLines(day) + SeasonLines(season); }

int RunDay(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return RunCommand<DayOptions>(args, out, err, ParseDayArguments, DayUsageText,
                                  [](const DayOptions& options, std::ostream& output) {
        const DayView day =
            ComputeDayView(options.place.place, options.place.zone, options.date, options.conventions);
        const DaySeason season = SeasonOfDay(day);
        output << (options.json ? DayJson(day, season) + "\n" : DayText(day, season));
    });
}

}  // namespace kalvora
