#ifndef BOLTGEN_APP_HANDLER_QUEUE_H_
#define BOLTGEN_APP_HANDLER_QUEUE_H_

#include <deque>
#include <functional>

namespace boltgen {

// The order in which a window runs the handlers of the user's actions, the
// same for every toolkit. A handler never runs inside another: a message box
// of a running handler lets the toolkit's events through, and what they start
// waits until the running one has finished. The Validate handlers that
// leaving a control owes run before the action that left it.
class HandlerQueue {
 public:
  using Handler = std::function<void()>;

  // What the window does around the handlers, in its own toolkit.
  class Window {
   public:
    virtual ~Window() = default;
    // Copies the texts being typed into the controls, for the handler to read.
    virtual void CopyEdits() = 0;
    // Right after a handler, still part of it: the status follows the choices.
    virtual void FinishHandler() = 0;
    // Once a handler has finished: shows the controls it left, and calls
    // End() when it asked the program to end.
    virtual void ShowHandled() = 0;
    // When the queue has run dry and the program goes on (the preview).
    virtual void Settle() = 0;
    // Whether a mouse button is held down now.
    virtual bool MouseButtonDown() const = 0;
    // Calls RunPending() from the event loop, once the current event is over.
    virtual void RunPendingSoon() = 0;
  };

  explicit HandlerQueue(Window& window) : window_(window) {}
  HandlerQueue(const HandlerQueue&) = delete;
  HandlerQueue& operator=(const HandlerQueue&) = delete;

  // Runs the handlers still owed, then `handler` (none: only those owed);
  // while a handler runs, queues it after the owed ones instead.
  void Run(Handler handler);
  // Owes a Validate handler for a control just left. A message box opened
  // while the mouse is pressed would take the focus from the pressed button
  // and swallow the click: it then waits for the release, and so runs before
  // the click's handler.
  void ValidateLater(Handler handler);
  // Owes a handler for the next Run, which stands for an action that would
  // have owed it (Enter for a click on Process, which leaves the box).
  void RunBeforeNext(Handler handler);
  void RunPending();
  // The mouse button was released: what waited for it runs soon.
  void MouseReleased();

  // Nothing runs any more once the program is ending.
  void End() { ended_ = true; }
  bool ended() const { return ended_; }

 private:
  Window& window_;
  std::deque<Handler> pending_;
  bool busy_ = false;
  bool ended_ = false;
  bool waits_for_release_ = false;
};

}  // namespace boltgen

#endif  // BOLTGEN_APP_HANDLER_QUEUE_H_
