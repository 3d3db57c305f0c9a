// The framework's strings are UTF-8, and the program's manifest makes UTF-8 the code page of every "A"
// function: text with accents and CJK characters reaches the controls, the registry, the message boxes,
// MCI and the shell as the characters it holds, and comes back unchanged.
#include "framework/edit.h"
#include "framework/reg_ini_file.h"
#include "tests/platform/win32/win32_test.h"
#include "tests/support/wave_file.h"

namespace {

const std::string kMessage = "R\xC3\xA9veil \xE2\x80\x94 7 h";  // "Réveil — 7 h"
const std::wstring kWideMessage = L"R\u00E9veil \u2014 7 h";
const std::string kFolderName = "\xC3\xA9t\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC";  // "été 日本"
const std::wstring kWideFolderName = L"\u00E9t\u00E9 \u65E5\u672C";

constexpr std::string_view kLayout = R"(object Form1: TTestForm
  Caption = 'Text'
  ClientHeight = 60
  ClientWidth = 300
  object message: TEdit
    Left = 8
    Top = 8
    Width = 280
    Height = 21
    OnChange = Changed
  end
end
)";

std::wstring WindowTextW(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// A folder with accents and CJK characters in the temporary folder, made when missing; its UTF-8 path.
std::string AccentedFolder() {
    char temporary[MAX_PATH] = "";
    GetTempPathA(sizeof temporary, temporary);
    const std::string folder = temporary + kFolderName;
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

const char kTestKey[] = "Software\\AlarmClockTextTest";

std::wstring StoredWide(const wchar_t* name) {
    wchar_t data[256] = L"";
    DWORD size = sizeof data;
    if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\AlarmClockTextTest", name, RRF_RT_REG_SZ, nullptr, data,
                     &size) != ERROR_SUCCESS) {
        return L"<missing>";
    }
    return data;
}

using Win32TextTest = Win32Test;

TEST_F(Win32TextTest, TheCodePageOfTheAFunctionsIsUtf8) { EXPECT_EQ(GetACP(), static_cast<UINT>(CP_UTF8)); }

TEST_F(Win32TextTest, AnEditShowsTheCharactersAndGivesBackTheSameText) {
    ShowForm(kLayout);
    auto& edit = Find<TEdit>("message");
    edit.SetText(kMessage);
    EXPECT_EQ(WindowTextW(WindowOf(edit)), kWideMessage);  // the characters, not their bytes
    EXPECT_EQ(WindowTextA(WindowOf(edit)), kMessage);
    EXPECT_EQ(form->changes["message"], 1);

    // What the window holds comes back into the framework as the same UTF-8.
    SetWindowTextW(WindowOf(edit), (kWideMessage + L" \u65E5").c_str());
    EXPECT_EQ(edit.Text(), kMessage + " \xE6\x97\xA5");
}

TEST_F(Win32TextTest, TheRegistryStoresTheCharactersAndGivesBackTheSameText) {
    RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
    {
        TRegIniFile registry(kTestKey);
        registry.WriteString("", "message", kMessage);
        EXPECT_EQ(registry.ReadString("", "message", ""), kMessage);
    }
    EXPECT_EQ(StoredWide(L"message"), kWideMessage);  // as another program reads it
    RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
}

TEST_F(Win32TextTest, AMessageBoxShowsTheCharacters) {
    std::wstring caption;
    std::wstring text;
    const auto timer = CurrentWidgetset().StartTimer(50, [&] {
        const HWND box = FindWindowA("#32770", nullptr);
        if (box == nullptr || !caption.empty()) return;
        caption = WindowTextW(box);
        text = WindowTextW(GetDlgItem(box, 0xFFFF));  // the box's text
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    MessageBoxA(nullptr, kMessage.c_str(), kFolderName.c_str(), MB_OK);
    CurrentWidgetset().StopTimer(timer);
    EXPECT_EQ(caption, kWideFolderName);
    EXPECT_EQ(text, kWideMessage);
}

TEST_F(Win32TextTest, MciOpensAndPlaysAFileWhosePathHasAccentsAndCjkCharacters) {
    AccentedFolder();
    const std::string path =
        WriteTemporaryTone(kFolderName + "\\r\xC3\xA9veil.wav", std::chrono::milliseconds(300));
    wchar_t temporary[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temporary);
    // The file has the characters in its name, not their bytes.
    ASSERT_NE(GetFileAttributesW((temporary + kWideFolderName + L"\\r\u00E9veil.wav").c_str()),
              INVALID_FILE_ATTRIBUTES);
    auto device = CurrentWidgetset().CreateMediaDevice();
    device->Open(path);
    bool finished = false;
    device->Play([&] { finished = true; });
    EXPECT_TRUE(WaitUntil([&] { return finished; }, "the end of the playback"));
}

TEST_F(Win32TextTest, TheShellStartsAProgramWhosePathHasAccentsAndCjkCharactersWithSuchParameters) {
    // The system's reg, copied under such a path, writes its parameter where the test can read it.
    const std::string program = AccentedFolder() + "\\r\xC3\xA9g \xE6\x97\xA5.exe";
    char system[MAX_PATH] = "";
    GetSystemDirectoryA(system, sizeof system);
    ASSERT_TRUE(CopyFileA((std::string(system) + "\\reg.exe").c_str(), program.c_str(), FALSE));
    RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
    const std::string parameters =
        std::string("add HKCU\\") + kTestKey + " /v launched /d \"" + kMessage + "\" /f";
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, "Open", program.c_str(), parameters.c_str(), "", SW_HIDE));
    EXPECT_GT(result, 32);
    EXPECT_TRUE(WaitUntil([] { return StoredWide(L"launched") != L"<missing>"; }, "the program's value"));
    EXPECT_EQ(StoredWide(L"launched"), kWideMessage);
    RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
}

// The system's wording of an error, with the line end that closes it.
std::wstring SystemWording(DWORD error) {
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, error, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
    const std::wstring wording = text != nullptr ? text : L"<none>";
    LocalFree(text);
    return wording;
}

// The box names the file as its characters, and gives the system's reason as one line.
TEST_F(Win32TextTest, AFileTheShellCannotStartOrOpenIsToldInTheProgramsErrorBoxWithTheSystemsReason) {
    const std::string folder = AccentedFolder();
    wchar_t temporary[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temporary);
    // A document of a kind that nothing opens.
    CloseHandle(CreateFileA((folder + "\\r\xC3\xA9veil.qzalarm").c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    struct Failure {
        std::string name;
        std::wstring wideName;
        std::wstring expected;  // before the path
        DWORD error;
    };
    const Failure failures[] = {
        {"\\r\xC3\xA9veil absent.exe", L"\\r\u00E9veil absent.exe", L"Cannot run ", ERROR_FILE_NOT_FOUND},
        {"\\r\xC3\xA9veil.qzalarm", L"\\r\u00E9veil.qzalarm", L"Cannot open ", ERROR_NO_ASSOCIATION},
    };
    for (const Failure& failure : failures) {
        std::wstring text;
        const auto timer = CurrentWidgetset().StartTimer(50, [&] {
            const HWND box = FindWindowA("#32770", "Win32 test");
            if (box == nullptr || !text.empty()) return;
            text = WindowTextW(GetDlgItem(box, 0xFFFF));
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        });
        const auto result = reinterpret_cast<INT_PTR>(
            ShellExecuteReportingA(nullptr, "Open", (folder + failure.name).c_str(), "--now", "", SW_SHOW));
        CurrentWidgetset().StopTimer(timer);
        EXPECT_LE(result, 32) << failure.name;
        // The system's wording without the line end that closes it.
        EXPECT_EQ(text + L"\r\n", failure.expected + temporary + kWideFolderName + failure.wideName + L": " +
                                      SystemWording(failure.error));
    }
}

}  // namespace
