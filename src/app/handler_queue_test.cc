#include "app/handler_queue.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace boltgen {
namespace {

using Log = std::vector<std::string>;

// A window that writes down what the queue asks of it.
class RecordingWindow : public HandlerQueue::Window {
 public:
  void CopyEdits() override { log.push_back("copy"); }
  void FinishHandler() override { log.push_back("finish"); }
  void ShowHandled() override {
    log.push_back("show");
    if (asked_to_end) queue->End();
  }
  void Settle() override { log.push_back("settle"); }
  bool MouseButtonDown() const override { return mouse_down; }
  void RunPendingSoon() override { ++runs_asked; }

  HandlerQueue* queue = nullptr;
  Log log;
  bool mouse_down = false;
  bool asked_to_end = false;
  int runs_asked = 0;
};

class HandlerQueueTest : public testing::Test {
 protected:
  HandlerQueueTest() { window_.queue = &queue_; }

  HandlerQueue::Handler Note(std::string name) {
    return [this, name] { window_.log.push_back(name); };
  }

  RecordingWindow window_;
  HandlerQueue queue_{window_};
};

TEST_F(HandlerQueueTest, AnActionDuringAHandlerWaitsForItAndSeesItsResult) {
  // A message box of the first handler lets a click through.
  queue_.Run([this] {
    window_.log.push_back("process");
    queue_.Run(Note("exit"));
    window_.log.push_back("process ends");
  });
  EXPECT_EQ(window_.log, (Log{"copy", "process", "process ends", "finish", "show",  //
                              "copy", "exit", "finish", "show", "settle"}));
}

TEST_F(HandlerQueueTest, AValidationRunsBeforeTheActionThatLeftTheControl) {
  // Left with the keyboard: it runs from the event loop, or before an action
  // that comes first.
  queue_.ValidateLater(Note("length validate"));
  EXPECT_EQ(window_.runs_asked, 1);
  EXPECT_TRUE(window_.log.empty());
  queue_.Run(Note("process"));
  EXPECT_EQ(window_.log, (Log{"copy", "length validate", "finish", "show",  //
                              "copy", "process", "finish", "show", "settle"}));
  window_.log.clear();
  queue_.RunPending();  // asked for above, and owed nothing now
  EXPECT_TRUE(window_.log.empty());

  // Left by a mouse press: it waits for the release.
  window_.mouse_down = true;
  queue_.ValidateLater(Note("size validate"));
  EXPECT_EQ(window_.runs_asked, 1);
  window_.mouse_down = false;
  queue_.MouseReleased();
  EXPECT_EQ(window_.runs_asked, 2);
  queue_.RunPending();
  EXPECT_EQ(window_.log, (Log{"copy", "size validate", "finish", "show", "settle"}));

  // The click the release completes runs it first; the release asks no more.
  window_.log.clear();
  window_.mouse_down = true;
  queue_.ValidateLater(Note("pitch validate"));
  queue_.Run(Note("preview"));
  window_.mouse_down = false;
  queue_.MouseReleased();
  EXPECT_EQ(window_.runs_asked, 2);
  EXPECT_EQ(window_.log, (Log{"copy", "pitch validate", "finish", "show",  //
                              "copy", "preview", "finish", "show", "settle"}));
}

TEST_F(HandlerQueueTest, EnterRunsTheLeaveHandlerItOwesBeforeProcess) {
  queue_.RunBeforeNext(Note("length validate"));
  EXPECT_EQ(window_.runs_asked, 0);
  EXPECT_TRUE(window_.log.empty());
  queue_.Run(Note("process"));
  EXPECT_EQ(window_.log, (Log{"copy", "length validate", "finish", "show",  //
                              "copy", "process", "finish", "show", "settle"}));
}

TEST_F(HandlerQueueTest, NothingRunsOnceAHandlerEndedTheProgram) {
  queue_.Run([this] {
    queue_.Run(Note("process"));  // let through by the handler's message box
    window_.asked_to_end = true;
    window_.log.push_back("exit");
  });
  queue_.Run(Note("help"));
  queue_.ValidateLater(Note("length validate"));
  queue_.RunPending();
  EXPECT_TRUE(queue_.ended());
  EXPECT_EQ(window_.log, (Log{"copy", "exit", "finish", "show"}));
}

}  // namespace
}  // namespace boltgen
