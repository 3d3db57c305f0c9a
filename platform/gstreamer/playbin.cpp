#include "platform/gstreamer/playbin.h"

#include <chrono>
#include <cstdlib>
#include <string>

#include "framework/widgetset/interface_wait.h"
#include "platform/gstreamer/gstreamer_failure.h"

namespace gstreamer {

namespace {

// The program waits this long, at most, for a file to become ready. A local file is ready within a tenth
// of a second, one of 300 MiB too; some that GStreamer reads through first (a wave file of 3 GiB) are not
// in any time a user would wait for.
constexpr std::chrono::seconds kPrerollTimeout{3};

std::string AudioSinkDescription() {
    const char* description = std::getenv("ALARMCLOCK_AUDIO_SINK");
    return description != nullptr ? description : "";
}

// A floating element: playbin sinks the reference when it is given to it.
GstElement* MakeAudioSink(const std::string& description) {
    GError* error = nullptr;
    GstElement* sink = Started().parse_bin_from_description(description.c_str(), TRUE, &error);
    ErrorPtr owned(error);
    if (sink == nullptr) {
        throw Failure("the audio output \"" + description +
                      "\" is not valid: " + (owned ? owned->message : "unknown error"));
    }
    return sink;
}

std::string FileUri(const std::string& fileName) {
    GError* error = nullptr;
    StringPtr uri(Started().filename_to_uri(fileName.c_str(), &error));
    ErrorPtr owned(error);
    if (!uri) throw Failure(owned ? owned->message : "the name is not a valid file name");
    return uri.get();
}

}  // namespace

Playbin::Playbin(const std::string& fileName) {
    const std::string uri = FileUri(fileName);
    GstElement* playbin = gst_.element_factory_make("playbin", nullptr);
    if (playbin == nullptr) throw Failure("the playbin element is missing (gstreamer1.0-plugins-base)");
    pipeline_.reset(static_cast<GstElement*>(gst_.object_ref_sink(playbin)));
    gst_.object_set(pipeline_.get(), "uri", uri.c_str(), nullptr);

    const std::string audioSink = AudioSinkDescription();
    if (audioSink.empty()) return;
    gst_.object_set(pipeline_.get(), "audio-sink", MakeAudioSink(audioSink), nullptr);
    // Whoever redirects the sound runs without a screen; a video track must not open a window.
    GstElement* videoSink = gst_.element_factory_make("fakesink", nullptr);
    if (videoSink == nullptr) throw Failure("the fakesink element is missing");
    gst_.object_set(pipeline_.get(), "video-sink", videoSink, nullptr);
}

Playbin::~Playbin() {
    if (pipeline_) gst_.element_set_state(pipeline_.get(), GST_STATE_NULL);
}

void Playbin::Preroll() {
    if (gst_.element_set_state(pipeline_.get(), GST_STATE_PAUSED) == GST_STATE_CHANGE_FAILURE) {
        throw Failure(TakeErrorText());
    }
    // Looked at without waiting, while the interface stays alive between the looks.
    GstStateChangeReturn state = GST_STATE_CHANGE_ASYNC;
    widgetset::WaitKeepingInterfaceAlive(kPrerollTimeout, [&] {
        state = gst_.element_get_state(pipeline_.get(), nullptr, nullptr, 0);
        return state != GST_STATE_CHANGE_ASYNC;
    });
    switch (state) {
        case GST_STATE_CHANGE_SUCCESS:
        case GST_STATE_CHANGE_NO_PREROLL:
            return;
        case GST_STATE_CHANGE_ASYNC:
            throw Failure("the file did not become ready to play within " +
                          std::to_string(kPrerollTimeout.count()) + " seconds");
        case GST_STATE_CHANGE_FAILURE:
            break;
    }
    throw Failure(TakeErrorText());
}

void Playbin::Start() {
    // Rewound only now, not at the end: a flushing seek restarts the outputs, which should see the end of
    // a playback as it happened.
    if (atEnd_ &&
        !gst_.element_seek_simple(pipeline_.get(), GST_FORMAT_TIME,
                                  static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_KEY_UNIT), 0)) {
        throw Failure("the file cannot be played again from its start");
    }
    atEnd_ = false;
    if (gst_.element_set_state(pipeline_.get(), GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
        throw Failure(TakeErrorText());
    }
}

void Playbin::SetVolume(double volume) { gst_.object_set(pipeline_.get(), "volume", volume, nullptr); }

Playbin::Outcome Playbin::TakeOutcome() {
    ObjectPtr<GstBus> bus(gst_.element_get_bus(pipeline_.get()));
    MessagePtr message(
        gst_.bus_pop_filtered(bus.get(), static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR)));
    if (!message) return Outcome::Playing;
    if (GST_MESSAGE_TYPE(message.get()) == GST_MESSAGE_ERROR) {
        gst_.element_set_state(pipeline_.get(), GST_STATE_READY);
        return Outcome::Failed;
    }
    atEnd_ = true;
    return Outcome::Ended;
}

std::string Playbin::TakeErrorText() {
    ObjectPtr<GstBus> bus(gst_.element_get_bus(pipeline_.get()));
    MessagePtr message(gst_.bus_pop_filtered(bus.get(), GST_MESSAGE_ERROR));
    if (!message) return "GStreamer refused without giving a reason";
    GError* error = nullptr;
    gst_.message_parse_error(message.get(), &error, nullptr);
    ErrorPtr owned(error);
    return owned ? owned->message : "GStreamer reported an error without a message";
}

}  // namespace gstreamer
