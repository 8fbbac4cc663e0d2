#include "report/report_texts.h"

#include <array>

namespace kalvora {
namespace {

// Report sections (19 rows, report order): heading, appended muhurtha name, the paragraph for an unfavourable
// factor, then the paragraph for a favourable or neutral one.
static constexpr auto Sections = std::to_array<ReportSectionText>({
    {ReportFactor::Tara, "Strength of Star (Tarabala)", nullptr,
        "Under the malefic effects of Tarabala, prime importance should be laid on the native's health. "
        "Fatigue, small ailments and low spirits are likely, and plans may meet delays. Rest well, avoid "
        "needless risks and begin important work only with great care.",
        "Under the favorable effects of Tarabala, the native will be wealth and will experience all sorts of "
        "enjoyments. The star of the day is friendly to the birth star, so health, comfort and fortune are "
        "supported, and work begun now tends to prosper without hindrance."},
    {ReportFactor::Moon, "Strength of Moon (Chandrabala)", nullptr,
        "Under the unfavorable effects of Chandrabala, the native will be devoid of mental strength and "
        "longevity. The mind may falter, moods may change quickly and decisions may lack firmness, so new "
        "beginnings are better postponed.",
        "The Moon (Chandra) is said to be the Queen of the solar family. She rules the mind, the emotions "
        "and the flow of daily life, and her strength at the chosen moment is one of the first things "
        "weighed in muhurtha. When the Moon is well placed from the birth Moon, the mind is calm and steady, "
        "confidence is high and the native is able to carry the work through to a happy and fruitful end in "
        "time."},
    {ReportFactor::Nakshatra, "Nakshatra: ", &MomentDetails::nakshatra,
        "Just like the effects of auspicious nakshatras, the adverse effects of the inauspicious nakshatras "
        "also need to be taken into consideration. The lunar mansion occupied by the Moon colours the whole "
        "moment, and an unsuitable star for this undertaking can bring delays, disputes and wasted effort. "
        "If the work cannot be postponed, begin it with prayer and extra care, and avoid needless risk.",
        "Nakshatras and muhurthas are closely interrelated. Each of the twenty-seven lunar mansions has its "
        "own nature, and some are especially suited to the undertaking chosen here. The Moon passes through "
        "a star that supports this work, which promises a smooth opening, willing helpers and steady "
        "progress towards success."},
    {ReportFactor::Tithi, "Tithi: ", &MomentDetails::tithi,
        "Inauspicious Tithi brings about all kind of financial as well as personal losses. The lunar day of "
        "this moment does not favour the undertaking, and work begun now may suffer setbacks or expenses. A "
        "more suitable tithi should be chosen, if at all possible.",
        "Time the most powerful factor in the accomplishment of any work. The tithi, the lunar day formed by "
        "the distance of the Moon from the Sun, is one of the five limbs of the panchanga. The tithi of the "
        "moment is in harmony with the undertaking and lends it strength, patience and steady growth."},
    {ReportFactor::Weekday, "Weekday: ", &MomentDetails::vaar,
        "Works started on the inauspicious days never yield good and beneficial results. Every weekday is "
        "ruled by a planet, and the lord of this day is not friendly to the undertaking chosen. Efforts may "
        "be scattered, support may be withdrawn at the last moment and the results may fall short of the "
        "labours spent. It is wiser to wait for a day whose ruling lord is kind to this sort of work.",
        "It is very important to consider the day of the week before starting off any new venture or "
        "business or any work. Every weekday carries the influence of its ruling planet, and the lord of the "
        "chosen day is well disposed towards this undertaking. The ruler lends its own qualities to the "
        "work, helping it to begin smoothly and to grow steadily towards the desired result."},
    {ReportFactor::LunarMonth, "Hindu Months", nullptr,
        "All kind of ventures and undertakings during the inauspicious Hindu months bring about great "
        "hardships in the life of the person concerned. The lunar month in which the chosen moment falls is "
        "traditionally avoided for this kind of work. Plans may be delayed, expenses may rise and the help "
        "of friends may be very hard to find. If at all possible, wait for a more favourable month.",
        "New works or undertakings during the auspicious Hindu months bring about unprecedented benefits to "
        "the person concerned. The lunar month of the chosen moment is counted among the good months for "
        "this undertaking, adding its quiet blessing to all the other factors of the muhurtha."},
    {ReportFactor::Lagna, "Lagna: ", &MomentDetails::lagna,
        "Under the unfavorable effects of lagnas, the native is liable to suffer from financial as well as "
        "personal losses. The rising sign of the chosen moment is not suited to this undertaking, so the "
        "work may start on a weaker footing and face opposition. A different time of the same day, with a "
        "better rising sign, is well worth finding.",
        "People under the strong influence of the birth ascendant or the lagnas are generally very quick and "
        "direct. The rising sign of the chosen moment supports this undertaking and gives the work a firm "
        "start, a clear purpose and the energy to see it all through."},
    {ReportFactor::Rashi, "Rashi: ", &MomentDetails::rashi,
        "The malefic effects produced by the combination of the different planets result in a number of "
        "obstacles and hindrances in your path to success. The Moon's sign at this moment does not favour "
        "the work, so patience and caution are surely needed.",
        "Rashi or the zodiac astrology plays an important role in selecting the most auspicious time for "
        "starting off new works and ventures. The sign occupied by the Moon at the chosen moment is well "
        "suited to this undertaking. It brings a settled mind, good relations with the people involved and a "
        "favourable climate in which the work may take root and bear fruit in proper time."},
    {ReportFactor::Karana, "Karana: ", &MomentDetails::karana,
        "Under the effect of the inauspicious karanas, no good work or rituals should be performed. A karana "
        "is half of a tithi, and the chosen moment falls in Visti, also known as Bhadra, which is "
        "traditionally shunned for any auspicious beginnings. Work started now may meet obstacles, strife "
        "and loss. It is wisest to let this half tithi pass and to begin once a more kindly karana has taken "
        "over.",
        "Karana is an important component of muhurtha which is very often neglected in actual practice. Each "
        "tithi is divided into two karanas, and each karana has its own character. The karana of the chosen "
        "moment is free from the blemish of Visti, so it places no obstacle in the way of this undertaking "
        "and allows all the other good factors to work fully."},
    {ReportFactor::NityaYoga, "Birth Yogas", nullptr,
        "Under the effects of unfavorable birth yogas, nothing seems to work smooth and fine for the native. "
        "The yoga of the day, formed by the joint motion of the Sun and the Moon, is one of the harsh yogas "
        "at the chosen moment. It can bring friction, misunderstanding and reverses, and the work may have "
        "to be done twice. Choose another day for any really important start.",
        "Under the effects of favorable birth yoga, the native is known to excel in all works related to the "
        "field of commerce and communication. The yoga of the day, formed by the joint motion of the Sun and "
        "the Moon, is free from harshness at the chosen moment. It favours clear speech, fair dealings and a "
        "good understanding with others, helping the work to move ahead."},
    {ReportFactor::SiddhaYoga, "Siddha Yoga", nullptr,
        "Under the unfavorable effects of this particular yoga, it is advisable to avoid all kind of "
        "auspicious works until this combination has passed and a kinder moment has come round.",
        "Siddha Yoga is one of the most benefic yoga. It arises from a fortunate union of the weekday with "
        "the tithi or the nakshatra, and its name means accomplishment. Work begun under its influence tends "
        "to reach its goal with ease, and it can lessen the effects of the smaller blemishes in the muhurtha."},
    {ReportFactor::SarvarthaYoga, "Savartha Siddha Yoga", nullptr,
        "",
        "As the name implies, this Yoga is favorable under all circumstances. Sarvartha Siddha means the "
        "fulfilment of every purpose, and it is formed when particular nakshatras fall upon particular "
        "weekdays. It is held in high esteem for starting any worthy work, since it brings success in all "
        "its aims and helps to overcome the weaker points of the day."},
    {ReportFactor::MrityuYoga, "Mrityu Yoga", nullptr,
        "As the name itself implies, Mrityu Yoga is an inauspicious yoga in itself. Mrityu means death, and "
        "this union of the weekday with the tithi is said to bring danger, illness and loss. No journey or "
        "important work should be started under it; if travel is unavoidable, go with prayer and care.",
        ""},
    {ReportFactor::DagdhaYoga, "Daghda Yoga", nullptr,
        "Daghda Yoga is an inauspicious yoga in itself. Dagdha means burnt, and work begun under this union "
        "of weekday and nakshatra is said to wither. Avoid setting out on a journey now.",
        ""},
    {ReportFactor::YamaghataYoga, "Yamaghata Yoga", nullptr,
        "Like the Mrityu and the Daghda, the Yamaghata yoga is also a malefic yoga in itself. It is formed "
        "by an unkind union of the weekday and the nakshatra, and it is said to bring sorrows, hurdles and "
        "fruitless effort. A journey or any new venture must never be started while it is in force.",
        ""},
    {ReportFactor::TripushkarYoga, "Tripushkar Yoga", nullptr,
        "",
        "Under the favorable effects of this yoga, the native is likely to inherit ancestral property and "
        "wealth. Tripushkar means three-fold nourishment: whatever is begun or gained under it tends to be "
        "repeated three times, so it is a very fine time for saving and investing."},
    {ReportFactor::DvipushkarYoga, "Dvipushkar Yoga", nullptr,
        "The effects of this yoga will have a tendency to repeat itself twice. Whatever is begun now, a gain "
        "or a loss, is likely to come round again, so act with due care and foresight.",
        ""},
    {ReportFactor::SaraswatiYoga, "Saraswati Yoga", nullptr,
        "Under the unfavorable effects of Saraswati yoga, it is advisable to avoid all kind of auspicious "
        "works of learning until the goddess of wisdom looks more kindly on the day.",
        "Under the favorable effects of this particular yoga, the native is free to go ahead and take up all "
        "kinds work and ventures related to education. Saraswati, the goddess of all learning, blesses the "
        "moment: study begun now is absorbed quickly, remembered well and used very wisely."},
    {ReportFactor::AmritaYoga, "Amrita Siddhi Yoga", nullptr,
        "",
        "After the Siddha yoga, the Amrita Siddhi yoga is the next most auspicious yoga. Amrita is the "
        "nectar of immortality, and this union of weekday and nakshatra is said to give lasting success, "
        "health and the fulfilment of the hopes behind the work."},
});
static_assert(Sections.size() == ReportSectionCount);

// Overall effect of the muhurtha (3 rows, by rating code).
static constexpr auto Ratings = std::to_array<RatingText>({
    {1, "Bad",
        "Bad Muhurthas are the inauspicious moments. It reflects the ill disposed effects of time over "
        "certain events. Too few of the factors weighed here support this undertaking, so work begun at this "
        "moment may meet delays, obstacles and disappointment. It is wise to look for another date and time, "
        "when the stars, the tithi and the day are more kindly disposed towards your plans."},
    {2, "Good",
        "Muhurtha means auspicious. Good muhurtha helps us in determining when exactly the influences of "
        "time on a certain event are well disposed. Most of the factors weighed here favour the undertaking, "
        "so you may go ahead with confidence and a light heart: work begun now is blessed with a good start, "
        "with steady progress and with a happy ending."},
    {3, "Average",
        "Under the average effects of Muhurtha, you will find yourself in quite a stable position. The good "
        "and the weak factors of this moment balance each other, so the work can go ahead, but success will "
        "depend on your own efforts and care. Where you can, choose a date on which many more factors are "
        "favourable."},
});
static_assert(Ratings.size() == 3);

constexpr bool SectionsInFactorOrder() {
    for (std::size_t i = 0; i < Sections.size(); ++i) {
        if (static_cast<std::size_t>(Sections[i].factor) != i) return false;
    }
    return true;
}
static_assert(SectionsInFactorOrder());

}  // namespace

std::span<const ReportSectionText> ReportSectionTexts() { return Sections; }

std::span<const RatingText> RatingTexts() { return Ratings; }

const RatingText& RatingTextOf(std::int16_t code) {
    if (code == 1) return Ratings[0];
    if (code == 2) return Ratings[1];
    return Ratings[2];
}

}  // namespace kalvora
