#include "cli/cli.h"

#include <exception>
#include <optional>
#include <ostream>

#include "astro/tables.h"
#include "driver/panels.h"
#include "cli/arguments.h"
#include "cli/command.h"
#include "cli/conventions_options.h"
#include "cli/day.h"
#include "cli/find.h"
#include "cli/month.h"
#include "cli/json.h"
#include "cli/people.h"
#include "cli/places.h"
#include "cli/report_output.h"
#include "cli/season.h"

namespace kalvora {
namespace {

// The nine bodies, Sun to Ketu, and the ayanamsa they were placed with (the Moon is the system's own).
void WriteSky(JsonWriter& json, const Sky& sky) {
    json.Key("planets").BeginArray();
    for (std::size_t i = 0; i < sky.bodies.size(); ++i) {
        const BodyPosition& p = sky.bodies[i];
        const SignName& sign = SignNames[static_cast<std::size_t>(p.signIndex)];
        json.BeginObject()
            .Field("name", BodyNames[i].name)
            .Field("longitude", p.longitudeDeg)
            .Field("sign", sign.name)
            .Field("signAbbreviation", sign.planetAbbreviation)
            .Field("nakshatra", NakshatraNames[static_cast<std::size_t>(p.nakshatraIndex)].name)
            .Field("retrograde", p.retrograde)
            .EndObject();
    }
    json.EndArray();
    json.Field("ayanamsa", sky.ayanamsaDeg);
}

// Where the moment's place and zone came from: the atlas place (null when typed) and the zone used.
void WriteOrigin(JsonWriter& json, const MomentInput& input, const MomentOrigin& origin) {
    json.Key("place");
    if (const std::optional<PlaceOfMoment>& place = origin.place) {
        json.BeginObject()
            .Field("name", place->name)
            .Field("state", place->state)
            .Field("country", place->country)
            .Field("latitude", place->latitudeDeg)
            .Field("longitude", place->longitudeDeg)
            .EndObject();
    } else {
        json.Null();
    }
    const ZoneOfMoment zone = origin.zone.value_or(ZoneOfTyped(input.zone));
    json.Key("zone").BeginObject().Key("id");
    if (zone.id) {
        json.String(*zone.id);
    } else {
        json.Null();
    }
    json.Field("abbreviation", zone.abbreviation)
        .Field("offsetSeconds", static_cast<int>(zone.offsetSeconds))
        .Field("daylight", zone.daylight)
        .EndObject();
}

void WriteMoment(JsonWriter& json, const MomentResult& m, const MomentInput& input, const MomentOrigin& origin,
                 const std::array<LimbSpan, LimbCount>& limbs) {
    static constexpr const char* slotNames[] = {"rashi", "rashiLord", "nakshatra", "nakshatraLord", "lagna",
                                                "tithi", "yoga",      "karana",    "vaar"};
    json.BeginObject();
    json.Key("details").BeginObject();
    for (int slot = 0; slot < MomentDetails::SlotCount; ++slot) json.Field(slotNames[slot], m.details.Slot(slot));
    json.EndObject();
    json.Field("ut", m.time.ut)
        .Field("jdn", m.time.jdn)
        .Field("centuriesSince1900", m.time.centuriesSince1900)
        .Field("centuriesSince2000", m.time.centuriesSince2000)
        .Field("lagnaLongitude", m.chart.lagnaLongitude)
        .Field("moonLongitude", m.chart.moonLongitude)
        .Field("nakshatraIndex", m.chart.nakshatraIndex);
    const PanchangaInfo& p = m.panchanga;
    json.Key("panchanga").BeginObject();
    json.Field("weekdayNumber", static_cast<int>(p.weekdayNumber))
        .Field("weekdayName", p.weekdayName)
        .Field("paksha", p.paksha)
        .Field("tithiIndex", p.tithiIndex)
        .Field("tithiNumber", static_cast<int>(p.tithiNumber))
        .Field("tithiName", p.tithiName)
        .Field("tithiRuleName", p.tithiRuleName)
        .Field("tithiClass", p.tithiClass)
        .Field("yogaIndex", p.yogaIndex)
        .Field("yogaName", p.yogaName)
        .Field("karanaIndex", p.karanaIndex)
        .Field("karanaName", p.karanaName)
        .Field("sunTropical", p.sunTropical)
        .Field("moonTropical", p.moonTropical)
        .Field("sunTropicalUnreduced", p.sunTropicalUnreduced)
        .Field("moonTropicalUnreduced", p.moonTropicalUnreduced)
        .Field("ayanamsaCorrection", p.ayanamsaCorrection)
        .Field("jde", p.jde);
    json.EndObject();
    WriteOrigin(json, input, origin);
    json.Key("limbs");
    WriteLimbsJson(json, limbs);
    if (m.sky) WriteSky(json, *m.sky);
    json.EndObject();
}

// The factors the rule set wrote, each with its index.
void WriteFactors(JsonWriter& json, const std::vector<FactorVerdict>& factors) {
    json.BeginArray();
    for (std::size_t i = 0; i < factors.size(); ++i) {
        const FactorVerdict& f = factors[i];
        if (!f.written) continue;
        json.BeginObject()
            .Field("index", static_cast<int>(i))
            .Field("heading", f.heading)
            .Field("points", static_cast<int>(f.points))
            .Field("counted", f.counted)
            .EndObject();
    }
    json.EndArray();
}

void WriteEvaluation(JsonWriter& json, const Evaluation& e) {
    json.BeginObject();
    json.Field("stopped", e.stopped).Field("message", e.message);
    json.Key("factors");
    WriteFactors(json, e.factors);
    json.Field("count", static_cast<int>(e.count))
        .Field("threshold", static_cast<int>(e.threshold))
        .Field("rating", RatingWord(e.rating))
        .Field("ratingCode", static_cast<int>(RatingCode(e.rating)))
        .Field("totalScore", static_cast<int>(e.totalScore));
    // The codes of the factor kinds, then the journey flags, each under the kind's name.
    for (const bool flags : {false, true}) {
        json.Key(flags ? "flags" : "codes").BeginObject();
        for (const FactorKindName& kind : FactorKinds) {
            if (kind.journeyFlag == flags) json.Field(kind.name, static_cast<int>(e.codes[kind.kind]));
        }
        json.EndObject();
    }
    json.Field("amritaNote", e.amritaNote).Field("lunarMonth", e.lunarMonth);
    json.Key("tenthHousePlanets").BeginArray();
    for (const std::string& planet : e.tenthHousePlanets) json.String(planet);
    json.EndArray();
    json.Field("resultText", e.resultText);
    json.EndObject();
}

// The result label's text with its CR LF breaks as plain line breaks for a terminal.
std::string TerminalLines(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out += text[i];
    }
    return out;
}

void AppendPanel(std::string& out, const char* title, const std::array<std::string_view, PanelRowCount>& headings,
                 const std::array<std::string, PanelRowCount>& values, const std::optional<Sky>& sky) {
    out += title;
    out += '\n';
    for (std::size_t row = 0; row < PanelRowCount; ++row) {
        if (row == 3) continue;  // the command line takes no place names
        out += "  ";
        out += headings[row];
        out += ": ";
        out += values[row];
        out += '\n';
    }
    if (!sky) return;
    out += "  Planets:\n";
    for (const PlanetRow& row : PlanetRows(*sky)) out += "    " + PlanetRowText(row) + "\n";
}

// The keys of one person's calculation, in their order.
void WriteCalculation(JsonWriter& json, const CalculationInput& input, const Calculation& c,
                      const CalculationTimes& times) {
    json.Key("birth");
    WriteMoment(json, c.birth, input.birth, input.birthOrigin, times.birthLimbs);
    json.Key("muhurtha");
    WriteMoment(json, c.muhurtha, input.muhurtha, input.muhurthaOrigin, times.muhurthaLimbs);
    json.Field("taraVerdict", VerdictText(c.tara)).Field("moonVerdict", VerdictText(c.moon));
    json.Key("evaluation");
    if (c.evaluation) {
        WriteEvaluation(json, *c.evaluation);
    } else {
        json.Null();
    }
    json.Key("day");
    WriteDayJson(json, times.muhurthaDay, times.muhurthaSeason);
    json.Key("seasonVetoes");
    WriteVetoesJson(json, times.seasonVetoes);
}

// Each person's rating, count, score, factors and bala, and the combined verdict.
void WritePeople(JsonWriter& json, const PeopleCalculation& people) {
    json.Key("people").BeginArray();
    for (const PersonResult& person : people.people) {
        json.BeginObject().Field("name", person.name).Field("role", RoleWord(person.role));
        const std::optional<Evaluation>& e = person.calculation.evaluation;
        json.Field("rating", e ? RatingWord(e->rating) : "")
            .Field("count", e ? static_cast<int>(e->count) : 0)
            .Field("totalScore", e ? static_cast<int>(e->totalScore) : 0);
        json.Key("factors");
        WriteFactors(json, e ? e->factors : std::vector<FactorVerdict>{});
        if (person.bala) {
            json.Key(person.bala->bala == TransitBala::Surya ? "suryaBala" : "guruBala")
                .BeginObject()
                .Field("house", person.bala->house)
                .Field("verdict", BalaVerdictWord(person.bala->verdict))
                .EndObject();
        }
        json.EndObject();
    }
    json.EndArray();
    json.Key("combined");
    if (const std::optional<CombinedVerdict>& combined = people.combined) {
        json.BeginObject().Field("rating", RatingWord(combined->rating)).Key("decidedBy").BeginArray();
        for (const std::string& name : combined->decidedBy) json.String(name);
        json.EndArray().Field("reason", combined->reason).EndObject();
    } else {
        json.Null();
    }
}

// The analysis report of --report, if asked for.
void WriteReport(const CliOptions& options, const Calculation& calculation) {
    std::string error;
    if (options.reportPath &&
        !WriteCalculationReport(options.input, calculation, options.reportAppendix, *options.reportPath, &error)) {
        throw CommandError("--report: " + error, 1);
    }
}

}  // namespace

std::string CalculationJson(const CalculationInput& input, const Calculation& c, const CalculationTimes& times) {
    JsonWriter json;
    json.BeginObject();
    WriteCalculation(json, input, c, times);
    WriteConventionsJson(json, input.conventions);
    json.EndObject();
    return json.Text();
}

std::string PeopleJson(const PeopleInput& input, const PeopleCalculation& people, const CalculationTimes& times) {
    JsonWriter json;
    json.BeginObject();
    WriteCalculation(json, input.first, people.First(), times);
    WritePeople(json, people);
    WriteConventionsJson(json, input.first.conventions);
    json.EndObject();
    return json.Text();
}

std::string CalculationText(const CalculationInput& input, const Calculation& c, const std::string& seasonWarning) {
    std::string out;
    AppendPanel(out, "Birth Details", BirthPanelHeadings,
                PanelValues(input.personName, input.birth, {}, c.birth.details), c.birth.sky);
    out += '\n';
    AppendPanel(out, "Muhurtha Details", MuhurthaPanelHeadings,
                PanelValues(input.personName, input.muhurtha, {}, c.muhurtha.details), c.muhurtha.sky);
    out += '\n';
    out += "Tara Bala: " + std::string(VerdictText(c.tara)) + "\n";
    out += "Chandra Bala: " + std::string(VerdictText(c.moon)) + "\n";
    if (c.evaluation) {
        out += '\n';
        out += TerminalLines(c.evaluation->stopped ? c.evaluation->message : c.evaluation->resultText);
        out += '\n';
        if (!seasonWarning.empty()) out += seasonWarning + "\n";
    }
    return out;
}

std::string PeopleText(const PeopleInput& input, const PeopleCalculation& people, const std::string& seasonWarning) {
    std::string out;
    const Calculation& first = people.First();
    std::string names;  // the muhurtha is everyone's
    for (const PersonResult& person : people.people) names += (names.empty() ? "" : ", ") + person.name;
    AppendPanel(out, "Muhurtha Details", MuhurthaPanelHeadings,
                PanelValues(names, input.first.muhurtha, {}, first.muhurtha.details), first.muhurtha.sky);
    for (std::size_t i = 0; i < people.people.size(); ++i) {
        const PersonResult& person = people.people[i];
        const Calculation& c = person.calculation;
        const MomentInput& birth = i == 0 ? input.first.birth : input.others[i - 1].birth;
        out += '\n';
        out += person.name;
        if (person.role != Role::None) out += " (" + std::string(RoleWord(person.role)) + ")";
        out += '\n';
        AppendPanel(out, "Birth Details", BirthPanelHeadings, PanelValues(person.name, birth, {}, c.birth.details),
                    c.birth.sky);
        out += "Tara Bala: " + std::string(VerdictText(c.tara)) + "\n";
        out += "Chandra Bala: " + std::string(VerdictText(c.moon)) + "\n";
        if (person.bala) out += BalaLine(*person.bala) + "\n";
        if (c.evaluation) {
            out += '\n';
            out += TerminalLines(c.evaluation->stopped ? c.evaluation->message : c.evaluation->resultText);
            out += '\n';
        }
    }
    if (const std::optional<CombinedVerdict>& combined = people.combined) {
        out += '\n';
        out += "Combined Verdict: " +
               std::string(combined->stopped ? "not rated" : RatingWord(combined->rating)) + "\n";
        std::string names;
        for (const std::string& name : combined->decidedBy) names += (names.empty() ? "" : ", ") + name;
        out += "Decided by: " + names + "\n";
        out += combined->reason + "\n";
        if (!seasonWarning.empty()) out += seasonWarning + "\n";
    }
    return out;
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (!args.empty() && args.front() == "find") return RunFind({args.begin() + 1, args.end()}, out, err);
    if (!args.empty() && args.front() == "places") return RunPlaces({args.begin() + 1, args.end()}, out, err);
    if (!args.empty() && args.front() == "day") return RunDay({args.begin() + 1, args.end()}, out, err);
    if (!args.empty() && args.front() == "people") return RunPeople({args.begin() + 1, args.end()}, out, err);
    if (!args.empty() && args.front() == "month") return RunMonth({args.begin() + 1, args.end()}, out, err);
    if (!args.empty() && args.front() == "season") return RunSeason({args.begin() + 1, args.end()}, out, err);
    return RunCommand<CliOptions>(args, out, err, ParseArguments, UsageText,
                                  [](const CliOptions& options, std::ostream& output) {
        const CalculationTimes times = ComputeCalculationTimes(options.input);
        if (!options.others.empty()) {
            const PeopleInput input = options.People();
            const PeopleCalculation people = CalculatePeople(input);
            output << (options.json ? PeopleJson(input, people, times) + "\n"
                                    : PeopleText(input, people, times.seasonWarning));
            std::string error;
            if (options.reportPath &&
                !WritePeopleReport(input, people, options.reportAppendix, *options.reportPath, &error)) {
                throw CommandError("--report: " + error, 1);
            }
            return;
        }
        const Calculation calculation = Calculate(options.input);
        if (options.json) {
            output << CalculationJson(options.input, calculation, times) + "\n";
        } else {
            output << CalculationText(options.input, calculation, times.seasonWarning);
        }
        WriteReport(options, calculation);
    });
}

}  // namespace kalvora
