// The widgetset seam: what a back end gives the framework to put controls on a screen (or nowhere), run the
// event loop, time things and ask the user. Framework objects hold all state; a peer shows it when told
// which aspect changed, and reports the user's actions to its framework object, never the other way.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "framework/widgetset/media_device.h"
#include "platform/api.h"

class TControl;
class TPopupMenu;
class TMenuItem;

namespace widgetset {

// What changed on a framework object, so that its peer can read the new state and show it.
enum class Aspect {
    Bounds,
    Visible,
    Enabled,
    Caption,  // a caption, or an edit's text
    Hint,
    Font,
    Checked,
    MaxLength,
    Date,
    Picture,
    ZOrder,       // brought to the front (a form being shown)
    WindowState,  // a form minimized or restored
};

class ControlPeer {
  public:
    virtual ~ControlPeer() = default;
    virtual void Changed(Aspect aspect) = 0;
    // The native window of the control, created on first use with the framework's window procedure.
    virtual HWND Handle() = 0;
    // A message that the control leaves to its window's default handling. A native control of a system
    // class passes it to that class's own procedure, without which it would stop working.
    virtual LRESULT DefaultHandling(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
};

// What the file to open is for, where a desktop lists or keeps that kind of file its own way.
enum class FileKind {
    Any,
    // A program to run. Windows finds programs by the filter's extension; a desktop whose programs have
    // none lists its own kind of programs instead, and appends no extension.
    Program,
    // A sound or a film to play, kept where the desktop keeps the user's music.
    Media,
};

struct OpenFileRequest {
    std::string title;   // empty: the system's default caption
    std::string filter;  // "Description|*.ext|Description|*.a;*.b"
    std::string defaultExt;
    // The file chosen before: the dialog starts in its folder (see framework/start_folder.h).
    std::string initialFile;
    FileKind kind = FileKind::Any;
};

// A ringing alarm told on the desktop beside the tray's flashing, for a user who does not look at the tray
// or whose desktop has none.
struct AlarmNotice {
    std::string title;  // the program's name
    std::string text;   // the alarm's message; empty when it has none
    // The tray icon of (window, id): a desktop that shows notices as an icon's balloon shows it there.
    HWND window = nullptr;
    UINT id = 0;
    // The user's answers, as buttons in the notice, in this order; each runs on the interface thread as a
    // click on the tray does. A desktop whose notices have no buttons offers none.
    struct Answer {
        std::string caption;
        std::function<void()> run;
    };
    std::vector<Answer> answers;
};

using TimerId = unsigned long;

// What the running instance answers a later start's request: the text that start prints and its exit status.
struct InstanceAnswer {
    int status = 0;
    std::string text;
};
// A later start's request to the running instance: empty for a plain start, else a command of its command
// line.
using InstanceRequests = std::function<InstanceAnswer(const std::string& request)>;

class Widgetset {
  public:
    virtual ~Widgetset() = default;

    virtual std::unique_ptr<ControlPeer> CreatePeer(TControl& control) = 0;
    // The hidden window that owns the application's message boxes.
    virtual HWND ApplicationHandle() = 0;

    // Runs the loop until done() holds; a modal wait is a nested call.
    virtual void RunLoop(const std::function<bool()>& done) = 0;
    // The application was told to end (ApplicationEnding holds from now on). A back end whose modal waits
    // do not look at that after each event (the system's own boxes and dialogs) ends them here.
    virtual void EndModalWaits() {}
    // The application and every component it owned are gone. A back end releases here what they handed
    // it to release later, while its libraries still stand (at the process's exit they may not).
    virtual void ApplicationDestroyed() {}
    virtual void ProcessMessages() = 0;

    // tick runs on the interface thread every interval milliseconds until the timer is stopped.
    virtual TimerId StartTimer(unsigned intervalMs, std::function<void()> tick) = 0;
    // As StartTimer, with the ticks on the local wall clock's marks, a few milliseconds after each
    // (framework/timer_marks.h): the first at the next mark. When the clock is set or the system resumes,
    // it ticks at once (within half a second), off the marks; the ticks after it are on them again.
    virtual TimerId StartWallClockTimer(unsigned intervalMs, std::function<void()> tick) = 0;
    // As StartTimer, for a timer that animates the interface (the tray's flashing): it ticks on while the
    // program waits with the interface kept alive (framework/interface_wait.h), when the other timers'
    // ticks are held. A back end without such waits starts it as any other.
    virtual TimerId StartAnimationTimer(unsigned intervalMs, std::function<void()> tick) {
        return StartTimer(intervalMs, std::move(tick));
    }
    virtual void StopTimer(TimerId timer) = 0;

    virtual std::unique_ptr<MediaDevice> CreateMediaDevice() = 0;

    // Makes this process the one running instance of the program called name. False when another runs
    // already; that one has then been told, and answers the plain start's empty request on its interface
    // thread. requests answers each later start's request there.
    virtual bool ClaimInstance(const std::string& name, InstanceRequests requests) = 0;
    // The running instance's answer to the request (not empty); nothing when none runs. Claims nothing.
    virtual std::optional<InstanceAnswer> AskInstance(const std::string& name, const std::string& request) = 0;
    // Whether the desktop has a notification area to show tray icons in now.
    virtual bool NotificationAreaAvailable() = 0;
    // Asks the system to wake the computer from sleep at that instant (universal time, to the second), in
    // place of the wake-up asked for before; nothing releases it. An instant, not a reading of the local
    // clock: in a repeated hour a reading names two instants. The same moment asked for again changes
    // nothing. Where the system cannot, the program runs on, and the back end says why once, on standard
    // error.
    virtual void HoldWakeUp(std::optional<std::chrono::sys_seconds> moment) = 0;
    // Sounds the program's own alarm tone (framework/wave_tone.h) over and over until told to stop, for an
    // alarm whose media cannot play. Without a sound output it stays silent, and the back end says why once,
    // on standard error.
    virtual void SoundAlarmTone(bool sounding) = 0;
    // The tone's loudness, now and later, as a fraction of its full amplitude, where the output allows it.
    virtual void SetAlarmToneVolume(double volume) = 0;

    // Shows the notice of a ringing alarm, in place of one shown before. It never waits for the desktop, so
    // the ringing is not held up; where the desktop has no notices nothing shows, and nothing is said.
    virtual void ShowAlarmNotice(const AlarmNotice& notice) = 0;
    // Takes the notice away, if one shows.
    virtual void CloseAlarmNotice() = 0;
    // How many message boxes (MessageBoxA's) are open now, one inside another.
    virtual std::size_t OpenMessageBoxes() = 0;
    // Ends unanswered the box open at that depth (1: the outermost) and every box opened inside it, as the
    // application's end would (MessageBoxAnswerAtEnd); each returns once its loop runs again.
    virtual void EndMessageBoxes(std::size_t depth) = 0;

    // Modal: the chosen file's full path, or nothing when the user cancelled.
    virtual std::optional<std::string> ExecuteOpenDialog(const OpenFileRequest& request) = 0;
    // Modal: shows the menu's entries (framework/menu_entries.h) at (x, y) and returns the item the user
    // chose, or null.
    virtual TMenuItem* PopupMenu(TPopupMenu& menu, int x, int y) = 0;
    // Where the notification area shows an icon's menu itself, wherever it chooses, the icon of (window, id)
    // takes its menu here (null: none). Before each showing aboutToShow runs and may change the items; a
    // chosen item is clicked. Elsewhere the icon's right click shows the menu at the cursor.
    virtual void SetTrayMenu(HWND /*window*/, UINT /*id*/, TPopupMenu* /*menu*/,
                             std::function<void()> /*aboutToShow*/) {}
};

}  // namespace widgetset

// The back end linked into the executable provides it.
widgetset::Widgetset& CurrentWidgetset();
