#pragma once
// The checks a page makes before Next lets the user go on: possible calendar dates, coordinate ranges and the
// characters a coordinate box accepts. Plain functions over the typed values; the window shows the messages.

#include <optional>
#include <string_view>

namespace kalvora {

inline constexpr std::string_view MsgSelectSubject = "Please Select A Subject";
inline constexpr std::string_view MsgEnterName = "Please Enter Your Name";
inline constexpr std::string_view MsgDegreeLat = "Please Enter Degree in Latitude";
inline constexpr std::string_view MsgMinuteLat = "Please Enter Minute in Latitude";
inline constexpr std::string_view MsgDegreeLong = "Please Enter Degree in Longitude";
inline constexpr std::string_view MsgMinuteLong = "Please Enter Minute in Longitude";
inline constexpr std::string_view MsgFebruaryDate = "Please Enter Correct Date Or Month!";
inline constexpr std::string_view MsgThirtyDayMonth = "Please Enter Correct Date Or Month !";
inline constexpr std::string_view MsgOnlyDigits = "Please Enter Only Characters";
inline constexpr std::string_view MsgEnterCity = "Please Enter City";
inline constexpr std::string_view MsgEnterState = "Please Enter State";
inline constexpr std::string_view MsgEnterCountry = "Please Enter Country";
inline constexpr std::string_view MsgAlreadyRunning = "Application is already running";

// Range messages of the coordinate boxes.
inline constexpr std::string_view MsgDegreeLatRange = "Please Enter Degree in Latitude between 0 and 90";
inline constexpr std::string_view MsgMinuteLatRange = "Please Enter Minute in Latitude between 0 and 59";
inline constexpr std::string_view MsgDegreeLongRange = "Please Enter Degree in Longitude between 0 and 180";
inline constexpr std::string_view MsgMinuteLongRange = "Please Enter Minute in Longitude between 0 and 59";
inline constexpr std::string_view MsgPoleMinutes = "Please Enter 0 Minutes for 90 Degrees Latitude";
inline constexpr std::string_view MsgDateLineMinutes = "Please Enter 0 Minutes for 180 Degrees Longitude";

// A date as the page's lists hold it: the year's value, the month position (0 = January) and the day position
// (0 = day 1). Returns the message of an impossible date (30 February, 31 April, ...), nothing when it exists.
std::optional<std::string_view> CheckDate(int year, int monthPosition, int dayPosition);

// The four coordinate boxes of a page, in the order they are checked.
enum class CoordinateBox { DegreeLat, MinuteLat, DegreeLong, MinuteLong };

struct CoordinateProblem {
    CoordinateBox box;  // where the focus goes
    std::string_view message;
};

// Latitude 0..90 degrees, longitude 0..180 degrees, minutes 0..59, and the extreme degrees only with 0 minutes.
std::optional<CoordinateProblem> CheckCoordinateRanges(int degreeLat, int minuteLat, int degreeLong, int minuteLong);

// A coordinate box accepts the digits 0 to 9 and nothing else (no signs, no other scripts' digits).
constexpr bool IsCoordinateDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

inline constexpr int CoordinateMaxLength = 3;

}  // namespace kalvora
