#include "app/start_allegro.h"

#include <allegro.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace {

const int ATTEMPTS = 10;
const std::chrono::milliseconds PAUSE(200);  // ten attempts in about two seconds

}  // namespace

bool startAllegro() {
    const char* display = std::getenv("DISPLAY");
    const int attempts = display && *display ? ATTEMPTS : 1;
    for (int attempt = 1;; ++attempt) {
        if (allegro_init() == 0) return true;
        if (attempt == attempts) return false;
        std::this_thread::sleep_for(PAUSE);
    }
}
