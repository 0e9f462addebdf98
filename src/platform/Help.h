#pragma once
// The help of the windows: each window opens the help at its own context number (F1). The
// program hands every form one viewer, the help pages beside the program (HelpPages.h); the
// tests hand a viewer that records the contexts asked for.

namespace tranchex {

class HelpViewer {
 public:
  virtual ~HelpViewer() = default;
  virtual void ShowHelp(int context) = 0;
};

// The viewer of a program without help pages: asking for help does nothing.
class NoHelp : public HelpViewer {
 public:
  void ShowHelp(int /*context*/) override {}
};

}  // namespace tranchex

namespace tranchex {

// The viewer a window hands its forms when they are created: it passes each request on to the
// viewer set later (none: nothing is shown).
class HelpRelay : public HelpViewer {
 public:
  void SetTarget(HelpViewer* target) { target_ = target; }
  void ShowHelp(int context) override {
    if (target_ != nullptr) target_->ShowHelp(context);
  }

 private:
  HelpViewer* target_ = nullptr;
};

}  // namespace tranchex
