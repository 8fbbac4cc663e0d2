// MomentForm's zone: a zone typed in the boxes or taken by id from a chosen place, its offset for the page's
// date and time, and the zone line and notes beside and under the boxes.

#include "app/gui/pages/moment_form.h"

#include <QCheckBox>
#include <QLabel>
#include <QStringList>

#include "app/gui/shell/theme.h"
#include "astro/ephemeris.h"

namespace kalvora {

std::string MomentForm::ZoneId() const { return zone_ ? zone_->id() : std::string(); }

void MomentForm::ChooseZone(const std::string& zoneId) {
    DropAtlasZone();
    zoneId_ = zoneId;
    zone_ = OpenTimeZone(zoneId);
    FollowZone();
}

void MomentForm::SetZone(int eastHours, int eastMinutes) {
    DropAtlasZone();
    zoneHour->setText(QString::number(-eastHours));
    zoneMinute->setText(QString::number(-eastMinutes));
    FollowZone();
}

std::optional<LocalTimeInZone> MomentForm::LookUpZone() const {
    if (!zone_) return std::nullopt;
    return LookUpLocalTime(*zone_, LocalTime());
}

void MomentForm::ChooseFold(Fold fold) {
    fold_ = fold;
    foldTime_ = LocalTime();
    FollowZone();
}

bool MomentForm::FoldChosen() const { return fold_ && foldTime_ == LocalTime(); }

std::optional<ZoneOffset> MomentForm::AtlasOffset() const {
    const auto found = LookUpZone();
    if (!found) return std::nullopt;
    return ChosenOffset(*found, FoldChosen() ? *fold_ : Fold::Earlier);
}

void MomentForm::WriteBoxes(const ZoneBoxes& boxes) {
    writingZone_ = true;
    zoneHour->setText(QString::number(boxes.isEast ? -boxes.hours : boxes.hours));
    zoneMinute->setText(QString::number(boxes.isEast ? -boxes.minutes : boxes.minutes));
    dst->setChecked(boxes.daylight);
    writingZone_ = false;
}

void MomentForm::DropAtlasZone() {
    zone_.reset();
    zoneId_.clear();
    chosenPlace_.reset();
    fold_.reset();
    if (placeCheck != nullptr) CheckPlace();
}

void MomentForm::FollowZone() {
    if (zoneId_.empty()) {
        zoneLine->setText(QStringLiteral("Zone typed by hand \u00B7 UTC") +
                          QString::fromStdString(OffsetText(ZoneOffsetSeconds(ReadMoment().zone))));
        zoneNote->clear();
        zoneNote->hide();
        return;
    }
    const LocalDateTime local = LocalTime();
    const auto found = LookUpZone();
    ShowChosenZone(local, AtlasOffset());
    ShowZoneNotes(local, found);
}

void MomentForm::ShowChosenZone(const LocalDateTime& local, const std::optional<ZoneOffset>& offset) {
    const QString separator = QStringLiteral(" \u00B7 ");
    QString text = FromView(zoneId_);
    if (!zone_) text += QStringLiteral(": not in this computer's zone database; choose the zone with TZ Help");
    if (offset) {
        WriteBoxes(SplitIntoBoxes(*offset));
        if (!offset->abbreviation.empty()) text += separator + QString::fromStdString(offset->abbreviation);
        text += separator + QStringLiteral("UTC") + QString::fromStdString(OffsetText(offset->offsetSeconds));
        const std::string_view period = ZonePeriodName(zoneId_, local, *offset);
        if (!period.empty()) text += QLatin1Char(' ') + FromView(period);
    }
    zoneLine->setText(text);
}

void MomentForm::ShowZoneNotes(const LocalDateTime& local, const std::optional<LocalTimeInZone>& found) {
    QStringList notes;
    // A time that needs the user's attention: the clocks jumped over it, or it occurs twice and no offset is chosen.
    if (found && found->kind != LocalTimeKind::Unique && !(found->kind == LocalTimeKind::Repeated && FoldChosen())) {
        notes << QString::fromStdString(DescribeLocalTime(zoneId_, local, *found));
    }
    // The region is the chosen place's, or for a zone chosen by id the page's coordinates (west-negative).
    const MomentTime typed = ConvertMoment(ReadMoment());
    const std::string_view regionNote =
        chosenPlace_ ? ZoneNoteFor(chosenPlace_->latitudeDeg, chosenPlace_->longitudeDeg, local)
                     : ZoneNoteFor(typed.latitude, typed.longitude, local);
    if (!regionNote.empty()) notes << FromView(regionNote);
    zoneNote->setText(notes.join(QLatin1Char('\n')));
    zoneNote->setVisible(!notes.isEmpty());
}

MomentOrigin MomentForm::Origin() const {
    MomentOrigin origin;
    const std::optional<ZoneOffset> offset = AtlasOffset();
    if (!offset) return origin;
    origin.zone = ZoneOfMoment{ZoneId(), offset->abbreviation, offset->offsetSeconds, offset->daylight};
    // A zone chosen by id leaves the place typed.
    if (!chosenPlace_) return origin;
    // The coordinates as used: the page's boxes, to whole minutes of arc.
    const MomentTime time = ConvertMoment(ReadMoment());
    origin.place = PlaceOfMoment{chosenPlace_->name, chosenPlace_->state, chosenPlace_->country, time.latitude,
                                 time.longitude};
    return origin;
}

}  // namespace kalvora
