// English texts.
#include "ui/language.h"

const char* const kJazyk1Msg[] = {
    "Open file error!",
    "Unmatched version of *.ign file!",
    "Do you want default setting?",
    "Unmatched version of PC and Ignition programs!",
    "Rpm on TP14 and TP23 are not the same !",
    "Read device:",
    "Verify device:",
    "Verify device:",
    "Program device:",
    "Verify OK",
    "Program OK",
    "Read error!",
    "Verify error!",
    "Program error!",
    "Date and Time of printing:  ",
    "The serial port %s cannot be opened: %s",
    "the device is not present.",
    "permission denied. Add your user to the dialout group (sudo usermod -aG dialout $USER), "
    "then log out and in again.",
    "the port is in use by another program.",
    "%s.",
};
static_assert(sizeof(kJazyk1Msg) / sizeof(kJazyk1Msg[0]) == static_cast<int>(TMsg::Count));
