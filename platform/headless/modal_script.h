// The user in front of a headless screen: a test queues what the user does when the next message box,
// file dialog or pop-up menu opens (which may include advancing time, as happens while a modal box waits).
// Every box is logged; one that opens with nothing queued is recorded as unexpected so the test fails. As on
// the desktops, a box ends when the application is told to end (see ApplicationEnding).
#pragma once

#include <chrono>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "framework/widgetset/widgetset.h"

namespace headless {

struct MessageBoxCall {
    HWND owner = nullptr;
    std::string text;
    std::string caption;
    UINT type = 0;
};

struct PopupMenuCall {
    TPopupMenu* menu = nullptr;
    int x = 0;
    int y = 0;
    std::vector<TMenuItem*> shownItems;  // the items shown (framework/menu_entries.h), without separators
};

class ModalScript {
  public:
    using MessageBoxAnswer = std::function<int(const MessageBoxCall&)>;
    using OpenDialogAnswer = std::function<std::optional<std::string>(const widgetset::OpenFileRequest&)>;
    using PopupMenuAnswer = std::function<TMenuItem*(const PopupMenuCall&)>;

    void OnMessageBox(MessageBoxAnswer answer) { messageBoxes_.push_back(std::move(answer)); }
    // The common case: the next box is answered with this button and nothing else happens meanwhile.
    void AnswerMessageBox(int button);
    // The next box stays open for that long in virtual time (ticks, tray clicks and scheduled actions go on
    // meanwhile), then is answered with this button, unless the program ended it before.
    void AnswerMessageBoxAfter(std::chrono::milliseconds wait, int button);
    // Every message box that opens with nothing queued is answered with this button (for a test that
    // looks at the boxes afterwards), no longer recorded as unexpected.
    void AnswerEveryMessageBox(int button) { everyMessageBox_ = button; }
    void OnOpenDialog(OpenDialogAnswer answer) { openDialogs_.push_back(std::move(answer)); }
    void OnPopupMenu(PopupMenuAnswer answer) { popupMenus_.push_back(std::move(answer)); }

    int ShowMessageBox(const MessageBoxCall& call);
    std::optional<std::string> ShowOpenDialog(const widgetset::OpenFileRequest& request);
    TMenuItem* ShowPopupMenu(const PopupMenuCall& call);

    // The boxes whose answers run now, one inside another; the program may end them (EndMessageBoxes), and
    // each then returns what the application's end gives it, whatever its answer returns.
    std::size_t OpenMessageBoxes() const { return endedBoxes_.size(); }
    void EndMessageBoxes(std::size_t depth);
    // Whether the box at that depth (1: the outermost) has been ended by the program.
    bool MessageBoxEnded(std::size_t depth) const { return endedBoxes_.at(depth - 1); }

    const std::vector<MessageBoxCall>& MessageBoxesShown() const { return shown_; }
    const std::vector<std::string>& Unexpected() const { return unexpected_; }
    // Answers queued but never used: the box a test waited for did not open.
    std::size_t PendingAnswers() const {
        return messageBoxes_.size() + openDialogs_.size() + popupMenus_.size();
    }
    void Reset();

  private:
    std::deque<MessageBoxAnswer> messageBoxes_;
    std::deque<OpenDialogAnswer> openDialogs_;
    std::deque<PopupMenuAnswer> popupMenus_;
    std::vector<MessageBoxCall> shown_;
    std::vector<std::string> unexpected_;
    std::optional<int> everyMessageBox_;
    std::vector<bool> endedBoxes_;
};

}  // namespace headless
