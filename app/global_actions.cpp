#include "app/global_actions.h"

#include "app/quit_request.h"
#include "display/window.h"
#include "settings/settings.h"

void handleGlobalActions(const Input& input, Audio& audio, const std::string& settingsPath) {
    if (input.pressed(Action::Mute)) {
        audio.setMuted(!audio.muted());
        // The whole file as it stands, with only the mute changed.
        Settings s = loadSettings(settingsPath);
        s.mute = audio.muted();
        saveSettings(s, settingsPath);
    }
    if (input.pressed(Action::Fullscreen)) {
        const FullscreenSwitch result = toggleFullscreen();
        if (result == FullscreenSwitch::Switched) saveFullscreenChoice(isFullscreen(), settingsPath);
        // No window opens any more: the game ends as the close button ends it.
        if (result == FullscreenSwitch::Failed) requestQuit();
    }
}
