#include "gvmain/engine/run_events.h"

#include "gvmain/ops/file_operations.h"
#include "gvmain/ops/ini_operations.h"
#include "gvmain/ops/registry_operations.h"
#include "gvmain/resources/dialog_ids.h"
#include "tests/gvmain/engine/dialog_test_support.h"
#include "tests/gvmain/ops/ops_test_support.h"
#include "tests/gvmain/ops/progman_server.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <utility>

namespace gvmain {
namespace {

using test::Exists;
using test::ReadBytes;
using test::WriteBytes;

constexpr char product[] = "Gv Event Test";

// Time moves only when the run waits; each wait notes the text of the
// notice standing at that moment.
class FakeClock : public NoticeClock {
public:
    uint32_t Now() override { return now; }
    void Wait(uint32_t milliseconds) override {
        waits.push_back(milliseconds);
        noticeTexts.push_back(NoticeText());
        now += milliseconds;
    }

    uint32_t now = 1000;
    std::vector<uint32_t> waits;
    std::vector<std::string> noticeTexts;

private:
    static BOOL CALLBACK Visit(HWND window, LPARAM found) {
        if (IsWindowVisible(window) && GetDlgItem(window, IDC_NOTICE_TEXT) != nullptr) {
            *reinterpret_cast<std::string*>(found) = WindowText(GetDlgItem(window, IDC_NOTICE_TEXT));
        }
        return TRUE;
    }
    static std::string NoticeText() {
        std::string text;
        EnumThreadWindows(GetCurrentThreadId(), &Visit, reinterpret_cast<LPARAM>(&text));
        return text;
    }
};

class FakeController : public EventController {
public:
    RestartFlags Restarts() override { return restarts; }
    int32_t ShowCompletion(int32_t status) override {
        completions.push_back(status);
        return status == RunDosRestart ? RunCompleted : status;  // "&Stay here"
    }
    int32_t Answer() override { return 7; }
    void SetBackDirectory(const std::string& directory) override { backDirectory = directory; }
    ProgressDialog& Progress() override { return progress; }

    RestartFlags restarts;
    std::vector<int32_t> completions;
    std::string backDirectory;
    ProgressDialog progress;
};

// Answers the dialogs of a run in order, each once its caption shows.
void AnswerInTurn(std::deque<std::pair<std::string, std::function<void(HWND)>>> answers) {
    if (answers.empty()) {
        return;
    }
    auto [caption, action] = answers.front();
    answers.pop_front();
    WhenDialogAppears(caption, [action, answers](HWND dialog) {
        AnswerInTurn(answers);
        action(dialog);
    });
}

std::function<void(HWND)> Click(int id) {
    return [id](HWND dialog) { ClickButton(dialog, id); };
}

class RunEventsTest : public testing::Test {
protected:
    void SetUp() override {
        script.product.productName = product;
        host.environment.windowsDirectory = dir / "windows";
        host.environment.systemDirectory = dir / "system";
        CreateDirectory(dir / "windows", host, nullptr);
        facts.resources = TestResources();
        facts.runDirectory = dir / "run";
        facts.commandLine = "first  second";
        facts.languageCode = "enu";
        facts.clock = &clock;
    }

    void Declare(const std::string& name, VariableKind kind, const std::string& text = "") {
        script.variables.push_back({name, kind, 0, text});
    }
    ScriptEvent& Add(int32_t type, const std::vector<std::string>& texts = {}) {
        ScriptEvent event;
        EXPECT_TRUE(NewEvent(type, classes, event));
        for (size_t i = 0; i < texts.size(); ++i) {
            event.params[i].text = texts[i];
        }
        script.events.push_back(event);
        return script.events.back();
    }

    // Through the writer and the reader, as the build tool hands it over.
    int32_t Run(const std::function<void(InstallScript&)>& change = nullptr) {
        ScriptBytes bytes = WriteScript(script, ScriptFormat{}, classes);
        EXPECT_EQ(bytes.error, "");
        ScriptLoad load = ReadScript(bytes.bytes, classes);
        EXPECT_EQ(load.error, "");
        loaded = load.script;
        if (change) {
            change(loaded);
        }
        variables = DeclareVariables(loaded);
        selected.resize(loaded.components.size(), true);
        EventRun run{loaded, variables, selected, &capture.log, host, controller, facts};
        return RunEvents(run);
    }

    std::string String(const std::string& name) { return *variables.StringVariable(name); }
    int32_t Int(const std::string& name) { return *variables.IntVariable(name); }

    EventClassRegistry classes = RegisterStandardEventClasses([](const std::string&) {});
    test::ScratchDir dir{"gvevents"};
    test::RecordingHost host;
    test::LogCapture capture{dir / "gvlog3.nnn"};
    FakeController controller;
    FakeClock clock;
    EventRunFacts facts;
    InstallScript script;
    InstallScript loaded;
    Variables variables;
    std::vector<bool> selected;
};

TEST_F(RunEventsTest, VariableEventsSetTheirVariables) {
    for (const char* name : {"windir", "sysdir", "rundir", "CDRoot", "str", "path", "value", "regvalue",
                             "formatted", "dpart", "fpart", "arg"}) {
        Declare(name, VariableKind::String);
    }
    for (const char* name : {"CDExists", "size", "number", "result", "found", "exist", "keyExist",
                             "converted", "major", "minor", "cpu", "flag", "flag2", "answer", "argc"}) {
        Declare(name, VariableKind::Int);
    }
    script.components = {{"Main", "", 1200, 0, {}}, {"Help", "", 800, 0, {}}};
    WriteBytes(dir / "settings.ini", "[Paths]\r\nData=C:\\VORLEN\\DATA\r\n");
    WriteBytes(dir / "sub.txt", "");
    CreateDirectory(dir / "deep\\er", host, nullptr);
    WriteBytes(dir / "deep\\er\\target.vor", "x");
    SetValue({"Software\\GvmainTests\\Events", RootCurrentUser}, "Count", {REG_DWORD, {42, 0, 0, 0}}, host,
             nullptr);

    Add(EventWindowsDirectory);
    Add(EventSystemDirectory);
    Add(EventRunDirectory);
    Add(EventFindCdRom);
    Add(EventSelectedSize);
    Add(EventAssignText, {"str", "dir ${rundir}$$"});
    Add(EventAssignExpression, {"number", "size * 2 + 1"});
    ScriptEvent& compare = Add(EventCompareTexts, {"result", "Vorlen", "VORLEN"});
    compare.params[3].number = 1;
    Add(EventFindFile, {"found", "path", dir.Path(), "*.vor"});
    Add(EventReadIniEntry, {dir.Path(), "settings.ini", "Paths", "Data", "exist", "value"});
    ScriptEvent& registry =
        Add(EventReadRegistryValue, {"", "Software\\GvmainTests\\Events", "Count", "keyExist", "regvalue"});
    registry.params[0].number = RootCurrentUser;
    Add(EventFormatExpression, {"formatted", "number - 1"});
    Add(EventTextToInt, {"converted", " -17 "});
    Add(EventSplitPath, {"c:\\vorlen\\vorlen.exe", "dpart", "fpart"});
    Add(EventWindowsVersion, {"major", "minor"});
    Add(EventProcessor);
    Add(EventSetOneA);
    Add(EventSetOneB, {"flag2"});
    Add(EventControllerAnswer);
    Add(EventArgumentCount);
    Add(EventArgument, {"arg", "argc"});

    selected = {true, false};
    EXPECT_EQ(Run(), RunCompleted);
    DeleteKey({"Software\\GvmainTests\\Events", RootCurrentUser}, host, nullptr);
    EXPECT_EQ(host.errors, std::vector<std::string>{});
    EXPECT_EQ(String("windir"), dir / "windows");
    EXPECT_EQ(String("sysdir"), dir / "system");
    EXPECT_EQ(String("rundir"), dir / "run");
    EXPECT_EQ(Int("CDExists"), String("CDRoot").empty() ? 0 : 1);
    if (Int("CDExists")) {
        EXPECT_EQ(GetDriveTypeA(String("CDRoot").c_str()), static_cast<UINT>(DRIVE_CDROM));
    }
    EXPECT_EQ(Int("size"), 120);  // the selected 1200 KB, by ten
    EXPECT_EQ(String("str"), "dir " + dir / "run" + "$");
    EXPECT_EQ(Int("number"), 241);
    EXPECT_EQ(Int("result"), 1);  // case-sensitive: "o" > "O"
    EXPECT_EQ(Int("found"), 1);
    EXPECT_EQ(String("path"), dir / "deep\\er\\target.vor");
    EXPECT_EQ(Int("exist"), 1);
    EXPECT_EQ(String("value"), "C:\\VORLEN\\DATA");
    EXPECT_EQ(Int("keyExist"), 1);
    EXPECT_EQ(String("regvalue"), "42");
    EXPECT_EQ(String("formatted"), "240");
    EXPECT_EQ(Int("converted"), -17);
    EXPECT_EQ(String("dpart"), "c:\\vorlen");
    EXPECT_EQ(String("fpart"), "vorlen.exe");
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    EXPECT_EQ(Int("major"), static_cast<int32_t>(version.dwMajorVersion));
    EXPECT_EQ(Int("minor"), static_cast<int32_t>(version.dwMinorVersion));
    EXPECT_TRUE(Int("cpu") == 0 || Int("cpu") == 386 || Int("cpu") == 486 || Int("cpu") == 586);
    EXPECT_EQ(Int("flag") + Int("flag2"), 2);
    EXPECT_EQ(Int("answer"), 7);
    EXPECT_EQ(Int("argc"), 2);
    EXPECT_EQ(String("arg"), "second");
}

TEST_F(RunEventsTest, AFailingEventStopsTheRunWithItsMessage) {
    Declare("number", VariableKind::Int);
    Declare("arg", VariableKind::String);
    Declare("str", VariableKind::String);
    Add(EventTextToInt, {"number", "12x"});
    Add(EventAssignText, {"str", "not reached"});
    EXPECT_EQ(Run(), RunFailed);
    EXPECT_EQ(host.errors, std::vector<std::string>{"Unable to convert 12x to integer"});
    EXPECT_EQ(String("str"), "");

    script.events.clear();
    Add(EventArgument, {"arg", "3"});
    host.errors.clear();
    EXPECT_EQ(Run(), RunFailed);
    EXPECT_EQ(host.errors, std::vector<std::string>{"No argument at 3"});
}

TEST_F(RunEventsTest, ComponentsAndConditionsGateTheEvents) {
    Declare("str", VariableKind::String);
    Declare("other", VariableKind::String);
    script.components = {{"Main", "", 10, 0, {}}, {"Extra", "", 10, 0, {}}};
    ScriptEvent& unselected = Add(EventAssignText, {"str", "extra"});
    unselected.component = 2;
    unselected.condition = "";  // never evaluated
    Add(EventAssignText, {"other", "false"}).condition = "0";
    Add(EventAssignText, {"other", "main"}).component = 1;
    Add(EventAssignText, {"str", "after"}).condition = "";

    selected = {true, false};
    EXPECT_EQ(Run(), RunFailed);
    EXPECT_EQ(String("str"), "");
    EXPECT_EQ(String("other"), "main");
    EXPECT_EQ(host.errors, std::vector<std::string>{"Syntax error in expression "});
}

TEST_F(RunEventsTest, AnEventThatCannotBeExecutedIsSkippedWithAMessage) {
    Declare("str", VariableKind::String);
    Add(EventAssignText, {"str", "skipped"});
    Add(EventAssignText, {"str", "after"});
    std::string shown;
    AnswerInTurn({{product, [&shown](HWND box) {
                       shown = WindowText(GetDlgItem(box, IDC_MSGBOX_TEXT));
                       ClickButton(box, IDC_MSGBOX_BUTTON);
                   }}});
    // A script held in memory that never went through the reader's checks.
    EXPECT_EQ(Run([](InstallScript& held) { held.events[0].params.pop_back(); }), RunCompleted);
    EXPECT_EQ(shown, "An uninterpretible event is being skipped");
    EXPECT_EQ(String("str"), "after");
}

TEST_F(RunEventsTest, SystemEventsChangeFilesIniRegistryAndStartupFiles) {
    Declare("target", VariableKind::String, dir / "app");
    Declare("code", VariableKind::Int);
    Declare("status", VariableKind::Int);
    CreateDirectory(dir / "disk1", host, nullptr);
    WriteBytes(dir / "disk1\\data.bin", "packed file bytes");
    host.disks = {dir / "disk1"};
    InstallFile file;
    file.container = "data.bin";
    file.packedLength = file.size = 17;
    file.destination = "$target\\readme.txt";
    script.installFiles = {file};
    script.fileSets = {{"main", {0}}};
    script.texts.diskLabels = {"Disk 1"};
    script.product.leastDisplayMs = 2000;
    CreateDirectory(dir / "run", host, nullptr);
    for (const char* name : {"gvmain.exe", "gvenu.dll", "guuser.dll"}) {
        WriteBytes(dir / "run\\" + name, name);
    }
    script.auxFiles = {{"guuser.dll", true}, {"readme.1st", false}};
    WriteBytes(dir / "autoexec.bat", "@ECHO OFF\r\n");
    WriteBytes(dir / "old.txt", "old");
    RegistryKey key{"Software\\GvmainTests\\Events", RootCurrentUser};
    RegistryKey uninstallKey{"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\GvEventTest",
                             RootLocalMachine};

    Add(EventCreateDirectory, {"$target\\data"});
    Add(EventInstallFiles);
    Add(EventSetIniEntry, {"$target\\app.ini", "Options", "Path", "$target"});
    Add(EventSetIniEntry, {"system.ini", "boot", "gv.drv", "gv.drv"});
    ScriptEvent& value = Add(EventSetRegistryValue, {"", key.path, "Size", "1234"});
    value.params[0].number = key.root;
    value.params[4].number = 4;  // a dword from decimal text
    Add(EventEditStartupFile, {"SET VORLEN=$target", "", "", dir / "autoexec.bat"}).params[2].number = 1;
    ScriptEvent& quiet = Add(EventEditStartupFile, {"FILES=40", "", "", dir / "config.sys"});
    quiet.params[1].number = 1;  // CONFIG.SYS, merged without its dialog
    quiet.params[4].number = 1;
    ScriptEvent& program = Add(EventRunProgram, {"", "", "", "", "", "cmd.exe /c exit 7", "", "code"});
    program.params[0].number = 1;  // wait for its end
    Add(EventCopyFile, {dir / "old.txt", "$target\\data"});
    Add(EventMoveFile, {dir / "old.txt", "$target\\moved.txt"});
    Add(EventMoveFile, {dir / "missing.txt", "$target\\never.txt"});
    Add(EventDeleteFile, {"$target\\data\\old.txt"});
    Add(EventInstallUninstaller, {"$target\\uninst"});
    Add(EventFinish, {"", "", "status"});
    controller.restarts.dosStartupChanged = false;
    std::string merged;
    AnswerInTurn({{dir / "autoexec.bat", [&merged](HWND dialog) {
                       merged = WindowText(GetDlgItem(dialog, IDC_DOSINFORM_TEXT));
                       EXPECT_TRUE(SaveScreenshot(dialog, "dos_inform"));
                       ClickButton(dialog, IDOK);
                   }}});

    EXPECT_EQ(Run(), RunCompleted);
    EXPECT_EQ(merged, ReadBytes(dir / "autoexec.bat"));
    EXPECT_EQ(ReadBytes(dir / "config.sys"), "FILES=40\r\n");
    EXPECT_EQ(host.errors, std::vector<std::string>{});
    EXPECT_EQ(ReadBytes(dir / "app\\readme.txt"), "packed file bytes");
    EXPECT_EQ(clock.waits, std::vector<uint32_t>{2000});  // the least display time of the step
    EXPECT_EQ(ReadIniEntry(dir / "app\\app.ini", "Options", "Path", host), dir / "app");
    EXPECT_EQ(ReadIniEntry("system.ini", "boot", "gv.drv", host), "gv.drv");
    DWORD size = 0;
    DWORD type = REG_NONE;
    DWORD length = sizeof size;
    HKEY opened = nullptr;
    RegOpenKeyExA(HKEY_CURRENT_USER, key.path.c_str(), 0, KEY_QUERY_VALUE, &opened);
    RegQueryValueExA(opened, "Size", nullptr, &type, reinterpret_cast<BYTE*>(&size), &length);
    RegCloseKey(opened);
    DeleteKey(key, host, nullptr);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(size, 1234u);
    EXPECT_NE(ReadBytes(dir / "autoexec.bat").find("SET VORLEN=" + dir / "app"), std::string::npos);
    EXPECT_EQ(host.dosRestartFlags, 2);  // one for each file changed
    EXPECT_EQ(Int("code"), 7);
    EXPECT_EQ(ReadBytes(dir / "app\\moved.txt"), "old");
    EXPECT_FALSE(Exists(dir / "old.txt"));
    EXPECT_FALSE(Exists(dir / "app\\data\\old.txt"));
    EXPECT_FALSE(Exists(dir / "app\\never.txt"));
    EXPECT_EQ(controller.backDirectory, dir / "app\\uninst");
    EXPECT_EQ(ReadBytes(dir / "app\\uninst\\guuser.dll"), "guuser.dll");
    DeleteKey(uninstallKey, host, nullptr);
    // The restart flags stand as the host raised them; system.ini asks for Windows.
    EXPECT_EQ(Int("status"), RunWindowsRestart);
    EXPECT_EQ(controller.completions, std::vector<int32_t>{RunWindowsRestart});
    std::vector<std::string> lines = capture.Lines();
    auto installed = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
        return line.find("readme.txt") != std::string::npos;
    });
    EXPECT_NE(installed, lines.end());
}

TEST_F(RunEventsTest, DialogEventsAskTheUserAndShowNotices) {
    for (const char* name : {"user", "comp", "str", "dir"}) {
        Declare(name, VariableKind::String);
    }
    for (const char* name : {"size", "isyes", "result"}) {
        Declare(name, VariableKind::Int);
    }
    script.components = {{"Main", "", 1000, 0, {}}, {"Help", "", 500, 0, {}}};
    UserDialog options;
    options.name = "Options";
    options.title = "Installation Options";
    options.width = 200;
    options.height = 60;
    options.items = {{UserItemKind::Edit, 10, 10, 180, 12, "C:\\VORLEN", "dir", 0},
                     {UserItemKind::TextButton, 140, 40, 50, 14, "&Done", "", 0}};
    script.userDialogs = {options};
    host.messages = {{60, "Installation"}, {57, "Preparing %s"}, {43, "Updating %s"}, {44, "Completing %s"}};

    Add(EventShowProgress);
    Add(EventMessageStep, {"", "Welcome: 100% sure"});
    Add(EventHideProgress);
    Add(EventShowNotice57);
    Add(EventHideNotice57);
    Add(EventShowNotice43);
    Add(EventHideNotice43);
    Add(EventShowNotice44);
    Add(EventHideNotice44);
    ScriptEvent& notice = Add(EventShowTextNotice, {"", "", "", "Copying", "Working"});
    notice.params[2].number = 1000;
    Add(EventHideTextNotice);
    Add(EventAskUserInfo, {"user", "comp", "Your name, please"});
    Add(EventSelectComponents);
    Add(EventSelectedSize);
    Add(EventPromptString, {"Query", "Where?", "str"});
    Add(EventAskYesNo, {"Go on?", "isyes"});
    Add(EventShowText, {"Read me"});
    Add(EventUserDialog, {"Options", "result"});
    Add(EventFinish).params[0].number = 3;  // a DOS restart
    Add(EventAssignText, {"str", "not reached"});

    bool progressShown = false;
    std::string stepText;
    std::string shownText;
    ProgressDialog* progress = &controller.progress;
    AnswerInTurn({
        {"Installation",
         [&](HWND box) {
             progressShown = progress->Shown();
             stepText = WindowText(GetDlgItem(box, IDC_MSGBOX_TEXT));
             ClickButton(box, IDC_MSGBOX_BUTTON);
         }},
        {"User Information",
         [](HWND dialog) {
             SetDlgItemTextA(dialog, IDC_ASKUI_NAME, "Ann");
             SetDlgItemTextA(dialog, IDC_ASKUI_COMPANY, "Example");
             ClickButton(dialog, IDOK);
         }},
        {"Select the components you want to install",
         [](HWND dialog) {
             HWND list = GetDlgItem(dialog, IDC_SELCOMPS_LIST);
             SendMessageA(list, LB_SETSEL, FALSE, 1);
             SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SELCOMPS_LIST, LBN_SELCHANGE),
                          reinterpret_cast<LPARAM>(list));
             ClickButton(dialog, IDOK);
         }},
        {"Query",
         [](HWND dialog) {
             SetDlgItemTextA(dialog, IDC_PROMPT_EDIT, "D:\\DATA");
             ClickButton(dialog, IDOK);
         }},
        {product, Click(IDC_MSGBOX_BUTTON)},
        {product,
         [&](HWND box) {
             shownText = WindowText(GetDlgItem(box, IDC_MSGBOX_TEXT));
             ClickButton(box, IDC_MSGBOX_BUTTON);
         }},
        {"Installation Options",
         [](HWND dialog) {
             SetDlgItemTextA(dialog, 100, "D:\\APPS");
             ClickButton(dialog, 101);
         }},
    });
    EXPECT_EQ(Run(), RunCompleted);  // "&Stay here"
    EXPECT_EQ(host.errors, std::vector<std::string>{});
    EXPECT_TRUE(progressShown);
    EXPECT_FALSE(controller.progress.Shown());
    EXPECT_EQ(stepText, "Welcome: 100% sure");
    EXPECT_EQ(clock.waits, (std::vector<uint32_t>{3000, 3000, 3000, 1000}));
    EXPECT_EQ(clock.noticeTexts,
              (std::vector<std::string>{"Preparing Gv Event Test", "Updating Gv Event Test",
                                        "Completing Gv Event Test", "Copying"}));
    EXPECT_EQ(String("user"), "Ann");
    EXPECT_EQ(String("comp"), "Example");
    EXPECT_EQ(selected, (std::vector<bool>{true, false}));
    EXPECT_EQ(Int("size"), 100);
    EXPECT_EQ(String("str"), "D:\\DATA");
    EXPECT_EQ(Int("isyes"), 1);
    EXPECT_EQ(shownText, "Read me");
    EXPECT_EQ(String("dir"), "D:\\APPS");
    EXPECT_EQ(Int("result"), 1);
    EXPECT_EQ(controller.completions, std::vector<int32_t>{RunDosRestart});
}

TEST_F(RunEventsTest, AMessageStepGoesBackAndLeavesOnlyWhenConfirmed) {
    Declare("count", VariableKind::Int);
    host.messages = {{60, "Installation"}, {142, "Leave?"}};
    Add(EventMessageStep, {"", "first"});
    Add(EventAssignExpression, {"count", "count + 1"});
    Add(EventMessageStep, {"", "second"}).params[0].number = 1;
    std::vector<std::string> texts;
    auto answer = [&texts](int button) {
        return [&texts, button](HWND box) {
            texts.push_back(WindowText(GetDlgItem(box, IDC_MSGBOX_TEXT)));
            ClickButton(box, IDC_MSGBOX_BUTTON + button);
        };
    };
    AnswerInTurn({{"Installation", answer(0)},
                  {"Installation", answer(2)},  // back
                  {"Installation", answer(0)},
                  {"Installation", answer(1)},  // exit
                  {product, answer(1)},         // no: the step again
                  {"Installation", answer(1)},
                  {product, answer(0)}});
    EXPECT_EQ(Run(), RunFailed);
    EXPECT_EQ(texts,
              (std::vector<std::string>{"first", "second", "first", "second", "Leave?", "second", "Leave?"}));
    EXPECT_EQ(Int("count"), 2);
}

TEST_F(RunEventsTest, ProgramManagerEventsReachProgramManager) {
    test::ProgmanServer server(dir / "commands.txt");
    ASSERT_TRUE(server.Serving());
    Add(EventCreateItem, {"Gv Events", "Vorlen", "c:\\vorlen\\vorlen.exe", "", "", "c:\\vorlen"});
    Add(EventDeleteItem, {"Gv Events", "Vorlen"});
    Add(EventDeleteGroup, {"Gv Events"});
    EXPECT_EQ(Run(), RunCompleted);
    EXPECT_EQ(host.errors, std::vector<std::string>{});
    std::string commands;
    for (const std::string& command : server.Commands()) {
        commands += command + "\n";
    }
    for (const char* expected : {"[AddItem(", "[DeleteItem(", "[DeleteGroup("}) {
        EXPECT_NE(commands.find(expected), std::string::npos) << commands;
    }
}

TEST_F(RunEventsTest, AFailedInstallFilesStepIsOfferedAgainUntilAbandoned) {
    InstallFile file;
    file.container = "missing.bin";
    file.destination = dir / "app\\missing.txt";
    script.installFiles = {file};
    script.fileSets = {{"main", {0}}};
    script.texts.diskLabels = {"Disk 1"};
    Add(EventInstallFiles);
    host.disks = {dir.Path()};
    host.answers = {secondButton, firstButton};  // "No" repeats, "Yes" abandons
    host.messages[71] = "Abort?";
    EXPECT_EQ(Run(), RunFailed);
    int asked = 0;
    for (const Question& question : host.questions) {
        asked += question.text == "Abort?" ? 1 : 0;
    }
    EXPECT_EQ(asked, 2);
}

}  // namespace
}  // namespace gvmain
