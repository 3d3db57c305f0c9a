#include "framework/application.h"

#include "framework/exceptions.h"

#include <utility>

TApplication* Application = nullptr;

const ClassInfo TApplication::Class{.name = "TApplication", .parent = &TComponent::Class};

TApplication::TApplication(TComponent* owner) : TComponent(owner) {
    if (Application != nullptr) throw Exception("An application object exists already");
    Application = this;
}

TApplication::~TApplication() {
    Application = nullptr;
    DestroyComponents();
    CurrentWidgetset().ApplicationDestroyed();
}

void TApplication::Run() {
    if (mainForm_ != nullptr && showMainForm_) mainForm_->Show();
    CurrentWidgetset().RunLoop([this] { return terminated_; });
}

void TApplication::Terminate() {
    terminated_ = true;
    CurrentWidgetset().EndModalWaits();
}

bool TApplication::ClaimSingleInstance(const std::string& name, widgetset::InstanceRequests commands) {
    return CurrentWidgetset().ClaimInstance(
        name, [this, commands = std::move(commands)](const std::string& request) -> widgetset::InstanceAnswer {
            if (!request.empty()) {
                if (commands) return commands(request);
                return {2, "alarmclock: the running program takes no commands\n"};
            }
            if (mainForm_ != nullptr) mainForm_->ShowRestored();
            return {};
        });
}

HWND TApplication::Handle() { return CurrentWidgetset().ApplicationHandle(); }

void TApplication::ShowException(const std::string& text) {
    MessageBoxFittingA(Handle(), text.c_str(), title_.c_str(), MB_OK | MB_ICONERROR);
}

void TApplication::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == mainForm_) mainForm_ = nullptr;
}
