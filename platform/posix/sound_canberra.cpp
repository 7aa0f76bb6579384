// Linux stand-in for PlaySound: libcanberra plays the file when it exists, else the
// freedesktop event sound "dialog-warning". The playing happens on a thread of its own, so
// the interface never waits; a machine without a sound server simply plays nothing.
#include "platform/sound.h"

#include <canberra.h>

#include <filesystem>
#include <future>
#include <thread>

namespace platform {
namespace {

void finished(ca_context*, std::uint32_t, int error, void* userdata) {
    static_cast<std::promise<int>*>(userdata)->set_value(error);
}

// Plays once and waits until the sound has ended; returns libcanberra's result.
int playOnce(ca_context* context, const std::string& file) {
    ca_proplist* props = nullptr;
    if (ca_proplist_create(&props) != CA_SUCCESS) return CA_ERROR_OOM;
    std::error_code ec;
    if (!file.empty() && std::filesystem::is_regular_file(file, ec))
        ca_proplist_sets(props, CA_PROP_MEDIA_FILENAME, file.c_str());
    else
        ca_proplist_sets(props, CA_PROP_EVENT_ID, "dialog-warning");
    ca_proplist_sets(props, CA_PROP_MEDIA_ROLE, "event");
    std::promise<int> done;
    auto result = done.get_future();
    int rc = ca_context_play_full(context, 1, props, finished, &done);
    ca_proplist_destroy(props);
    if (rc == CA_SUCCESS) rc = result.get();
    return rc;
}

void playInBackground(std::string file, bool loop) {
    ca_context* context = nullptr;
    if (ca_context_create(&context) != CA_SUCCESS) return;
    if (ca_context_open(context) == CA_SUCCESS) {
        while (playOnce(context, file) == CA_SUCCESS && loop) {
        }
    }
    ca_context_destroy(context);
}

} // namespace

bool playSoundAsync(const std::string& file, bool loop) {
    try {
        std::thread(playInBackground, file, loop).detach();
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

} // namespace platform
