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
        // The program's end closes the box before the user answers.
        Desktop::Instance().Loop().RunUntil(ApplicationEnding, wait);
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
    const int button = (*answer)(call);
    return ApplicationEnding() ? MessageBoxAnswerAtEnd(call.type) : button;
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
}

}  // namespace headless
