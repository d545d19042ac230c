// German texts.
#include "ui/language.h"

const char* const kJazyk3Msg[] = {
    "Fehler beim öffnen der Datei!",
    "Uneinig Version der Datendatei *.ign!",
    "Wollen Sie Standardeinstellungen öffnen?",
    "Uneinig Version von den PC and Zündung Programme!",
    "Uneinig Rpm TP14 und TP23!",
    "Lesen:",
    "Vergleichen:",
    "Verifikation:",
    "Programmieren:",
    "Vergleich OK",
    "Programmieren OK",
    "Lesefehler",
    "Vergleichsfehler",
    "Programmier. Fehler",
    "Date and Time of printing:  ",
    "Die serielle Schnittstelle %s kann nicht geöffnet werden: %s",
    "das Gerät ist nicht vorhanden.",
    "Zugriff verweigert. Fügen Sie Ihren Benutzer der Gruppe dialout hinzu "
    "(sudo usermod -aG dialout $USER) und melden Sie sich neu an.",
    "die Schnittstelle wird von einem anderen Programm benutzt.",
    "%s.",
};
static_assert(sizeof(kJazyk3Msg) / sizeof(kJazyk3Msg[0]) == static_cast<int>(TMsg::Count));
