// The application object: its title, its hidden window, the forms it creates and owns, and the message
// loop that runs until the main form closes.
#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>

#include "framework/component.h"
#include "framework/form.h"

class TApplication : public TComponent {
    DECLARE_CLASS_INFO
  public:
    // Sets the global Application for the object's lifetime; one exists at a time.
    explicit TApplication(TComponent* owner);
    ~TApplication() override;

    void Initialize() {}
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }
    bool ShowMainForm() const { return showMainForm_; }
    void SetShowMainForm(bool value) { showMainForm_ = value; }

    // Creates a form owned by the application. The reference is set before the form's creation handler
    // runs, as handlers use it; the first form created becomes the main form.
    template <class Form>
    void CreateForm(Form*& reference) {
        auto* form = new Form(this);
        reference = form;
        if (mainForm_ == nullptr) mainForm_ = form;
        form->DoCreate();
    }
    TForm* MainForm() const { return mainForm_; }

    // Runs the message loop until the main form closes. The main form is shown first when ShowMainForm
    // holds.
    void Run();
    // Every modal wait ends now (see ApplicationEnding).
    void Terminate();
    bool Terminated() const { return terminated_; }

    // True when this is the program's only running instance; otherwise the running one brings its main
    // form up, and this one should end. commands answers a later start's command (its command line's).
    bool ClaimSingleInstance(const std::string& name, widgetset::InstanceRequests commands = {});
    // The running instance's answer to a command; nothing when none runs.
    std::optional<widgetset::InstanceAnswer> AskRunningInstance(const std::string& name,
                                                                const std::string& command) {
        return CurrentWidgetset().AskInstance(name, command);
    }
    // Whether tray icons can be seen now; without that, a hidden main form could not be reached.
    bool NotificationAreaAvailable() { return CurrentWidgetset().NotificationAreaAvailable(); }

    // The desktop's services for a ringing alarm, as the widgetset offers them (framework/widgetset/
    // widgetset.h): the program asks the application, as for the single-instance claim.
    void HoldWakeUp(std::optional<std::chrono::sys_seconds> moment) { CurrentWidgetset().HoldWakeUp(moment); }
    void SoundAlarmTone(bool sounding) { CurrentWidgetset().SoundAlarmTone(sounding); }
    void SetAlarmToneVolume(double volume) { CurrentWidgetset().SetAlarmToneVolume(volume); }
    void ShowAlarmNotice(const widgetset::AlarmNotice& notice) { CurrentWidgetset().ShowAlarmNotice(notice); }
    void CloseAlarmNotice() { CurrentWidgetset().CloseAlarmNotice(); }
    // The message boxes open now, one inside another, and the end of those from that depth (1: the
    // outermost) in.
    std::size_t OpenMessageBoxes() { return CurrentWidgetset().OpenMessageBoxes(); }
    void EndMessageBoxes(std::size_t depth) { CurrentWidgetset().EndMessageBoxes(depth); }

    // The hidden window that owns the application's message boxes.
    HWND Handle();

    // Reports an error that escaped a handler, in a message box with the application's title.
    void ShowException(const std::string& text);

    void Notification(TComponent* component, TOperation operation) override;

  private:
    std::string title_;
    bool showMainForm_ = true;
    bool terminated_ = false;
    TForm* mainForm_ = nullptr;
};

extern TApplication* Application;

// Whether the application has been told to end. Every modal wait ends then, as a Windows modal loop ends
// at the quit message, so that the program ends now and not when the user closes the box.
inline bool ApplicationEnding() { return Application != nullptr && Application->Terminated(); }
