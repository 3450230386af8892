#include "host/mode_dispatch.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr WindowValue Foreground = 555;
constexpr int DialogEndCode = 1;
constexpr int SaverExitCode = 7;
constexpr int PasswordExitCode = 0;

// Everything the dispatch asked of the platform, in order, as short readable lines.
struct Recorder {
    std::vector<std::string> calls;
    std::vector<WindowValue> windowsChecked;

    ModeDispatchPlatform Platform(int isWin9x, std::set<WindowValue> liveWindows, WindowValue foreground) {
        ModeDispatchPlatform platform;
        platform.isWin9x = isWin9x;
        platform.isWindow = [this, liveWindows](WindowValue window) {
            windowsChecked.push_back(window);
            return liveWindows.count(window) != 0;
        };
        platform.foregroundWindow = [foreground] { return foreground; };
        platform.setModeFlags = [this](int windowed, int preview) {
            calls.push_back("flags " + std::to_string(windowed) + std::to_string(preview));
        };
        platform.showSettingsDialog = [this](WindowValue parent) {
            calls.push_back("dialog " + std::to_string(parent));
            return DialogEndCode;
        };
        platform.runSaver = [this](WindowValue host) {
            calls.push_back("saver " + std::to_string(host));
            return SaverExitCode;
        };
        platform.runChangePassword = [this](WindowValue parent) {
            calls.push_back("password " + std::to_string(parent));
            return PasswordExitCode;
        };
        return platform;
    }
};

struct DispatchCase {
    const char* name;
    std::string tail;
    int isWin9x;
    std::set<WindowValue> liveWindows;
    int exitCode;
    std::vector<std::string> calls;
};

const std::set<WindowValue> Window1234 = {1234};
const std::set<WindowValue> NoWindows = {};
// 4294968530 is 2^32 + 1234.
const std::string WrappingNumber = "4294968530";

const DispatchCase DispatchCases[] = {
    {"empty tail", "", 0, NoWindows, DialogEndCode, {"dialog 0"}},
    {"only prefixes", " / - ", 0, NoWindows, DialogEndCode, {"dialog 0"}},
    {"/c", "/c", 0, NoWindows, DialogEndCode, {"dialog 555"}},
    {"-C", "-C", 0, NoWindows, DialogEndCode, {"dialog 555"}},
    {"c", "c", 0, NoWindows, DialogEndCode, {"dialog 555"}},
    {"/c:1234 ignores number", "/c:1234", 0, Window1234, DialogEndCode, {"dialog 555"}},
    {"/s", "/s", 0, NoWindows, SaverExitCode, {"saver 0"}},
    {"-s", "-s", 0, NoWindows, SaverExitCode, {"saver 0"}},
    {"S", "S", 0, NoWindows, SaverExitCode, {"saver 0"}},
    {"mixed prefixes", " / - s", 0, NoWindows, SaverExitCode, {"saver 0"}},
    {"//s extra", "//s extra", 0, NoWindows, SaverExitCode, {"saver 0"}},
    {"/sx", "/sx", 0, NoWindows, SaverExitCode, {"saver 0"}},
    {"/s on 9x", "/s", 1, NoWindows, SaverExitCode, {"saver 0"}},
    {"/w", "/w", 0, NoWindows, SaverExitCode, {"flags 10", "saver 0"}},
    {"W", "W", 1, NoWindows, SaverExitCode, {"flags 10", "saver 0"}},
    {"/p 1234", "/p 1234", 0, Window1234, SaverExitCode, {"flags 11", "saver 1234"}},
    {"/p1234", "/p1234", 0, Window1234, SaverExitCode, {"flags 11", "saver 1234"}},
    {"/p tab 1234", "/p\t1234", 0, Window1234, SaverExitCode, {"flags 11", "saver 1234"}},
    {"/P blanks and tabs", "/P \t \t1234", 1, Window1234, SaverExitCode, {"flags 11", "saver 1234"}},
    {"/p wrapping number", "/p " + WrappingNumber, 0, Window1234, SaverExitCode, {"flags 11", "saver 1234"}},
    {"/p no number", "/p", 0, Window1234, 0, {"flags 11"}},
    {"/p no number 9x", "/p", 1, Window1234, PasswordExitCode, {"flags 11", "password 555"}},
    {"/p 0", "/p 0", 0, Window1234, 0, {"flags 11"}},
    {"/p 0 9x", "/p 0", 1, Window1234, PasswordExitCode, {"flags 11", "password 555"}},
    {"/p no such window", "/p 1234", 0, NoWindows, 0, {"flags 11"}},
    // The first digit is stepped over before the second reading: 234 is read.
    {"/p no such window 9x", "/p 1234", 1, NoWindows, PasswordExitCode, {"flags 11", "password 555"}},
    {"/p second reading names window", "/p 51234", 1, Window1234, PasswordExitCode, {"flags 11", "password 1234"}},
    {"/p:1234", "/p:1234", 0, Window1234, 0, {"flags 11"}},
    {"/p:1234 9x", "/p:1234", 1, Window1234, PasswordExitCode, {"flags 11", "password 1234"}},
    {"/p:1234 9x no window", "/p:1234", 1, NoWindows, PasswordExitCode, {"flags 11", "password 555"}},
    {"/a", "/a", 0, NoWindows, 0, {}},
    {"/a 9x", "/a", 1, NoWindows, PasswordExitCode, {"password 555"}},
    {"/a 1234", "/a 1234", 0, Window1234, 0, {}},
    {"/a 1234 9x", "/a 1234", 1, Window1234, PasswordExitCode, {"password 1234"}},
    {"/A 1234 9x no window", "/A 1234", 1, NoWindows, PasswordExitCode, {"password 555"}},
    {"/a tab 1234 9x", "-a\t1234", 1, Window1234, PasswordExitCode, {"password 1234"}},
    {"/a wrapping number 9x", "/a" + WrappingNumber, 1, Window1234, PasswordExitCode, {"password 1234"}},
    {"/x", "/x", 0, Window1234, 0, {}},
    {"/q", "/q", 1, Window1234, 0, {}},
    {"/1", "/1", 0, Window1234, 0, {}},
    {"leading tab", "\t/s", 0, Window1234, 0, {}},
    {"letter from x up", "/z", 1, Window1234, 0, {}},
    {"byte from 128 up", "/\xe9", 1, Window1234, 0, {}},
    {"colon first", ":s", 0, Window1234, 0, {}},
};

class DispatchTest : public testing::TestWithParam<DispatchCase> {};

TEST_P(DispatchTest, ChoosesRunnerFlagsAndExitCode) {
    const DispatchCase& c = GetParam();
    Recorder recorder;
    const int exitCode = DispatchCommandTail(c.tail.c_str(), recorder.Platform(c.isWin9x, c.liveWindows, Foreground));
    EXPECT_EQ(exitCode, c.exitCode) << c.name;
    EXPECT_EQ(recorder.calls, c.calls) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Tails, DispatchTest, testing::ValuesIn(DispatchCases));

TEST(Dispatch, ZeroHandleIsNeverOfferedToTheWindowCheck) {
    Recorder recorder;
    DispatchCommandTail("/p 0", recorder.Platform(1, {0}, Foreground));
    EXPECT_EQ(recorder.windowsChecked, std::vector<WindowValue>{});
}

TEST(Dispatch, WrappedNumberIsWhatTheWindowCheckSees) {
    Recorder recorder;
    DispatchCommandTail("/p 99999999999", recorder.Platform(0, NoWindows, Foreground));
    EXPECT_EQ(recorder.windowsChecked, std::vector<WindowValue>{1215752191u});
}

// The text ends right after the switch letter, in a buffer of exactly its size, so that the
// address checker reports any read past the terminator.
TEST(Dispatch, PreviewSwitchAtEndOfTextStaysInsideIt) {
    for (const char* switchText : {"/p", "p", "/a"}) {
        const std::size_t size = std::strlen(switchText) + 1;
        auto text = std::make_unique<char[]>(size);
        std::memcpy(text.get(), switchText, size);
        Recorder recorder;
        EXPECT_EQ(DispatchCommandTail(text.get(), recorder.Platform(1, Window1234, Foreground)), PasswordExitCode);
        EXPECT_EQ(recorder.calls.back(), "password 555") << switchText;
    }
}

TEST(Dispatch, ForegroundMayBeEmptyForPasswordChange) {
    Recorder recorder;
    EXPECT_EQ(DispatchCommandTail("/a", recorder.Platform(1, NoWindows, 0)), PasswordExitCode);
    EXPECT_EQ(recorder.calls, std::vector<std::string>{"password 0"});
}

struct DecimalCase {
    const char* text;
    std::uint32_t value;
};

const DecimalCase DecimalCases[] = {
    {"", 0},
    {"0", 0},
    {"7", 7},
    {"1234", 1234},
    {"00001234", 1234},
    {"12:34", 12},
    {"12 34", 12},
    {"1234abc", 1234},
    {"-5", 0},
    {"+5", 0},
    {" 5", 0},
    {"4294967295", 4294967295u},
    {"4294967296", 0},
    {"99999999999", 1215752191u},
    {"123456789012345678901234567890", 1312754386u},
};

class DecimalTest : public testing::TestWithParam<DecimalCase> {};

TEST_P(DecimalTest, ReadsDigitsModulo2To32) {
    EXPECT_EQ(ParseDecimal(GetParam().text), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Numbers, DecimalTest, testing::ValuesIn(DecimalCases));

}  // namespace
