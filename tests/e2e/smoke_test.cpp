#include <gtest/gtest.h>

#include "harness.h"

namespace {

TEST(Smoke, CommandEightRunsAndEnds)
{
    e2e::TempDir base("smoke");
    e2e::WriteIni(base / "LINDMORY.INI", "LongFnameGED", "kept");
    auto p = e2e::StartLindmorh(base.Path(), "8");
    ASSERT_TRUE(p->Started());
    ASSERT_TRUE(p->WaitExit(20000));
    EXPECT_EQ(p->ExitCode(), 0u);
    EXPECT_NE(e2e::ReadIni(base / "LINDMORY.INI", "dwMajorVersion"), "<missing>");
    EXPECT_EQ(e2e::ReadIni(base / "LINDMORY.INI", "LongFnameGED"), "kept");
}

}  // namespace
