// quorvel05-cli end to end: outputs against the reviewed files in tests/data/golden, exit codes,
// and the messages for command lines and files it refuses.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
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

namespace {

// quorvel05-unitsim on a pseudo-terminal, with fault words, for as long as it lives.
struct TPtyUnit {
    FILE* pipe = nullptr;
    std::string device;
    explicit TPtyUnit(const std::string& faults = "") {
        const std::string command = std::string("exec ") + QUORVEL05_UNITSIM_BIN + " " + faults;
        pipe = ::popen(command.c_str(), "r");
        char line[256] = {};
        if (pipe != nullptr && std::fgets(line, sizeof line, pipe) != nullptr) device = line;
        while (!device.empty() && (device.back() == '\n' || device.back() == '\r'))
            device.pop_back();
    }
    ~TPtyUnit() {
        std::system("pkill -TERM -f '^[^ ]*quorvel05-unitsim' >/dev/null 2>&1");
        if (pipe != nullptr) ::pclose(pipe);
    }
};

}  // namespace

// The unit commands against the virtual unit on a pseudo-terminal, as against a real one.
TEST(CliUnit, ReadProgramVerifyAndMonitorOnAPseudoTerminal) {
    const std::string dir = std::filesystem::temp_directory_path() /
                            ("quorvel05-cli-unit-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    {
        TPtyUnit unit;
        ASSERT_FALSE(unit.device.empty());
        const TRun read = Cli({"read", "--port", unit.device, "-o", dir + "/unit.ign"});
        EXPECT_EQ(read.code, 0) << read.err;
        EXPECT_NE(read.err.find("read: block 3 of 5"), std::string::npos) << read.err;
        EXPECT_EQ(Cli({"check", dir + "/unit.ign"}).code, 0);

        const TRun program = Cli({"program", "--port", unit.device, Data("default_bike3.ign")});
        EXPECT_EQ(program.code, 0) << program.err;
        EXPECT_EQ(Cli({"verify", "--port", unit.device, Data("default_bike3.ign")}).code, 0);
        // The unit holds type 3's set now, not type 1's: what differs is listed.
        const TRun other = Cli({"verify", "--port", unit.device, Data("default_bike1.ign")});
        EXPECT_EQ(other.code, 1);
        EXPECT_NE(other.out.find("BIKE"), std::string::npos) << other.out;

        const TRun monitor =
            Cli({"monitor", "--port", unit.device, "--seconds", "2", "--csv", dir + "/run.csv"});
        EXPECT_EQ(monitor.code, 0) << monitor.err;
        EXPECT_GE(std::count(monitor.out.begin(), monitor.out.end(), '\n'), 4);
        const std::string csv = Text(dir + "/run.csv");
        EXPECT_EQ(csv.rfind("time_s,rpm,", 0), 0u);
        EXPECT_GE(std::count(csv.begin(), csv.end(), '\n'), 5);
    }
    {
        // A unit that answers block 3 with a byte changed fails the program's verify there.
        TPtyUnit unit("--fault differ=3");
        const TRun program = Cli({"program", "--port", unit.device, Data("default_bike2.ign")});
        EXPECT_EQ(program.code, 1) << program.err;
        EXPECT_NE(program.err.find("failed at block 3"), std::string::npos) << program.err;
    }
    {
        // Nobody answering: exit 3, and nothing read is written.
        TPtyUnit unit("--fault silent");
        const TRun read = Cli({"read", "--port", unit.device, "-o", dir + "/none.ign"});
        EXPECT_EQ(read.code, 3) << read.err;
        EXPECT_FALSE(std::filesystem::exists(dir + "/none.ign"));
    }
    const TRun absent = Cli({"read", "--port", "/dev/quorvel05-no-such-port", "-o", dir + "/x"});
    EXPECT_EQ(absent.code, 3);
    EXPECT_NE(absent.err.find("the device is not present"), std::string::npos) << absent.err;
    std::filesystem::remove_all(dir);
}
