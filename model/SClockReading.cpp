#include "model/SClockReading.h"

#include "model/CTickClock.h"

SClockReading SClockReading::Take() {
    SClockReading reading;
    reading.time = CDateTime::Now(true);
    reading.ticks = CTickClock::Get();
    return reading;
}
