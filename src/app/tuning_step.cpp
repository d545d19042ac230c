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
    if (!tuning.inTuningWindow || tuning.lambdaOnTarget) limitStop = TLimitStop::None;
    UpdateTuningStatus(target, lambda);

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

    // An opt-in limit holds the correction back before anything changes or is written.
    int bytes[2] = {0, 0};
    const int count = CorrectionBytes(image, operatingPoint, target, bytes);
    limitStop = CheckLimits(limits, review, image, bytes, count, lambda, monitor.coolantCode - 100,
                            limitPercent);
    if (limitStop != TLimitStop::None) {
        tuning.offTargetTicks = 0;
        SendMonitorRequest();
        return;
    }
    monitor.freshMonitorFrame = false;
    tuning.offTargetTicks = 0;
    CGaugeProgram.SetVisible(true);
    session.messageTicks = kMessageTicks;
    const uint8_t before[2] = {image[bytes[0]], image[bytes[1]]};
    const uint8_t block = CorrectOperatingCell(image, operatingPoint, target, lambda);
    int moved[2];
    int movedCount = 0;
    for (int i = 0; i < count; ++i) {
        if (image[bytes[i]] == before[i]) continue;
        moved[movedCount++] = bytes[i];
        LogCorrection(bytes[i], before[i], image[bytes[i]]);
    }
    review.Record(moved, movedCount);
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
