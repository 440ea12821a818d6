// The per-thread stack of procedure names behind "%Procedure".
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "ManagerTest.h"
#include "framework/error/ErrorManager.h"

namespace {

using namespace quibra;

class ProcedureNames : public error_test::ManagerTest {};

TEST_F(ProcedureNames, PushPopAndNothingToPop) {
  EXPECT_EQ(manager.CurrentProcedure(), "");
  manager.TrackProcedure("", true);  // nothing pushed: changes nothing
  EXPECT_EQ(manager.PROCNAMES->Records(), 0);
  manager.TrackProcedure("Main   ", false);
  manager.TrackProcedure("Browse", false);
  EXPECT_EQ(manager.CurrentProcedure(), "Browse");
  manager.TrackProcedure("ignored", true);
  EXPECT_EQ(manager.CurrentProcedure(), "Main") << "names are clipped of trailing blanks";
  manager.TrackProcedure("", true);
  EXPECT_EQ(manager.CurrentProcedure(), "");
  EXPECT_EQ(manager.PROCNAMES->Records(), 0);
}

TEST_F(ProcedureNames, AnEmptyNameIsNeverPopped) {
  manager.TrackProcedure("Main", false);
  manager.TrackProcedure("   ", false);
  manager.TrackProcedure("", true);
  manager.TrackProcedure("", true);
  EXPECT_EQ(manager.PROCNAMES->Records(), 2);
  EXPECT_EQ(manager.CurrentProcedure(), "");
}

TEST_F(ProcedureNames, EachThreadSeesItsOwnNewestName) {
  manager.TrackProcedure("Main", false);
  std::string seenByWorker, seenAfterPop, seenByStranger;
  std::thread worker([&] {
    manager.TrackProcedure("Worker", false);
    seenByWorker = manager.CurrentProcedure();
    manager.TrackProcedure("", true);
    seenAfterPop = manager.CurrentProcedure();
    manager.TrackProcedure("Left", false);  // stays after the thread ends
  });
  worker.join();
  std::thread stranger([&] { seenByStranger = manager.CurrentProcedure(); });
  stranger.join();
  EXPECT_EQ(seenByWorker, "Worker");
  EXPECT_EQ(seenAfterPop, "") << "the worker's last pop leaves it nothing, not the main thread's name";
  EXPECT_EQ(seenByStranger, "");
  EXPECT_EQ(manager.CurrentProcedure(), "Main") << "the newest entry is another thread's";
  manager.TrackProcedure("", true);
  EXPECT_EQ(manager.CurrentProcedure(), "");
  EXPECT_EQ(manager.PROCNAMES->Records(), 1) << "the worker's entry is not the main thread's to pop";
}

TEST_F(ProcedureNames, TwoThreadsPushingAndPoppingAtOnceKeepTheirOwnNames) {
  constexpr int kRounds = 2000;
  std::atomic<int> wrong{0};
  std::atomic<bool> go{false};
  auto run = [&](const std::string& base) {
    while (!go) std::this_thread::yield();
    for (int i = 0; i < kRounds; ++i) {
      manager.TrackProcedure(base, false);
      manager.TrackProcedure(base + "-inner", false);
      if (manager.CurrentProcedure() != base + "-inner") ++wrong;
      manager.TrackProcedure("", true);
      if (manager.CurrentProcedure() != base) ++wrong;
      manager.TrackProcedure("", true);
    }
  };
  std::thread a(run, "A"), b(run, "B");
  go = true;
  a.join();
  b.join();
  EXPECT_EQ(wrong, 0);
  EXPECT_EQ(manager.PROCNAMES->Records(), 0);
}

TEST(ProcedureNamesOutsideTheManagersLife, AreEmptyAndChangeNothing) {
  ErrorManager manager;  // never set up
  manager.TrackProcedure("Main", false);
  EXPECT_EQ(manager.CurrentProcedure(), "");
  manager.Setup();
  manager.Shutdown();
  manager.TrackProcedure("Main", false);
  manager.TrackProcedure("", true);
  EXPECT_EQ(manager.CurrentProcedure(), "");
}

}  // namespace
