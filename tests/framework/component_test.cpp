#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/component.h"
#include "framework/exceptions.h"

namespace {

std::vector<std::string> events;

// Records its destruction, the state it saw then, and the notifications it receives.
class TProbe : public TComponent {
  public:
    TProbe(TComponent* owner, const std::string& name) : TComponent(owner) { SetName(name); }
    ~TProbe() override {
        events.push_back("destroy " + Name() + (IsDestroying() ? " (destroying)" : " (not marked)") +
                         (Owner() && Owner()->IsDestroying() ? ", owner destroying" : ""));
    }
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == TOperation::opRemove) {
            events.push_back(Name() + " told of " + component->Name());
            if (component == watched) watched = nullptr;
        }
    }
    TComponent* watched = nullptr;
};

}  // namespace

TEST(ComponentTest, FreeingAnOwnerFreesWhatItOwnsLastFirstWithEveryoneMarkedFirst) {
    events.clear();
    auto* owner = new TProbe(nullptr, "Owner");
    auto* first = new TProbe(owner, "First");
    new TProbe(first, "Grandchild");
    new TProbe(owner, "Second");
    EXPECT_EQ(owner->ComponentCount(), 2);
    owner->Free();
    // Owned components go before their owner, the last created first; each was already marked as being
    // destroyed, and so was its owner, before any destructor ran.
    const std::vector<std::string> destroyed = [] {
        std::vector<std::string> only;
        for (const auto& e : events)
            if (e.starts_with("destroy")) only.push_back(e);
        return only;
    }();
    EXPECT_EQ(destroyed, (std::vector<std::string>{"destroy Second (destroying), owner destroying",
                                                   "destroy Grandchild (destroying), owner destroying",
                                                   "destroy First (destroying), owner destroying",
                                                   "destroy Owner (destroying)"}));
}

TEST(ComponentTest, FreeNotificationClearsAReferenceAcrossOwners) {
    events.clear();
    auto formA = MakeComponent<TProbe>(nullptr, "FormA");
    auto formB = MakeComponent<TProbe>(nullptr, "FormB");
    auto* menu = new TProbe(formA.get(), "Menu");
    auto* tray = new TProbe(formB.get(), "Tray");
    tray->watched = menu;
    menu->FreeNotification(tray);
    menu->Free();
    // The watcher in another form hears of it and drops its reference.
    EXPECT_EQ(tray->watched, nullptr);
    EXPECT_NE(std::find(events.begin(), events.end(), "Tray told of Menu"), events.end());

    // When the watcher goes first, the watched component no longer tells it anything.
    auto* menu2 = new TProbe(formA.get(), "Menu2");
    auto* tray2 = new TProbe(formB.get(), "Tray2");
    menu2->FreeNotification(tray2);
    tray2->Free();
    EXPECT_NO_FATAL_FAILURE(menu2->Free());  // would touch the freed watcher if it still listed it
}

TEST(ComponentTest, SiblingsHearOfARemovalThroughTheirOwner) {
    events.clear();
    auto form = MakeComponent<TProbe>(nullptr, "Form");
    auto* menu = new TProbe(form.get(), "Menu");
    auto* tray = new TProbe(form.get(), "Tray");
    tray->watched = menu;
    menu->Free();
    EXPECT_EQ(tray->watched, nullptr);
    EXPECT_EQ(form->ComponentCount(), 1);
    EXPECT_EQ(form->FindComponent("tray"), tray);  // names are found without regard to case
}

TEST(ComponentTest, NamesAreIdentifiersUniqueAmongTheOwnersComponents) {
    auto form = MakeComponent<TComponent>(nullptr);
    auto* a = new TComponent(form.get());
    auto* b = new TComponent(form.get());
    a->SetName("Timer1");
    EXPECT_THROW(b->SetName("TIMER1"), EComponentError);  // taken, whatever the case
    EXPECT_THROW(b->SetName("1Timer"), EComponentError);  // not an identifier
    EXPECT_THROW(b->SetName("my timer"), EComponentError);
    EXPECT_EQ(b->Name(), "");  // a refused name changes nothing
    a->SetName("Timer1");      // its own name again is no clash
    EXPECT_NO_THROW(b->SetName("Timer2"));
}

TEST(ComponentTest, DesigningStateReachesOwnedComponents) {
    auto form = MakeComponent<TComponent>(nullptr);
    auto* child = new TComponent(form.get());
    form->SetDesigning(true);
    EXPECT_TRUE(child->IsDesigning());
    auto* later = new TComponent(form.get());
    EXPECT_TRUE(later->IsDesigning());  // a component added to a designed owner is designed too
    form->SetDesigning(false);
    EXPECT_FALSE(child->IsDesigning());
    EXPECT_FALSE(later->IsDesigning());
}
