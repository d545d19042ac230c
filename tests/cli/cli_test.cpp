// quorvel05-cli end to end: outputs against the reviewed files in tests/data/golden, exit codes,
// and the messages for command lines and files it refuses.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string kData = QUORVEL05_TEST_DATA;

std::string Text(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

struct TRun {
    int code = -1;
    std::string out, err;
};

// The program with the arguments, its standard output and error caught in files.
TRun Exec(const std::string& program, const std::vector<std::string>& args) {
    static const std::string dir = std::filesystem::temp_directory_path() /
                                   ("quorvel05-cli-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::string command = program;
    for (const std::string& a : args) command += " '" + a + "'";
    command += " >" + dir + "/out 2>" + dir + "/err </dev/null";
    TRun r;
    const int status = std::system(command.c_str());
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = Text(dir + "/out");
    r.err = Text(dir + "/err");
    return r;
}

TRun Cli(const std::vector<std::string>& args) {
    return Exec(QUORVEL05_CLI_BIN, args);
}

std::string Data(const char* name) {
    return kData + "/" + name;
}
std::string Golden(const char* name) {
    return Text(kData + "/golden/" + name);
}

}  // namespace

TEST(Cli, OutputsAndExitCodes) {
    const std::string b0 = Data("default_bike0.ign"), b1 = Data("default_bike1.ign"),
                      b3 = Data("default_bike3.ign"), pattern = Data("pattern.ign");
    const struct {
        std::vector<std::string> args;
        int code;
        std::string out;
    } cases[] = {
        {{"show", pattern}, 0, Golden("show_pattern.txt")},
        {{"show", "--json", b1}, 0, Golden("show_default_bike1.json")},
        {{"diff", b0, b3}, 1, Golden("diff_bike0_bike3.txt") + "65 values differ\n"},
        {{"diff", b0, b3, "--json"}, 1, Golden("diff_bike0_bike3.json")},
        {{"diff", b1, b1}, 0, "no difference\n"},
        {{"check", pattern},
         1,
         Golden("check_pattern.txt") + "sanitizing would change 52 values\n"},
        {{"check", "--json", pattern}, 1, Golden("check_pattern.json")},
        {{"check", b3}, 0, "sanitizing would change nothing\n"},
    };
    for (const auto& c : cases) {
        const TRun r = Cli(c.args);
        EXPECT_EQ(r.code, c.code) << c.args[0] << " " << c.args[1] << ": " << r.err;
        EXPECT_EQ(r.out, c.out) << c.args[0] << " " << c.args[1];
    }
}

TEST(Cli, RefusalsSayWhyAndExitWith2) {
    const std::string missing = Data("missing.ign"), b0 = Data("default_bike0.ign");
    const struct {
        std::vector<std::string> args;
        const char* err;
    } cases[] = {
        {{}, "no command"},
        {{"frobnicate"}, "unknown command frobnicate"},
        {{"check", missing}, "missing.ign: Open file error!"},
        {{"show", Data("golden/check_pattern.json")}, "Unmatched version of *.ign file!"},
        {{"diff", b0}, "diff takes 2 files"},
        {{"show", b0, "--bike", "1"}, "option --bike does not go with this command"},
        {{"show", b0, "--colour"}, "unknown option --colour"},
        {{"new", "--bike", "5", "-o", "x.ign"}, "--bike takes a motorbike type 0 to 4"},
        {{"new", "--bike", "1"}, "new needs --bike N and -o FILE"},
        {{"new", "--bike", "1", "-o", "/nonexistent/x.ign"}, "x.ign: cannot be written"},
        {{"read", "-o", "x.ign"}, "read needs either --port DEVICE (or auto) or --demo"},
        {{"verify", b0, "--demo", "--port", "auto"}, "verify needs either --port"},
        {{"monitor", "--demo", "--seconds", "0"}, "--seconds takes a whole number"},
        {{"read", "--demo", "-o", "x.ign"}, "read: not yet available"},
        {{"program", b0, "--port", "/dev/ttyUSB0"}, "program: not yet available"},
        {{"monitor", "--port", "auto", "--csv", "r.csv", "--seconds", "5"}, "not yet available"},
    };
    for (const auto& c : cases) {
        const TRun r = Cli(c.args);
        EXPECT_EQ(r.code, 2) << c.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "") << c.err;
    }
}

TEST(Cli, HelpNewAndReplayOfABadLog) {
    for (const char* command :
         {"show", "diff", "check", "new", "read", "program", "verify", "monitor"}) {
        const TRun r = Cli({command, "--help"});
        EXPECT_EQ(r.code, 0) << command;
        EXPECT_EQ(r.out.rfind(std::string("usage: quorvel05-cli ") + command, 0), 0u) << r.out;
        EXPECT_NE(r.out.find("3 no unit answering"), std::string::npos) << command;
    }
    EXPECT_NE(Cli({"--help"}).out.find("3 no unit answering"), std::string::npos);
    const std::string out = std::filesystem::temp_directory_path() / "quorvel05-cli-new.ign";
    const TRun made = Cli({"new", "--bike", "3", "-o", out});
    EXPECT_EQ(made.code, 0) << made.err;
    EXPECT_EQ(Text(out), Text(Data("default_bike3.ign")));
    std::filesystem::remove(out);
    const TRun replay = Exec(QUORVEL05_UNITSIM_BIN, {"--replay", Data("default_bike3.ign")});
    EXPECT_EQ(replay.code, 2);
    EXPECT_NE(replay.err.find("line 1: not a monitor log"), std::string::npos) << replay.err;
}
