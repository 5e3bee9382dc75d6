// The alarm dialog and the windows of an alarm, with a real sound played
// through libcanberra into a private PulseAudio server's null sink.
#include "vorlen/remind/alarm_windows.h"
#include "vorlen/remind/alarm_dialog.h"

#include "tests/vorlen/support/temp_dir.h"

#include "../gui/gui_support.h"

#include <wx/frame.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace vorlen {
namespace {

using test::Press;
using test::RunModal;

wxString ValueOf(wxWindow* dialog, int id) {
    return static_cast<wxTextCtrl*>(dialog->FindWindow(id))->GetValue();
}

const AlarmTexts dentist{"You have the following appointment in 10 minutes:", "10:00",
                         "Dental check-up with Dr. M\xFCller", "Clinic, 3rd floor", "Health"};

TEST(AlarmDialog, ShowsTheFiveTextsAndAnswersOneOrTwo) {
    TAppDlg dialog(dentist);
    EXPECT_EQ(dialog.GetTitle(), "Appointment Alarm");
    EXPECT_TRUE(dialog.HasFlag(wxDIALOG_NO_PARENT));
    EXPECT_EQ(static_cast<wxStaticText*>(dialog.FindWindow(alarmMessage))->GetLabel(), dentist.message);
    EXPECT_EQ(ValueOf(&dialog, alarmTime), "10:00");
    EXPECT_EQ(ValueOf(&dialog, alarmDescription), wxString::FromUTF8("Dental check-up with Dr. Müller"));
    EXPECT_EQ(ValueOf(&dialog, alarmPlace), "Clinic, 3rd floor");
    EXPECT_EQ(ValueOf(&dialog, alarmType), "Health");
    EXPECT_EQ(dialog.FindWindow(alarmOk)->GetLabel(), "OK");
    EXPECT_EQ(dialog.FindWindow(alarmGoto)->GetLabel(), "Goto...");
    EXPECT_EQ(dialog.FindWindow(alarmHelp)->GetLabel(), "Help");
    EXPECT_FALSE(static_cast<wxTextCtrl*>(dialog.FindWindow(alarmPlace))->IsEditable());

    EXPECT_EQ(RunModal(dialog, [&] { Press(&dialog, alarmOk); }), alarmOk);
    EXPECT_EQ(RunModal(dialog, [&] { Press(&dialog, alarmGoto); }), alarmGoto);
    EXPECT_EQ(RunModal(dialog, [&] { dialog.Close(); }), alarmGoto);
}

TEST(AlarmDialog, LongTextsAreCutToTheirCapacities) {
    AlarmTexts texts = dentist;
    texts.type = std::string(150, 'c');
    texts.description = std::string(4000, 'd');
    TAppDlg dialog(texts);
    EXPECT_EQ(ValueOf(&dialog, alarmType).length(), 119u);
    EXPECT_EQ(ValueOf(&dialog, alarmDescription).length(), 3199u);
    EXPECT_EQ(ValueOf(&dialog, alarmType).Last(), wxUniChar(0x2026));
}

TEST(AlarmDialog, Screenshot) {
    TAppDlg dialog(dentist);
    dialog.Show();
    std::string scale = dialog.GetContentScaleFactor() > 1.5 ? "_200" : "_100";
    std::string shot = test::SaveScreenshot(&dialog, "alarm_dialog" + scale);
    EXPECT_TRUE(std::filesystem::exists(shot)) << shot;
    dialog.Hide();
}

// A mono 16-bit WAV file of a tone lasting `seconds`.
void WriteTone(const std::string& path, int seconds) {
    const uint32_t rate = 8000;
    const uint32_t dataBytes = rate * 2 * seconds;
    std::string wav = "RIFF";
    auto put = [&wav](uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            wav += static_cast<char>(value >> (8 * i) & 0xFF);
    };
    put(36 + dataBytes, 4);
    wav += "WAVEfmt ";
    put(16, 4), put(1, 2), put(1, 2), put(rate, 4), put(rate * 2, 4), put(2, 2), put(16, 2);
    wav += "data";
    put(dataBytes, 4);
    for (uint32_t i = 0; i < dataBytes / 2; ++i)
        put(static_cast<uint16_t>(static_cast<int16_t>(8000 * std::sin(i * 2 * M_PI * 440 / rate))), 2);
    test::WriteFile(path, wav);
}

std::string Run(const std::string& command) {
    std::string output;
    if (FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r")) {
        char buffer[4096];
        while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
            output.append(buffer, n);
        ::pclose(pipe);
    }
    return output;
}

// Waits up to two seconds for `done`.
bool Within2s(const std::function<bool()>& done) {
    for (int i = 0; i < 40; ++i) {
        if (done())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return done();
}

// A PulseAudio server of the test's own, with a null sink, in a scratch
// runtime directory; this process plays to it through PULSE_SERVER.
class PulseServer {
public:
    PulseServer() {
        std::string runtime = dir_.File("run");
        std::filesystem::create_directories(runtime);
        socket_ = runtime + "/native";
        // The server wants a home for its cookie and state; running as root
        // it only warns.
        std::string script = "HOME='" + dir_.Path() + "' PULSE_RUNTIME_PATH='" + runtime +
                             "' exec pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no "
                             "-L module-null-sink -L 'module-native-protocol-unix auth-anonymous=1 socket=" +
                             socket_ + "' >'" + dir_.File("log") + "' 2>&1";
        const char* argv[] = {"/bin/sh", "-c", script.c_str(), nullptr};
        if (::posix_spawn(&pid_, "/bin/sh", nullptr, nullptr, const_cast<char**>(argv), environ) != 0)
            pid_ = 0;
        ::setenv("PULSE_SERVER", ("unix:" + socket_).c_str(), 1);
        ready_ =
            pid_ != 0 && Within2s([&] { return Run("pactl info").find("Server Name") != std::string::npos; });
    }
    ~PulseServer() {
        ::unsetenv("PULSE_SERVER");
        if (pid_ != 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    bool Ready() const { return ready_; }
    std::string Log() const { return test::ReadFile(dir_.File("log")); }
    // The streams playing into the null sink.
    static std::string SinkInputs() { return Run("pactl list sink-inputs"); }

private:
    test::TempDir dir_;
    std::string socket_;
    pid_t pid_ = 0;
    bool ready_ = false;
};

void SetUpTone(EventNode& event, const std::string& soundFile) {
    event.SetDescription("Dentist");
    event.SetStartTime(10, 0);
    event.alarmMinutes = 10;
    event.SetSoundFile(soundFile.c_str());
}

// The modal alarm dialog now open, if any.
TAppDlg* OpenAlarmDialog() {
    for (wxWindow* window : wxTopLevelWindows)
        if (auto* dialog = dynamic_cast<TAppDlg*>(window); dialog && dialog->IsModal())
            return dialog;
    return nullptr;
}

TEST(AlarmSound, PlaysWhileTheDialogIsOpenAndStopsWhenItCloses) {
    ASSERT_EQ(std::system("command -v pulseaudio >/dev/null && command -v pactl >/dev/null"), 0)
        << "the sound test needs pulseaudio and pactl (scripts/deps.sh installs them)";
    PulseServer server;
    ASSERT_TRUE(server.Ready()) << server.Log();
    test::TempDir dir;
    std::string tone = dir.File("tone.wav");
    WriteTone(tone, 5);
    EventNode event;
    SetUpTone(event, tone);

    bool edited = false;
    std::string whileOpen;
    TAlarmWindows windows(nullptr, nullptr, {[] {}, [&](const EventNode&) { edited = true; }});
    wxTheApp->CallAfter([&] {
        TAppDlg* dialog = OpenAlarmDialog();
        Within2s([&] {
            return (whileOpen = PulseServer::SinkInputs()).find("Sink Input #") != std::string::npos;
        });
        Press(dialog, alarmGoto);
    });
    windows.RaiseAlarm(event, MakeAlarmTexts(event));
    EXPECT_NE(whileOpen.find("application.name = \"Tolvane Vorlen\""), std::string::npos) << whileOpen;
    EXPECT_TRUE(edited);
    // Well before the five seconds of the tone are over.
    EXPECT_TRUE(Within2s([] { return PulseServer::SinkInputs().find("Sink Input #") == std::string::npos; }))
        << PulseServer::SinkInputs();
}

TEST(AlarmSound, AFileThatCannotBePlayedIsToldInTheStatusBar) {
    test::TempDir dir;
    std::string notSound = dir.File("notes.wav");
    test::WriteFile(notSound, "not a wave file");
    wxFrame frame(nullptr, wxID_ANY, "frame");
    frame.CreateStatusBar();
    EventNode event;
    SetUpTone(event, notSound);
    TAlarmWindows windows(&frame, nullptr, {[] {}, [](const EventNode&) {}});
    wxTheApp->CallAfter([&] { Press(OpenAlarmDialog(), alarmOk); });
    windows.RaiseAlarm(event, MakeAlarmTexts(event));
    wxString status = frame.GetStatusBar()->GetStatusText();
    EXPECT_TRUE(status.StartsWith("Cannot play the alarm sound \"" + notSound + "\": ")) << status;
}

}  // namespace
}  // namespace vorlen
