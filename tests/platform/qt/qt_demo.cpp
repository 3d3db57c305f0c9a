// Not a test: shows a form like the program's on a private display, with a tray icon, and saves a
// screenshot, to look at the layout, the fonts and the icon. Usage: qt_backend_demo [shot.png]
#include <cstdlib>
#include <iostream>
#include <string>

#include "framework/application.h"
#include "framework/form.h"
#include "framework/published.h"
#include "tests/platform/qt/x_session.h"

namespace {

class TDemoForm : public TForm {
    DECLARE_CLASS_INFO
  public:
    using TForm::TForm;
    void Load(std::string_view text) { LoadLayout(text); }
};

constexpr std::string_view kLayout = R"(object Demo: TDemoForm
  BorderIcons = [biSystemMenu, biMinimize]
  BorderStyle = bsSingle
  Caption = 'Zelvo''s Alarm Clock v1.25'
  ClientHeight = 214
  ClientWidth = 376
  Icon = 'MAINICON'
  Position = poScreenCenter
  object Panel1: TPanel
    Width = 377
    Height = 265
    object Label1: TLabel
      Left = 16
      Top = 8
      Width = 309
      Height = 32
      Caption = 'Zelvo''s Alarm Clock v1.25'
      Font.Height = -27
      Font.Name = 'Arial'
    end
    object Image1: TImage
      Left = 336
      Top = 8
      Width = 33
      Height = 33
      Picture = 'MAINICON'
    end
    object GroupBox1: TGroupBox
      Left = 8
      Top = 40
      Width = 361
      Height = 137
      Caption = ' Settings '
      object CheckBox1: TCheckBox
        Left = 16
        Top = 22
        Width = 121
        Height = 17
        Caption = 'Alarm Enabled'
        Checked = True
      end
      object CheckBox2: TCheckBox
        Left = 168
        Top = 24
        Width = 73
        Height = 15
        Caption = '&Message:'
      end
      object message: TEdit
        Left = 240
        Top = 20
        Width = 113
        Height = 21
        Text = 'Alarm Executed!'
      end
      object Label4: TLabel
        Left = 16
        Top = 56
        Width = 53
        Height = 13
        Caption = '&Alert me at:'
      end
      object hour: TEdit
        Left = 73
        Top = 52
        Width = 22
        Height = 21
        MaxLength = 2
        Text = '07'
      end
      object Label3: TLabel
        Left = 97
        Top = 56
        Width = 3
        Height = 13
        Caption = ':'
      end
      object min: TEdit
        Left = 105
        Top = 52
        Width = 22
        Height = 21
        MaxLength = 2
        Text = '30'
      end
      object CheckBox3: TCheckBox
        Left = 168
        Top = 52
        Width = 81
        Height = 17
        Caption = 'Play &Media'
      end
      object CheckBox4: TCheckBox
        Left = 256
        Top = 52
        Width = 97
        Height = 17
        Caption = '&Keep Running'
      end
      object datepick: TDateTimePicker
        Left = 48
        Top = 78
        Width = 81
        Height = 21
        Date = '1999-02-19'
      end
      object CheckBox8: TCheckBox
        Left = 168
        Top = 80
        Width = 73
        Height = 17
        Caption = 'Alarm Daily'
      end
      object CheckBox6: TCheckBox
        Left = 256
        Top = 80
        Width = 97
        Height = 17
        Caption = 'Exit when done'
      end
      object CheckBox5: TCheckBox
        Left = 8
        Top = 112
        Width = 105
        Height = 17
        Caption = '&Run Application:'
      end
      object runapp: TEdit
        Left = 120
        Top = 110
        Width = 193
        Height = 21
      end
      object pickappbutton: TButton
        Left = 320
        Top = 108
        Width = 33
        Height = 25
        Caption = '&Pick'
        Font.Height = -8
        Font.Name = 'MS Sans Serif'
      end
    end
    object Button3: TButton
      Left = 16
      Top = 184
      Width = 81
      Height = 25
      Caption = '&Set Defaults'
    end
    object chkalarmbtn: TButton
      Left = 104
      Top = 184
      Width = 81
      Height = 25
      Caption = '&Check Alarm'
    end
    object Button1: TButton
      Left = 192
      Top = 184
      Width = 81
      Height = 25
      Caption = '&Done'
    end
    object Button2: TButton
      Left = 280
      Top = 184
      Width = 81
      Height = 25
      Caption = 'E&xit Program'
    end
  end
end
)";

}  // namespace

const ClassInfo TDemoForm::Class{.name = "TDemoForm", .parent = &TForm::Class};

int main(int argc, char** argv) {
    const std::string shot = argc > 1 ? argv[1] : "/tmp/shot.png";
    XSession session;
    auto application = MakeComponent<TApplication>(nullptr);
    TDemoForm* demo = nullptr;
    application->CreateForm(demo);
    demo->Load(kLayout);
    demo->Show();

    NOTIFYICONDATAA tray{};
    tray.cbSize = sizeof tray;
    tray.hWnd = demo->Handle();
    tray.uID = 1;
    tray.uFlags = NIF_ICON | NIF_TIP | NIF_MESSAGE;
    tray.uCallbackMessage = WM_USER + 1;
    tray.hIcon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
    Shell_NotifyIconA(NIM_ADD, &tray);

    // Long enough for trayer to embed the icon and for everything to paint.
    bool shown = false;
    const auto timer = CurrentWidgetset().StartTimer(1500, [&shown] { shown = true; });
    CurrentWidgetset().RunLoop([&shown] { return shown; });
    CurrentWidgetset().StopTimer(timer);
    const int status = std::system(("import -window root " + shot).c_str());
    Shell_NotifyIconA(NIM_DELETE, &tray);
    std::cout << (status == 0 ? "Saved " + shot : "import failed") << '\n';
    return status == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
