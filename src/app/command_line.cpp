#include "app/command_line.h"

TCommandLine ParseCommandLine(const std::vector<std::string>& args) {
    TCommandLine cl;
    bool haveWord = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 < args.size()) {
                out = args[++i];
            } else {
                cl.error = "option " + a + " needs a value";
            }
        };
        if (a == "--demo") {
            cl.demo = true;
        } else if (a == "--port") {
            value(cl.port);
        } else if (a.rfind("--port=", 0) == 0) {
            cl.port = a.substr(7);
        } else if (a == "--config-dir") {
            value(cl.configDir);
        } else if (a.rfind("--config-dir=", 0) == 0) {
            cl.configDir = a.substr(13);
        } else if (a == "--demo-fault") {
            std::string f;
            value(f);
            if (!f.empty()) cl.demoFaults.push_back(f);
        } else if (a.rfind("--demo-fault=", 0) == 0) {
            if (a.size() > 13) cl.demoFaults.push_back(a.substr(13));
        } else if (a == "--replay") {
            value(cl.replay);
            cl.demo = true;
        } else if (a == "--replay-speed") {
            value(cl.replaySpeed);
        } else if (a == "--help" || a == "-h") {
            cl.help = true;
        } else if (a == "--version") {
            cl.version = true;
        } else if (a.size() > 1 && a[0] == '-') {
            cl.error = "unknown option " + a;
        } else if (!haveWord) {
            cl.languageWord = a;
            haveWord = true;
        }
    }
    return cl;
}

const char* CommandLineUsage() {
    return "Usage: quorvel05 [ENGLISH|CESKY|DEUTSCH] [options]\n"
           "Configuration and diagnostics of the Quorvel 05 ignition and injection unit.\n"
           "\n"
           "  ENGLISH, CESKY, DEUTSCH  language of the user interface\n"
           "  --demo                   put the built-in virtual unit first (Com 1)\n"
           "  --port DEVICE            put DEVICE first (Com 1), e.g. /dev/ttyUSB0\n"
           "  --config-dir DIR         keep settings and the parameter snapshot in DIR\n"
           "                           (also QUORVEL05_CONFIG_DIR)\n"
           "  --demo-fault NAME        make the virtual unit misbehave: silent, wrong-check,\n"
           "                           layout=N, hold=TICKS, differ=BLOCK, mute=BLOCK,\n"
           "                           wrong-code=BLOCK, drop-every=N, copies=N, trailing=N,\n"
           "                           save-ticks=N; point=RPM,TP,IAP,MAP holds the engine\n"
           "                           at RPM, TP % and IAP % on MAP (tp or iap)\n"
           "  --replay FILE            play a monitor log (Device > Record log...) back as the\n"
           "                           virtual unit (implies --demo)\n"
           "  --replay-speed X         play it X times faster (above 0, at most 1000)\n"
           "  --help                   show this text\n"
           "  --version                show the version\n";
}
