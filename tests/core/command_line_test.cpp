// The program's command line: the language word and the options of the front end.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include "fault_options.h"

TEST(CommandLine, TheFirstPlainWordIsTheLanguageWordAndOptionsTakeTheirValues) {
    TCommandLine cl = ParseCommandLine({"ENGLISH", "DEUTSCH"});
    EXPECT_EQ(cl.languageWord, "ENGLISH");
    EXPECT_TRUE(cl.error.empty());

    cl = ParseCommandLine({"--port", "/dev/ttyUSB1", "--config-dir=/tmp/q", "CESKY", "--demo"});
    EXPECT_EQ(cl.port, "/dev/ttyUSB1");
    EXPECT_EQ(cl.configDir, "/tmp/q");
    EXPECT_EQ(cl.languageWord, "CESKY");
    EXPECT_TRUE(cl.demo);
    EXPECT_TRUE(cl.error.empty());

    // An option's value is never the language word.
    cl = ParseCommandLine({"--port", "ENGLISH"});
    EXPECT_EQ(cl.port, "ENGLISH");
    EXPECT_EQ(cl.languageWord, "");

    cl = ParseCommandLine({});
    EXPECT_EQ(cl.languageWord, "");
    EXPECT_FALSE(cl.demo);
    EXPECT_TRUE(cl.error.empty());
}

TEST(CommandLine, FaultsOfTheVirtualUnitInBothSpellingsAndAllListedInTheUsage) {
    const TCommandLine cl =
        ParseCommandLine({"--demo", "--demo-fault", "layout=42", "--demo-fault=differ=3"});
    EXPECT_TRUE(cl.error.empty()) << cl.error;
    EXPECT_EQ(cl.demoFaults, (std::vector<std::string>{"layout=42", "differ=3"}));
    const std::string usage = CommandLineUsage();
    for (const char* w :
         {"silent", "wrong-check", "layout=N", "hold=TICKS", "differ=BLOCK", "mute=BLOCK",
          "wrong-code=BLOCK", "drop-every=N", "copies=N", "trailing=N", "save-ticks=N"}) {
        EXPECT_NE(usage.find(w), std::string::npos) << w;
        // Every word the usage names is one the virtual unit knows.
        std::string word = w;
        const size_t eq = word.find('=');
        if (eq != std::string::npos) word = word.substr(0, eq) + "=1";
        TUnitFaults f;
        EXPECT_TRUE(ApplyFaultOption(f, word)) << word;
    }
}

TEST(CommandLine, MistakesAreReported) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--port"}, {"--config-dir"}, {"--demo-fault"}, {"--bogus"}, {"-x", "ENGLISH"}}) {
        EXPECT_FALSE(ParseCommandLine(args).error.empty()) << args[0];
    }
    EXPECT_TRUE(ParseCommandLine({"--help"}).help);
    EXPECT_TRUE(ParseCommandLine({"--version"}).version);
}
