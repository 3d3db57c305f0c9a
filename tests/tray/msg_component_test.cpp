#include <string>
#include <vector>

#include "framework/form.h"
#include "platform/posix/core/window_table.h"
#include "tests/support/headless_test.h"
#include "tray/qz_msg_component.h"

namespace {

constexpr UINT kPing = WM_USER + 7;

struct Delivery {
    std::string who;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT resultSoFar;
    bool operator==(const Delivery&) const = default;
};
std::vector<Delivery> deliveries;

// The window's own procedure: records what reached it and answers 77.
LRESULT CALLBACK OriginalProc(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    deliveries.push_back({"window", message, wParam, lParam, 0});
    return 77;
}

// A component that records each message and scribbles over the record, which must not reach the window.
class TListener : public TqzMsgComponent {
    DECLARE_CLASS_INFO
  public:
    using TqzMsgComponent::TqzMsgComponent;
    void Ping(TMessage& message) {
        deliveries.push_back({Name(), message.Msg, message.WParam, message.LParam, message.Result});
        message.Result = static_cast<LRESULT>(Name().size());
        message.WParam = 999;
    }
};

const MessageHandlerInfo kListenerMessages[] = {MESSAGE_HANDLER(TListener, kPing, Ping)};

class MsgComponentTest : public HeadlessTest {
  protected:
    MsgComponentTest() { deliveries.clear(); }
    ~MsgComponentTest() override { DestroyWindow(window); }

    TListener* Listener(const std::string& name, TComponent* owner) {
        auto* listener = new TListener(owner);
        listener->SetName(name);
        return listener;
    }
    int Records() const { return MsgCmpList->Count(); }

    qzMsgCmpUnit unit;  // before every component of the test, gone after the last
    HWND window = posix::CreateWindowHandle(&OriginalProc);
    ComponentPtr<TComponent> owner = MakeComponent<TComponent>(nullptr);
};

}  // namespace

const ClassInfo TListener::Class{
    .name = "TListener", .parent = &TqzMsgComponent::Class, .messages = kListenerMessages};

TEST_F(MsgComponentTest, ComponentsSeeMessagesInAttachmentOrderThenTheWindowWithUnchangedArguments) {
    auto* first = Listener("first", owner.get());
    auto* second = Listener("second", owner.get());
    first->SetWindowHandle(window);
    const auto hook = GetWindowLongPtrA(window, GWLP_WNDPROC);
    second->SetWindowHandle(window);
    // The second attachment inherits the first's previous procedure and does not hook again.
    EXPECT_EQ(GetWindowLongPtrA(window, GWLP_WNDPROC), hook);
    EXPECT_EQ(MsgCmpList->Record(1)->PreviousWndProc, &OriginalProc);

    // Each component gets the Result its predecessor left; the window gets the hook's own arguments and
    // its result is what the system sees.
    EXPECT_EQ(SendMessageA(window, kPing, 1, 2), 77);
    EXPECT_EQ(deliveries,
              (std::vector<Delivery>{
                  {"first", kPing, 1, 2, 0}, {"second", kPing, 1, 2, 5}, {"window", kPing, 1, 2, 0}}));
    // A message no component handles goes straight on.
    deliveries.clear();
    EXPECT_EQ(SendMessageA(window, WM_USER + 100, 3, 4), 77);
    EXPECT_EQ(deliveries, (std::vector<Delivery>{{"window", WM_USER + 100, 3, 4, 0}}));
}

TEST_F(MsgComponentTest, DetachingClearsTheRecordButKeepsTheHookAndTheRecord) {
    auto* only = Listener("only", owner.get());
    only->SetWindowHandle(window);
    only->SetWindowHandle(nullptr);
    EXPECT_EQ(Records(), 1);  // records are never removed
    EXPECT_EQ(MsgCmpList->Record(0)->HookedComponent, nullptr);
    EXPECT_EQ(GetWindowLongPtrA(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&HookWindowProc));
    EXPECT_EQ(SendMessageA(window, kPing, 0, 0), 77);  // the window still answers through the hook
    EXPECT_EQ(deliveries.size(), 1u);

    only->SetWindowHandle(window);
    only->SetWindowHandle(window);  // the same handle again: nothing
    EXPECT_EQ(Records(), 2);
    only->HookWindow(window);  // hooking the current window clears its record and appends a new one
    EXPECT_EQ(Records(), 3);
    EXPECT_EQ(MsgCmpList->Record(1)->HookedComponent, nullptr);
    EXPECT_EQ(MsgCmpList->Record(2)->HookedComponent, only);

    // Attaching to a further window leaves WindowHandle alone; detaching clears that record only.
    const HWND other = posix::CreateWindowHandle(&OriginalProc);
    EXPECT_EQ(only->AttachWindow(other), 3);
    EXPECT_EQ(only->WindowHandle(), window);
    EXPECT_EQ(only->DetachWindow(other), 3);
    EXPECT_EQ(only->DetachWindow(other), -1);
    DestroyWindow(other);
}

TEST_F(MsgComponentTest, AComponentBeingDestroyedGetsNoMessagesAndItsRecordIsCleared) {
    // A component whose destruction sends the window a message: by then it is marked as being destroyed.
    class TTalker : public TListener {
      public:
        TTalker(TComponent* owner, HWND w) : TListener(owner), window(w) {}
        ~TTalker() override { SendMessageA(window, kPing, 9, 9); }
        HWND window;
    };
    auto* talker = new TTalker(owner.get(), window);
    talker->SetName("talker");
    auto* bystander = Listener("bystander", owner.get());
    talker->SetWindowHandle(window);
    bystander->SetWindowHandle(window);
    talker->Free();
    EXPECT_EQ(deliveries, (std::vector<Delivery>{{"bystander", kPing, 9, 9, 0}, {"window", kPing, 9, 9, 0}}));
    EXPECT_EQ(MsgCmpList->Record(0)->HookedComponent, nullptr);
    EXPECT_EQ(Records(), 2);
}

TEST_F(MsgComponentTest, AttachingWhileLoadingWaitsForLoaded) {
    auto* listener = Listener("late", owner.get());
    listener->BeginLoading();
    listener->SetWindowHandle(window);
    EXPECT_EQ(listener->WindowHandle(), window);  // only stored
    EXPECT_EQ(Records(), 0);
    EXPECT_EQ(GetWindowLongPtrA(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&OriginalProc));
    listener->Loaded();
    EXPECT_EQ(Records(), 1);
    SendMessageA(window, kPing, 0, 0);
    EXPECT_EQ(deliveries.front().who, "late");
}

TEST_F(MsgComponentTest, TheOwnerFormIsTheFirstFormAmongTheOwners) {
    auto form = MakeComponent<TForm>(nullptr);
    auto* middle = new TComponent(form.get());
    EXPECT_EQ(Listener("deep", middle)->OwnerForm(), form.get());
    EXPECT_EQ(Listener("direct", form.get())->OwnerForm(), form.get());
    EXPECT_EQ(Listener("orphan", owner.get())->OwnerForm(), nullptr);
    auto lone = MakeComponent<TListener>(nullptr);
    EXPECT_EQ(lone->OwnerForm(), nullptr);
}
