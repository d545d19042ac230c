// Automatic tuning inside the idle tick: watch the tolerance window and the lambda band on every
// call, decide, resend or ask for live values on every fifth, and correct the operating cell once
// lambda has stayed off target for the time step.
#include "app/Hlav.h"

void TFormHlav::TuningStep() {
    const TTuningTarget target = TuningTargetOf(PageControl1.Position(), monitor.tpMapActive);
    tuning.inTuningWindow = InTuningWindow(image, monitor, operatingPoint, target);
    const TLambdaReading lambda = ReadLambda(image, monitor.lambdaMv);
    tuning.lambdaOnTarget = lambda.OnTarget();
    tuning.CountOffTarget();

    if (++session.ticksSinceSend <= 4) return;
    session.ticksSinceSend = 0;

    if (tuning.blockPending) {
        if (++session.attempts > kMaxAttempts) {
            // Written into the label as it stands: shown only if it still is.
            LabelHlaseni.SetColor(TColor::Red);
            LabelHlaseni.SetText(Text(TMsg::ProgramError));
            session.messageTicks = kMessageTicks;
        }
        SendBlockFrame();
        return;
    }
    if (tuning.offTargetTicks < 2 * image.Get(TField::TUNING_STEP) || !monitor.freshMonitorFrame) {
        SendMonitorRequest();
        return;
    }

    monitor.freshMonitorFrame = false;
    tuning.offTargetTicks = 0;
    CGaugeProgram.SetVisible(true);
    session.messageTicks = kMessageTicks;
    const uint8_t block = CorrectOperatingCell(image, operatingPoint, target, lambda);
    if (block == 0) return;
    // Outside the history and outside programming after change: the corrected block alone goes
    // to the unit, and the correction joins the next snapshot an edit commits.
    Sanitize();
    RefreshFieldsFromImage();
    tuning.blockPending = true;
    session.command = block;
    session.attempts = 1;
    SendBlockFrame();
}
