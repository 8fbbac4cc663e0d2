// MomentForm's person: the birth page read as a person to save, and a saved person shown on the page.

#include "app/gui/pages/moment_form.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

#include "app/gui/shell/theme.h"

namespace kalvora {

Person MomentForm::ReadPerson() const {
    Person person;
    if (name != nullptr) {
        person.name = name->text().trimmed().toStdString();
        person.sex = female->isChecked() ? "Female" : "Male";
    }
    SetBirthMoment(person, ReadMoment(), ZoneId());
    const PlaceText names = Place();
    if (!names.city.empty() || !names.state.empty() || !names.country.empty()) {
        person.place = BirthPlace{names.city, names.state, names.country};
    }
    return person;
}

void MomentForm::ShowPerson(const Person& person) {
    if (name != nullptr) {
        name->setText(FromView(person.name));
        (person.sex == "Female" ? female : male)->setChecked(true);
    }
    SetDateAndTime(person.born.year, person.born.month, person.born.day, person.born.hour, person.born.minute);
    const BirthPlace names = person.place.value_or(BirthPlace{});
    if (person.zone.id) {
        kalvora::Place place;
        place.name = names.name;
        place.state = names.state;
        place.country = names.country;
        place.timeZone = *person.zone.id;
        place.latitudeDeg = person.latitude;
        place.longitudeDeg = person.longitude;
        ChoosePlace(place);
        return;
    }
    city->setText(FromView(names.name));
    state->setText(FromView(names.state));
    country->setText(FromView(names.country));
    WriteCoordinates(person.latitude, person.longitude);
    // The boxes hold no seconds.
    const MomentInput birth = BirthMomentOf(person);
    const int east = birth.zone.isEast ? 1 : -1;
    SetZone(east * birth.zone.hours, east * birth.zone.minutes);
    dst->setChecked(person.zone.dst);
    FollowZone();
}

}  // namespace kalvora
