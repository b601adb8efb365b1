// A Group Policy that keeps error reporting on, in the real registry: the
// dialog shows the option still on after Start and names the policy in its
// list of failures, /status says so in a fourth field, /apply fails on it,
// and the policy stays as it was.
#include "tests/win/e2e/command_line_e2e.h"

namespace {

using K = OptionKey;
using namespace option_keys;
using namespace registry_state;

const std::wstring kReportingPolicy = L"HKLM\\Software\\Policies\\Microsoft\\PCHealth\\ErrorReporting";

// The policy key, there for the test and gone after it, whatever happens.
struct PolicyForTheTest {
    PolicyForTheTest() { SetDword(kReportingPolicy, L"DoReport", 1); }
    ~PolicyForTheTest() { RemoveKey(kReportingPolicy); }
};

std::string LineOf(const std::string& output, const std::string& start)
{
    const std::size_t at = output.find("\n" + start);
    return at == std::string::npos ? std::string() : output.substr(at + 1, output.find('\r', at + 1) - at - 1);
}

TEST_F(CommandLineE2eTest, APolicyKeepingErrorReportingOnIsShownAndNamedAndNeverChanged)
{
    PrepareEverythingOn();
    const PolicyForTheTest policy;

    const Finished status = Veilmark(L"/lang en /status");
    EXPECT_EQ(1u, status.exitCode) << status.output;
    EXPECT_EQ("NoErrorReporting\tTurn off error reporting\ton\tpolicy", LineOf(status.output, "NoErrorReporting\t"))
        << status.output;

    Start();
    HWND main = WaitForMainWindow();
    ASSERT_TRUE(main);
    ToggleTreeItem(main, static_cast<int>(K::RemoveSupportUsers));
    PostCommand(main, IDC_START);
    Answer("停用錯誤報告:[ 群組原則使其保持開啟：電腦設定\\系統管理範本\\系統\\錯誤報告\\回報錯誤 ]\n\n"
           "已套用您選擇的「設定值」，請問您現在是否要\n檢查「系統狀態」？" +
               std::string(23, ' '),
           IDYES);
    ExpectTree(main, {
                         9, 5, 5, 5,     // Media Player
                         9, 12, 5,       // error reporting: kept on by the policy
                         9, 5, 5, 0, 4,  // misc: support users kept, Alexa locked
                         9, 5, 5, 5,     // IE
                         9, 5, 5, 5, 4,  // services: the task scheduler locked
                         9, 3, 2, 2,     // Messenger as it was
                     });
    Screenshot(L"e2e-policy");
    PostCommand(main, IDC_START);
    ExpectEndsAtOnce("the second press of Start");

    const Finished applied = Veilmark(L"/lang en /apply recommended");
    EXPECT_EQ(1u, applied.exitCode) << applied.output;
    EXPECT_EQ("NoErrorReporting\tTurn off error reporting\tkept on by a policy",
              LineOf(applied.output, "NoErrorReporting\t"))
        << applied.output;
    EXPECT_EQ("REG_DWORD 0x0", Show(kReporting, L"DoReport")) << "the preference is written all the same";
    EXPECT_EQ("REG_DWORD 0x1", Show(kReportingPolicy, L"DoReport")) << "the policy is never written";
}

}  // namespace
