// Automatic tuning from the lambda reading.
#include "app/Hlav.h"

// Until tuning corrects cells, a tuning step keeps the live values coming like the idle step.
void TFormHlav::TuningStep() {
    if (++session.ticksSinceSend >= kMonitorPeriod) {
        session.ticksSinceSend = 0;
        SendMonitorRequest();
    }
}
