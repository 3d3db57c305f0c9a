// Done's save on the system's registry, where each write stands alone, cut after each of its writes in
// turn as if the process had ended there: the next start arms the old alarm whole, the new one whole, or
// none, and stores nothing. The cut drops the writes after it at the program's import of the registry
// functions; every write before it reaches the real registry.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <map>
#include <string>

#include "alarm/alarm_date.h"
#include "app/main_form.h"
#include "settings/setting_names.h"
#include "tests/platform/win32/win32_test.h"
#include "tray/msg_cmp_list.h"
#include "tray/qz_tray.h"

namespace {

// Writes let through before the cut (none left: every later one is dropped, reported as done); negative
// while there is no cut. Every write is counted.
int writesLeft = -1;
int writesMade = 0;
decltype(&RegSetValueExA) realSetValue = nullptr;
decltype(&RegDeleteValueA) realDeleteValue = nullptr;

bool PassesTheCut() {
    ++writesMade;
    if (writesLeft == 0) return false;
    if (writesLeft > 0) --writesLeft;
    return true;
}

LSTATUS WINAPI CutSetValue(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size) {
    return PassesTheCut() ? realSetValue(key, name, reserved, type, data, size) : ERROR_SUCCESS;
}

LSTATUS WINAPI CutDeleteValue(HKEY key, LPCSTR name) {
    return PassesTheCut() ? realDeleteValue(key, name) : ERROR_SUCCESS;
}

// Points this program's import of `name` from advapi32 at `replacement`; gives the function it pointed at.
void* Redirect(const char* name, void* replacement) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* module = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         module->Name != 0; ++module) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + module->Name), "advapi32.dll") != 0) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), name) != 0) continue;
            DWORD protection = 0;
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &protection);
            void* previous = reinterpret_cast<void*>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, protection, &protection);
            return previous;
        }
    }
    return nullptr;
}

class Win32CutSaveTest : public Win32Test {
  protected:
    Win32CutSaveTest() {
        application->SetTitle("Zelvo's Alarm Clock");
        realSetValue = reinterpret_cast<decltype(realSetValue)>(
            Redirect("RegSetValueExA", reinterpret_cast<void*>(&CutSetValue)));
        realDeleteValue = reinterpret_cast<decltype(realDeleteValue)>(
            Redirect("RegDeleteValueA", reinterpret_cast<void*>(&CutDeleteValue)));
        RegDeleteTreeA(HKEY_CURRENT_USER, SettingsKey.c_str());
    }
    ~Win32CutSaveTest() override {
        if (Form1 != nullptr) Form1->Free();
        Redirect("RegSetValueExA", reinterpret_cast<void*>(realSetValue));
        Redirect("RegDeleteValueA", reinterpret_cast<void*>(realDeleteValue));
        RegDeleteTreeA(HKEY_CURRENT_USER, SettingsKey.c_str());
    }

    static void Store(const char* name, const std::string& text) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, SettingsKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        realSetValue(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>(text.size() + 1));
        RegCloseKey(key);
    }
    // Every value under the settings key, by name.
    static std::map<std::string, std::string> Stored() {
        std::map<std::string, std::string> values;
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return values;
        char name[256];
        BYTE data[1024];
        for (DWORD index = 0;; ++index) {
            DWORD nameSize = sizeof name;
            DWORD dataSize = sizeof data;
            if (RegEnumValueA(key, index, name, &nameSize, nullptr, nullptr, data, &dataSize) != ERROR_SUCCESS)
                break;
            values[name] = std::string(reinterpret_cast<const char*>(data), dataSize);
        }
        RegCloseKey(key);
        return values;
    }

    // The program started as its entry starts it, up to its message loop; and ended as its process ends.
    void Start() {
        AlarmDate = {0, 0, 0};
        TrayIdCounter = 0;
        application->SetShowMainForm(false);
        application->CreateForm(Form1);
    }
    static void End() { Form1->Free(); }

    // A one-time alarm far ahead, as the last Done stored it.
    static void StoreTheOldAlarm() {
        for (const auto& [name, text] : std::map<std::string, std::string>{{setting::kIntro, "done"},
                                                                           {setting::kHour, "8"},
                                                                           {setting::kMinute, "30"},
                                                                           {setting::kYear, "2036"},
                                                                           {setting::kMonth, "1"},
                                                                           {setting::kDay, "2"},
                                                                           {setting::kMessage, "OLD"},
                                                                           {setting::kEnabled, "true"}}) {
            Store(name.c_str(), text);
        }
    }

    // Done pressed on a new daily alarm, its writes cut after `kept` of them (none cut when negative).
    void SaveTheNewAlarm(int kept) {
        Form1->OnShowSettings(nullptr);
        Form1->hour->SetText("9");
        Form1->min->SetText("45");
        Form1->message->SetText("NEW");
        Form1->CheckBox8->SetChecked(true);
        writesMade = 0;
        writesLeft = kept;
        Form1->Button1->Click();
        End();  // the process is gone: what its end would still write is cut too
        writesLeft = -1;
    }

    // What the armed alarm shows, or "none".
    static std::string Armed() {
        if (!Form1->CheckBox1->Checked()) return Form1->Alarm() ? "armed, unticked" : "none";
        return Form1->hour->Text() + ":" + Form1->min->Text() + " " + Form1->message->Text() +
               (Form1->CheckBox8->Checked() ? " daily" : " on " + std::to_string(AlarmDate.Year));
    }

    qzMsgCmpUnit hooks;  // before the form, gone after it
};

TEST_F(Win32CutSaveTest, TheNextStartArmsTheOldAlarmOrTheNewOneWholeOrNoneAndStoresNothing) {
    ASSERT_NE(realSetValue, nullptr) << "the program imports no RegSetValueExA";
    ASSERT_NE(realDeleteValue, nullptr) << "the program imports no RegDeleteValueA";
    StoreTheOldAlarm();
    Start();
    ASSERT_EQ(Armed(), "8:30 OLD on 2036");
    SaveTheNewAlarm(-1);
    const int writes = writesMade;
    ASSERT_GT(writes, 5);
    Start();
    ASSERT_EQ(Armed(), "9:45 NEW daily");
    End();

    for (int kept = 0; kept <= writes; ++kept) {
        SCOPED_TRACE("cut after write " + std::to_string(kept) + " of " + std::to_string(writes));
        RegDeleteTreeA(HKEY_CURRENT_USER, SettingsKey.c_str());
        StoreTheOldAlarm();
        Start();
        SaveTheNewAlarm(kept);
        const auto left = Stored();
        Start();
        const std::string armed = Armed();
        EXPECT_TRUE(armed == "8:30 OLD on 2036" || armed == "9:45 NEW daily" || armed == "none") << armed;
        EXPECT_EQ(Stored(), left) << "the start stored something";
        writesLeft = 0;
        End();
        writesLeft = -1;
    }
}

}  // namespace
