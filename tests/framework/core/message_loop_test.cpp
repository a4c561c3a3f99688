// The message loop's promises: timers that keep their rhythm, modal loops that nest and
// end the right way, and errors that do not end the program.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "framework/form.h"
#include "framework/timer.h"
#include "headless_fixture.h"

namespace somnara::fw {
namespace {

using MessageLoopTest = somnara::testing::HeadlessTest;

TEST_F(MessageLoopTest, TimerTicksKeepTheirRhythmWhenHandlersTakeTime) {
  Timer timer(&App());
  timer.SetInterval(100);
  std::vector<int64_t> ticks;
  timer.OnTimer = [&](Component*) {
    ticks.push_back(Now());
    windows.Time().Advance(30);  // a slow handler must not push later ticks back
  };
  RunUntil(450);
  EXPECT_EQ(ticks, (std::vector<int64_t>{100, 200, 300, 400}));
}

TEST_F(MessageLoopTest, ALateLoopDeliversOneTickNotABurst) {
  Timer fast(&App());
  fast.SetInterval(100);
  std::vector<int64_t> ticks;
  fast.OnTimer = [&](Component*) { ticks.push_back(Now()); };
  Timer slow(&App());
  slow.SetInterval(150);
  slow.OnTimer = [&](Component*) {
    slow.SetEnabled(false);
    windows.Time().Advance(520);  // the loop is blocked from 150 to 670
  };
  RunUntil(820);
  // 100, then one tick for everything missed, then back on the original phase.
  EXPECT_EQ(ticks, (std::vector<int64_t>{100, 670, 700, 800}));
}

TEST_F(MessageLoopTest, TimersDueCloseTogetherShareAWakeUpAndTickAtMostATenthLate) {
  windows.honour_slack = true;
  // A poll, a clock and an animation, switched on at different moments as a program's
  // timers are, so that none is ever due at the same instant as another.
  struct Ticking {
    int interval;
    int64_t start;
    std::vector<int64_t> ticks;
  };
  std::vector<Ticking> kinds{{100, 0, {}}, {1000, 37, {}}, {250, 13, {}}};
  std::vector<std::unique_ptr<Timer>> timers;
  for (Ticking& k : kinds) {
    auto& timer = *timers.emplace_back(std::make_unique<Timer>(&App()));
    timer.SetEnabled(false);
    timer.SetInterval(k.interval);
    timer.OnTimer = [&](Component*) { k.ticks.push_back(Now()); };
    windows.At(k.start, [&timer] { timer.SetEnabled(true); });
  }
  const int waits_before = windows.Waits();
  RunUntil(10000);

  size_t separate = 0;
  for (const Ticking& k : kinds) {
    EXPECT_GE(k.ticks.size(), size_t(10000 - k.start) / k.interval - 1) << k.interval;
    for (size_t i = 0; i < k.ticks.size(); ++i) {
      const int64_t due = k.start + int64_t(i + 1) * k.interval;
      EXPECT_GE(k.ticks[i], due) << k.interval << " ms, tick " << i;
      EXPECT_LE(k.ticks[i], due + k.interval / 10) << k.interval << " ms, tick " << i;
    }
    separate += k.ticks.size();
  }
  // The clock's ticks cost no wake-up of their own: one wake-up each for the poll's and the
  // animation's ticks (at these phases none of theirs is within the other's tenth) and the
  // four steps that switch the timers on and end the run.
  EXPECT_EQ(size_t(windows.Waits() - waits_before),
            kinds[0].ticks.size() + kinds[2].ticks.size() + 4);
}

TEST_F(MessageLoopTest, OneMillisecondTimerTicksEveryMillisecond) {
  Timer timer(&App());
  timer.SetInterval(1);
  int count = 0;
  timer.OnTimer = [&](Component*) { ++count; };
  RunUntil(1000);
  EXPECT_GE(count, 999);
  EXPECT_LE(count, 1000);
}

TEST_F(MessageLoopTest, SwitchingATimerOnStartsAFreshPeriod) {
  Timer timer(&App());
  timer.SetInterval(1000);
  timer.SetEnabled(false);
  std::vector<int64_t> ticks;
  timer.OnTimer = [&](Component*) { ticks.push_back(Now()); };
  windows.At(250, [&] { timer.SetEnabled(true); });
  RunUntil(2300);
  EXPECT_EQ(ticks, (std::vector<int64_t>{1250, 2250}));
}

TEST_F(MessageLoopTest, TimersOfHiddenWindowsTickInsideAnotherTimersModalLoop) {
  auto* hidden = new Form(&App());
  hidden->AfterConstruction();
  Timer* clock_timer = new Timer(hidden);  // owned by a window that is never shown
  clock_timer->SetInterval(1000);
  std::vector<int64_t> clock_ticks;
  clock_timer->OnTimer = [&](Component*) { clock_ticks.push_back(Now()); };

  Timer opener(&App());
  opener.SetInterval(1000);
  int modal_result = -1;
  opener.OnTimer = [&](Component*) {
    opener.SetEnabled(false);
    auto* dialog = new Form(&App());
    dialog->AfterConstruction();
    windows.At(4500, [dialog] { dialog->SetModalResult(mrOk); });
    modal_result = dialog->ShowModal();
  };
  RunUntil(5200);
  EXPECT_EQ(modal_result, mrOk);
  EXPECT_EQ(clock_ticks, (std::vector<int64_t>{1000, 2000, 3000, 4000, 5000}));
}

TEST_F(MessageLoopTest, TerminateEndsEveryNestedLoopWithoutCloseHandlers) {
  std::vector<int> closed;
  std::vector<int> returned;
  std::function<void(int)> open = [&](int depth) {
    auto* form = new Form(&App());
    form->AfterConstruction();
    form->OnClose = [&closed, depth](Component*, CloseAction&) { closed.push_back(depth); };
    if (depth < 6) {
      auto* timer = new Timer(form);
      timer->SetInterval(10);
      timer->OnTimer = [timer, depth, &open](Component*) {
        timer->SetEnabled(false);
        open(depth + 1);
      };
    } else {
      windows.After(10, [] { App().Terminate(); });
    }
    form->ShowModal();
    returned.push_back(depth);
  };
  windows.At(0, [&] { open(1); });
  App().Run();
  EXPECT_TRUE(closed.empty());
  EXPECT_EQ(returned, (std::vector<int>{6, 5, 4, 3, 2, 1}));
  EXPECT_TRUE(App().Terminated());
}

TEST_F(MessageLoopTest, ClosingAModalWindowRunsItsHandlersAndEndsOnlyItsLoop) {
  auto* outer = new Form(&App());
  outer->AfterConstruction();
  auto* inner = new Form(outer);
  inner->AfterConstruction();
  std::vector<std::string> log;
  inner->OnCloseQuery = [&](Component*, bool& can) {
    log.push_back("query");
    can = log.size() > 1;  // the first attempt is refused
  };
  inner->OnClose = [&](Component*, CloseAction&) { log.push_back("close"); };
  windows.At(100, [&] { inner->Close(); });
  windows.At(200, [&] { inner->Close(); });
  windows.At(300, [&] { outer->SetModalResult(mrOk); });
  Timer opener(&App());
  opener.SetInterval(50);
  int inner_result = -1, outer_result = -1;
  opener.OnTimer = [&](Component*) {
    opener.SetEnabled(false);
    windows.At(60, [&] { inner_result = inner->ShowModal(); });
    outer_result = outer->ShowModal();
  };
  RunUntil(1000);
  EXPECT_EQ(log, (std::vector<std::string>{"query", "query", "close"}));
  EXPECT_EQ(inner_result, mrCancel);
  EXPECT_EQ(outer_result, mrOk);
  EXPECT_FALSE(inner->Visible());
}

TEST_F(MessageLoopTest, AModalWindowUnderAnotherClosesAtOnceAndItsLoopEndsLater) {
  auto* box = new Form(&App());
  box->AfterConstruction();
  box->SetNeverBlocked(true);
  auto* later = new Form(&App());
  later->AfterConstruction();
  std::vector<std::string> log;
  box->OnClose = [&](Component*, CloseAction&) { log.push_back("box closed"); };
  Timer opener(&App());
  opener.SetInterval(100);
  opener.OnTimer = [&](Component*) {
    opener.SetEnabled(false);
    // A window opened while the box shows; the box stays usable under it.
    windows.At(200, [&] {
      later->ShowModal();
      log.push_back("later returned");
    });
    windows.At(300, [&] {
      box->SetModalResult(mrOk);
      log.push_back(box->Visible() ? "box visible" : "box hidden");
    });
    windows.At(400, [&] { later->Close(); });
    box->ShowModal();
    log.push_back("box returned");
  };
  RunUntil(1000);
  EXPECT_EQ(log, (std::vector<std::string>{"box closed", "box hidden", "later returned",
                                           "box returned"}));
  EXPECT_EQ(box->ModalResult(), mrOk);
}

TEST_F(MessageLoopTest, AnErrorInAHandlerIsShownAndTheProgramGoesOn) {
  Timer timer(&App());
  timer.SetInterval(100);
  int ticks = 0;
  timer.OnTimer = [&](Component*) {
    ++ticks;
    if (ticks == 2) throw Exception("'abc' is not a valid integer value");
  };
  RunUntil(450);
  EXPECT_EQ(ticks, 4);
  EXPECT_EQ(errors, (std::vector<std::string>{"'abc' is not a valid integer value"}));
}

TEST_F(MessageLoopTest, HooksSeeQueuedMessagesFirstAndCanSwallowThem) {
  auto* form = new Form(&App());
  form->AfterConstruction();
  std::vector<uint32_t> seen_by_form;
  WindowProcedure old = form->WindowProc;
  form->WindowProc = [&, old](Message& m) {
    if (m.msg == WM_USER + 1 || m.msg == WM_USER + 2) seen_by_form.push_back(m.msg);
    old(m);
  };
  int hook = App().AddMessageHook([](WinControl*, Message& m) { return m.msg == WM_USER + 1; });
  App().PostMessage(form, WM_USER + 1);
  App().PostMessage(form, WM_USER + 2);
  App().ProcessMessages();
  App().RemoveMessageHook(hook);
  App().PostMessage(form, WM_USER + 1);
  App().ProcessMessages();
  EXPECT_EQ(seen_by_form, (std::vector<uint32_t>{WM_USER + 2, WM_USER + 1}));
}

TEST_F(MessageLoopTest, PostedMessagesToDestroyedWindowsAreDropped) {
  auto* form = new Form(&App());
  form->AfterConstruction();
  App().PostMessage(form, WM_USER);
  delete form;
  App().ProcessMessages();  // must not touch the freed window
  SUCCEED();
}

TEST_F(MessageLoopTest, AStalledLoopFailsLoudly) {
  EXPECT_THROW(App().Run(), platform::HeadlessStall);
}

}  // namespace
}  // namespace somnara::fw
