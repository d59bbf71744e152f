#include "model/ActivityBooking.h"

#include "model/CActivity.h"

EActivityChoice CheckActivityChoice(const CActivity* activity) {
    if (activity == nullptr) {
        return EActivityChoice::None;
    }
    return activity->IsEnabled() ? EActivityChoice::Bookable : EActivityChoice::NotBookable;
}

bool IsBookable(const CActivity* activity) {
    return CheckActivityChoice(activity) == EActivityChoice::Bookable;
}
