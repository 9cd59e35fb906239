#include "app/global_actions.h"

#include "app/message_box.h"
#include "app/quit_request.h"
#include "display/window.h"

void handleGlobalActions(const Input& input, Audio& audio, SettingsSaver& settings) {
    if (input.pressed(Action::Mute)) {
        audio.setMuted(!audio.muted());
        settings.change("sound", "mute", audio.muted());
    }
    if (input.pressed(Action::Fullscreen)) {
        const FullscreenSwitch result = toggleFullscreen();
        if (result == FullscreenSwitch::Switched) settings.change("display", "fullscreen", isFullscreen());
        // No window opens any more: the game ends as the close button ends it.
        if (result == FullscreenSwitch::Failed) {
            reportAndShow(windowProblem());
            requestQuit();
        }
    }
    // Saved at once, or, when another copy of the game holds the file's
    // lock, tried again on a later frame: never waited for.
    if (settings.waiting()) settings.flush();
}
