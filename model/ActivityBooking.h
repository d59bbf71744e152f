#pragma once

// Whether time can be booked on the activity a user chose: only on a chosen activity that
// is enabled. Every surface that starts work or books a tally mark asks here, the ones
// that warn asking which of the two is missing:
//
//   switch (CheckActivityChoice(box.GetActivity())) {
//   case EActivityChoice::None:        // warn: choose an activity
//   case EActivityChoice::NotBookable: // warn: this one cannot be booked
//   case EActivityChoice::Bookable:
//   }

class CActivity;

enum class EActivityChoice {
    None,
    NotBookable,
    Bookable,
};

EActivityChoice CheckActivityChoice(const CActivity* activity);
// True when CheckActivityChoice gives Bookable.
bool IsBookable(const CActivity* activity);
