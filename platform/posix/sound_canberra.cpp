// Linux stand-in for PlaySound: libcanberra plays the file when it exists, else the
// freedesktop event sound "dialog-warning". The player's one thread waits for the sound, so
// the interface never does; a machine without a sound server simply plays nothing.
#include "platform/sound.h"

#include <alsa/asoundlib.h>
#include <canberra.h>

#include <atomic>
#include <filesystem>
#include <future>
#include <mutex>
#include <thread>

namespace platform {
namespace {

constexpr std::uint32_t soundId = 1;

void finished(ca_context*, std::uint32_t, int error, void* userdata) {
    static_cast<std::promise<int>*>(userdata)->set_value(error);
}

ca_proplist* soundProperties(const std::string& file) {
    ca_proplist* props = nullptr;
    if (ca_proplist_create(&props) != CA_SUCCESS) return nullptr;
    std::error_code ec;
    if (!file.empty() && std::filesystem::is_regular_file(file, ec))
        ca_proplist_sets(props, CA_PROP_MEDIA_FILENAME, file.c_str());
    else
        ca_proplist_sets(props, CA_PROP_EVENT_ID, "dialog-warning");
    ca_proplist_sets(props, CA_PROP_MEDIA_ROLE, "event");
    return props;
}

// ALSA, which libcanberra plays through, writes each of its errors on the terminal: nine
// lines for every sound on a machine without a sound card. A sound that cannot be played is
// not heard, and nothing is said.
void quiet(const char*, int, const char*, int, const char*, ...) {}

} // namespace

struct SoundPlayer::Impl {
    std::thread worker;
    std::mutex lock; // guards `context` against the stop request
    ca_context* context = nullptr;
    std::atomic<bool> stopping{false};

    void run(const std::string& file, bool loop) {
        ca_context* c = nullptr;
        if (ca_context_create(&c) != CA_SUCCESS) return;
        {
            const std::lock_guard<std::mutex> guard(lock);
            context = c;
        }
        if (ca_context_open(c) == CA_SUCCESS) {
            ca_proplist* props = soundProperties(file);
            while (props && !stopping) {
                std::promise<int> done;
                auto result = done.get_future();
                if (ca_context_play_full(c, soundId, props, finished, &done) != CA_SUCCESS) break;
                if (stopping) // asked to stop while the sound was being started
                    ca_context_cancel(c, soundId);
                if (result.get() != CA_SUCCESS || !loop) break;
            }
            if (props) ca_proplist_destroy(props);
        }
        {
            const std::lock_guard<std::mutex> guard(lock);
            context = nullptr;
        }
        ca_context_destroy(c);
    }

    void stop() {
        if (!worker.joinable()) return;
        stopping = true;
        {
            const std::lock_guard<std::mutex> guard(lock);
            if (context) ca_context_cancel(context, soundId);
        }
        worker.join();
        stopping = false;
    }
};

SoundPlayer::SoundPlayer() : impl_(std::make_unique<Impl>()) {
    snd_lib_error_set_handler(quiet);
}

SoundPlayer::~SoundPlayer() {
    impl_->stop();
}

bool SoundPlayer::play(const std::string& file, bool loop) {
    impl_->stop();
    try {
        impl_->worker = std::thread([this, file, loop] { impl_->run(file, loop); });
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

} // namespace platform
