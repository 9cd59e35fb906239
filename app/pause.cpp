#include "app/pause.h"

bool Pause::frame(const Input& input, bool focusLost, Render& render, short background) {
    const bool toggle = input.pressed(Action::Pause);
    const bool pauses = !paused && (toggle || focusLost);
    const bool resumes = paused && toggle;
    BITMAP* picture = render.imagem(SLOT);
    if (pauses) {
        paused = true;
        if (picture) render.desenhaImagemTrans(SLOT, pictureX(picture), pictureY(picture));
    } else if (resumes) {
        paused = false;
        // The objects come back with this frame's drawing; the picture goes
        // now, with the background it covered.
        if (picture) render.limpaPersonagem(background, pictureX(picture), pictureY(picture), picture->w, picture->h);
    }
    return paused;
}
