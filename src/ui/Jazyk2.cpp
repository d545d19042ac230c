// Czech texts.
#include "ui/language.h"

const char* const kJazyk2Msg[] = {
    "Chyba při otevírání souboru!",
    "Neshodná verze souboru *.ign!",
    "Chcete nastavit základní hodnoty?",
    "Neshodné verze proramu v PC a zapalování!",
    "Otáčky TP14 a TP23 nejsou stejné !",
    "Čtení:",
    "Verifikace:",
    "Verifikace:",
    "Programování:",
    "Verifikace OK",
    "Programování OK",
    "Chyba čtení!",
    "Chyba verifikace!",
    "Chyba programování",
    "Datum a čas tisku:  ",
    "Sériový port %s nelze otevřít: %s",
    "zařízení není připojeno.",
    "přístup odepřen. Přidejte svého uživatele do skupiny dialout "
    "(sudo usermod -aG dialout $USER) a znovu se přihlaste.",
    "port používá jiný program.",
    "%s.",
};
static_assert(sizeof(kJazyk2Msg) / sizeof(kJazyk2Msg[0]) == static_cast<int>(TMsg::Count));
