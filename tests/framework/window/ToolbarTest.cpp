// The toolbar router's choice of its current client, and what finishing a
// window does to the toolbar's pending request.
#include "WindowTestKit.h"
#include "support/CaseName.h"

namespace wintest {
namespace {

using headless::User;

class Router : public testing::Test {
 protected:
  void SetUp() override {
    Log().clear();
    router.Setup();
  }
  quibra::ToolbarRouter router;
};

struct PickCase {
  const char* label;
  std::vector<uint8_t> wants;  // the clients' answers, ids 1, 2, 3 ...
  int32_t current;             // the id current afterwards; 0 = none
};

class PickClient : public Router, public testing::WithParamInterface<PickCase> {};

TEST_P(PickClient, LastClientThatWantsTheToolbarBecomesCurrentUnactivated) {
  std::vector<FakeToolbarClient> clients;
  clients.reserve(GetParam().wants.size());
  for (uint8_t wants : GetParam().wants) {
    clients.emplace_back("K" + std::to_string(clients.size() + 1), wants);
    AddClient(router, static_cast<int32_t>(clients.size()), clients.back());
  }
  router.SelectClient(0);
  EXPECT_EQ(router.LIST->buffer.ID, GetParam().current);
  EXPECT_EQ(Count("K1.Activate") + Count("K2.Activate") + Count("K3.Activate"), 0);
  EXPECT_EQ(router.LIST->Records(), static_cast<int32_t>(GetParam().wants.size()));
  for (const FakeToolbarClient& k : clients) EXPECT_EQ(Count(k.name + ".Wants"), 1) << k.name;
  router.ShowButtons();
  for (std::size_t i = 0; i < clients.size(); ++i)
    EXPECT_EQ(Count(clients[i].name + ".ShowButtons"), GetParam().current == static_cast<int32_t>(i + 1) ? 1 : 0)
        << "only the current client shows its buttons: " << clients[i].name;
}

const PickCase pickCases[] = {
    {"yes_no_yes_picks_third", {1, 0, 1}, 3},
    {"yes_no_picks_first", {1, 0}, 1},
    {"no_no_leaves_last", {0, 0}, 2},
    {"empty_list_unchanged", {}, 0},
};
INSTANTIATE_TEST_SUITE_P(Window, PickClient, testing::ValuesIn(pickCases), quibra_test::ByLabel());

TEST_F(Router, SelectingAnIdActivatesThatClient) {
  router.SelectClient(99);  // no client is current, and an unknown id makes none so
  EXPECT_EQ(router.LIST->buffer.ID, 0);
  EXPECT_EQ(router.LIST->buffer.ITEM, nullptr);
  FakeToolbarClient k3("K3"), k5("K5"), k8("K8");
  AddClient(router, 3, k3);
  AddClient(router, 5, k5);
  AddClient(router, 8, k8);
  router.SelectClient(5);
  EXPECT_EQ(Log(), (std::vector<std::string>{"K5.Activate"}));
  EXPECT_EQ(router.LIST->buffer.ITEM, &k5);
  router.SelectClient(99);  // not in the list: nothing is activated and the current client stays
  EXPECT_EQ(router.LIST->buffer.ID, 5);
  EXPECT_EQ(router.LIST->buffer.ITEM, &k5);
  router.ShowButtons();
  router.HandleAccepted(nullptr, nullptr);
  EXPECT_EQ(Log(), (std::vector<std::string>{"K5.Activate", "K5.ShowButtons", "K5.HandleAccepted"}));
}

TEST_F(Router, EmptyRouterPassesNothingOnAndReleaseDropsTheList) {
  router.HandleAccepted(nullptr, nullptr);
  router.ShowButtons();
  router.SelectClient(0);
  EXPECT_TRUE(Log().empty());
  router.Release();
  EXPECT_EQ(router.LIST, nullptr);
  router.SelectClient(0);  // a released router stays harmless
  router.HandleAccepted(nullptr, nullptr);
}

struct FinishCase {
  const char* label;
  bool toolbar;
  uint8_t response;
  int32_t vcrAfter;  // the pending request was 7
};

class FinishVcr : public WindowTest, public testing::WithParamInterface<FinishCase> {};

// Cancelling a window with a toolbar drops the toolbar's pending request.
TEST_P(FinishVcr, OnlyACancelWithAToolbarClearsThePendingRequest) {
  const FinishCase& c = GetParam();
  TestWindow w;
  quibra::ToolbarRouter router;
  int32_t vcr = 7;
  w.configure = [&](TestWindow& t) {
    t.VCRREQUEST = &vcr;
    if (c.toolbar) t.AttachToolbar(&router);
    t.AddButtonAction(CtlCancel, c.response);
  };
  User().Press(CtlCancel);
  EXPECT_EQ(w.RunModal(), c.response);
  EXPECT_EQ(vcr, c.vcrAfter);
}

const FinishCase finishCases[] = {
    {"cancel_with_toolbar", true, 2, 0},
    {"complete_with_toolbar", true, 1, 7},
    {"cancel_without_toolbar", false, 2, 7},
};
INSTANTIATE_TEST_SUITE_P(Window, FinishVcr, testing::ValuesIn(finishCases), quibra_test::ByLabel());

}  // namespace
}  // namespace wintest
