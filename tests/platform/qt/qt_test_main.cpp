// The tests share one private display for the whole run; listing them needs none.
#include <gtest/gtest.h>

#include <memory>

#include "tests/platform/qt/x_session.h"

namespace {

class DisplayEnvironment : public ::testing::Environment {
  public:
    void SetUp() override { session_ = std::make_unique<XSession>(); }
    void TearDown() override { session_.reset(); }

  private:
    std::unique_ptr<XSession> session_;
};

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new DisplayEnvironment);
    return RUN_ALL_TESTS();
}
