#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/object.h"

namespace {

constexpr UINT kPing = WM_USER + 1;
constexpr UINT kPong = WM_USER + 2;
constexpr UINT kUnhandled = WM_USER + 3;

std::vector<std::string> calls;

// What a handler leaves: its name among the calls, its answer in the message.
void Answer(TMessage& message, const char* handler, LRESULT result) {
    calls.push_back(handler);
    message.Result = result;
}

class TBase : public TObject {
    DECLARE_CLASS_INFO
  public:
    void Ping(TMessage& message) { Answer(message, "TBase::Ping", 1); }
    void Pong(TMessage& message) { Answer(message, "TBase::Pong", 2); }
    void DefaultHandler(TMessage& message) override { Answer(message, "default", -1); }
};

// Overrides one message, inherits the other.
class TDerived : public TBase {
    DECLARE_CLASS_INFO
  public:
    void Pong(TMessage& message) { Answer(message, "TDerived::Pong", 20); }
};

// Registers nothing of its own.
class TGrandChild : public TDerived {
    DECLARE_CLASS_INFO
};

const MessageHandlerInfo kBaseMessages[] = {MESSAGE_HANDLER(TBase, kPing, Ping),
                                            MESSAGE_HANDLER(TBase, kPong, Pong)};
const MessageHandlerInfo kDerivedMessages[] = {MESSAGE_HANDLER(TDerived, kPong, Pong)};

}  // namespace

const ClassInfo TBase::Class{.name = "TBase", .parent = &TObject::Class, .messages = kBaseMessages};
const ClassInfo TDerived::Class{.name = "TDerived", .parent = &TBase::Class, .messages = kDerivedMessages};
const ClassInfo TGrandChild::Class{.name = "TGrandChild", .parent = &TDerived::Class};

TEST(ObjectTest, DispatchFindsTheNearestHandlerElseTheDefault) {
    TGrandChild object;
    TMessage ping{kPing}, pong{kPong}, other{kUnhandled};
    calls.clear();
    object.Dispatch(ping);   // only the base handles it
    object.Dispatch(pong);   // the nearer override wins over the base's handler
    object.Dispatch(other);  // nobody registers it: the default handler
    EXPECT_EQ(calls, (std::vector<std::string>{"TBase::Ping", "TDerived::Pong", "default"}));
    EXPECT_EQ(ping.Result, 1);
    EXPECT_EQ(pong.Result, 20);
    EXPECT_EQ(other.Result, -1);

    // A plain object's default handler leaves the record alone.
    TObject plain;
    TMessage untouched{kPing, 1, 2, 3};
    plain.Dispatch(untouched);
    EXPECT_EQ(untouched.Result, 3);
}

TEST(ObjectTest, ClassTestsFollowTheChain) {
    TGrandChild object;
    EXPECT_TRUE(object.InheritsFrom(TBase::Class));
    EXPECT_TRUE(object.InheritsFrom(TObject::Class));
    EXPECT_FALSE(TBase().InheritsFrom(TDerived::Class));
    EXPECT_EQ(object.ClassName(), "TGrandChild");
}
