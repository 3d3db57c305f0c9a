#include "platform/headless/modal_script.h"

#include "framework/application.h"
#include "framework/dialogs.h"
#include "platform/headless/desktop.h"

namespace headless {

namespace {

// Takes the first queued answer; the queue may grow while the answer runs (a nested box).
template <class Answer>
std::optional<Answer> TakeFirst(std::deque<Answer>& queue) {
    if (queue.empty()) return std::nullopt;
    Answer answer = std::move(queue.front());
    queue.pop_front();
    return answer;
}

}  // namespace

void ModalScript::AnswerMessageBox(int button) {
    OnMessageBox([button](const MessageBoxCall&) { return button; });
}

void ModalScript::AnswerMessageBoxAfter(std::chrono::milliseconds wait, int button) {
    OnMessageBox([wait, button](const MessageBoxCall&) {
        // The program's end, or the program itself, closes the box before the user answers.
        ModalScript& script = Desktop::Instance().Script();
        const std::size_t depth = script.OpenMessageBoxes();
        Desktop::Instance().Loop().RunUntil(
            [&script, depth] { return ApplicationEnding() || script.MessageBoxEnded(depth); }, wait);
        return button;
    });
}

int ModalScript::ShowMessageBox(const MessageBoxCall& call) {
    shown_.push_back(call);
    if (ApplicationEnding()) return MessageBoxAnswerAtEnd(call.type);
    auto answer = TakeFirst(messageBoxes_);
    if (!answer && everyMessageBox_) return *everyMessageBox_;
    if (!answer) {
        unexpected_.push_back("message box \"" + call.caption + "\": " + call.text);
        return 0;
    }
    endedBoxes_.push_back(false);
    int button = 0;
    try {
        button = (*answer)(call);
    } catch (...) {
        endedBoxes_.pop_back();
        throw;
    }
    const bool ended = endedBoxes_.back();
    endedBoxes_.pop_back();
    return ApplicationEnding() || ended ? MessageBoxAnswerAtEnd(call.type) : button;
}

void ModalScript::EndMessageBoxes(std::size_t depth) {
    for (std::size_t box = depth; box <= endedBoxes_.size(); ++box) endedBoxes_[box - 1] = true;
}

std::optional<std::string> ModalScript::ShowOpenDialog(const widgetset::OpenFileRequest& request) {
    auto answer = TakeFirst(openDialogs_);
    if (!answer) {
        unexpected_.push_back("open dialog \"" + request.title + "\"");
        return std::nullopt;
    }
    return (*answer)(request);
}

TMenuItem* ModalScript::ShowPopupMenu(const PopupMenuCall& call) {
    auto answer = TakeFirst(popupMenus_);
    if (!answer) {
        unexpected_.push_back("pop-up menu");
        return nullptr;
    }
    return (*answer)(call);
}

void ModalScript::Reset() {
    messageBoxes_.clear();
    openDialogs_.clear();
    popupMenus_.clear();
    shown_.clear();
    unexpected_.clear();
    everyMessageBox_.reset();
    endedBoxes_.clear();
}

}  // namespace headless
