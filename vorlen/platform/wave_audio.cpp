#include "wave_audio.h"

#include <canberra.h>

namespace vorlen::platform {
namespace {

constexpr uint32_t soundId = 1;

bool Failed(int code, std::string* error) {
    if (code == CA_SUCCESS)
        return false;
    if (error)
        *error = ca_strerror(code);
    return true;
}

}  // namespace

WaveAudio::~WaveAudio() {
    Close();
}

bool WaveAudio::Play(const std::string& fileName, std::string* error) {
    Close();
    if (Failed(ca_context_create(&context_), error))
        return false;
    // Not kept in the sound server's cache (libcanberra's default): each
    // alarm may name another file, and an edited file must sound as it is.
    if (Failed(ca_context_change_props(context_, CA_PROP_APPLICATION_NAME, "Tolvane Vorlen", nullptr),
               error) ||
        Failed(ca_context_open(context_), error) ||
        Failed(
            ca_context_play(context_, soundId, CA_PROP_MEDIA_FILENAME, fileName.c_str(), CA_PROP_MEDIA_ROLE,
                            "event", CA_PROP_EVENT_DESCRIPTION, "Appointment Alarm", nullptr),
            error)) {
        Close();
        return false;
    }
    return true;
}

void WaveAudio::Close() {
    if (!context_)
        return;
    ca_context_cancel(context_, soundId);
    ca_context_destroy(context_);
    context_ = nullptr;
}

}  // namespace vorlen::platform
