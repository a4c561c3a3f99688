// OpenLink and the e-mail link against the recording shell: which requests, in which
// order, with which exact target.
#include "app/link_opener.h"

#include <gtest/gtest.h>

#include "platform/headless/headless_shell_service.h"
#include "platform/platform.h"

namespace somnara::app {
namespace {

using Kind = platform::RecordedShellRequest::Kind;

class LinkOpenerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::Services services;
    services.shell = &shell;
    platform::Install(services);
  }
  void TearDown() override { platform::Install({}); }
  platform::HeadlessShellService shell;
};

TEST_F(LinkOpenerTest, AnAcceptedTargetIsOneRequest) {
  OpenLink("/opt/somnara/help/help.html");
  EXPECT_EQ(
      shell.Requests(),
      (std::vector<platform::RecordedShellRequest>{{Kind::kOpen, "/opt/somnara/help/help.html"}}));
}

TEST_F(LinkOpenerTest, ARefusedTargetIsAskedOnceMoreThroughTheUrlHandlerAndNoMore) {
  shell.SetOpenAccepts(false);
  shell.SetUrlHandlerAccepts(false);
  OpenLink("http://somnara.example/");
  EXPECT_EQ(shell.Requests(), (std::vector<platform::RecordedShellRequest>{
                                  {Kind::kOpen, "http://somnara.example/"},
                                  {Kind::kUrlHandler, "http://somnara.example/"}}));
}

TEST_F(LinkOpenerTest, ATargetWithBlanksTravelsInOnePieceBothTimes) {
  shell.SetOpenAccepts(false);
  const std::string target = "/home/a user/My Programs/Somnara/help/help.html";
  OpenLink(target);
  ASSERT_EQ(shell.Requests().size(), 2u);
  EXPECT_EQ(shell.Requests()[0].target, target);
  EXPECT_EQ(shell.Requests()[1].target, target);
}

TEST_F(LinkOpenerTest, TheEmailLinkIsOneMailtoRequestEvenWhenRefused) {
  shell.SetOpenAccepts(false);
  OpenMailTo(kSupportAddress);
  EXPECT_EQ(shell.Log(), std::vector<std::string>{"open mailto:help@somnara.example"});
}

TEST_F(LinkOpenerTest, WithoutADesktopShellNothingHappens) {
  platform::Install({});
  OpenLink("http://somnara.example/");
  OpenMailTo(kSupportAddress);
  EXPECT_TRUE(shell.Requests().empty());
}

}  // namespace
}  // namespace somnara::app
