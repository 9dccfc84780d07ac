// The setup's one message box.
#include <gtest/gtest.h>

#include <string>

#include "MessageBoxWatcher.h"
#include "forms/Application.h"
#include "install/SetupMessage.h"

namespace {

TEST(ShowSetupMessage, LongTextsAreCutNotOverflowed) {
    TApplication application;
    application.Initialize();
    MessageBoxWatcher watcher;
    ShowSetupMessage(std::string(600, 'x'), std::string(400, 'c'), nullptr);
    ASSERT_EQ(1u, watcher.Texts().size());
    EXPECT_EQ(std::string(259, 'x'), watcher.Texts()[0]);
}

} // namespace
