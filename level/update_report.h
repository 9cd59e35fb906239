// What happened in one update, recorded by the simulation for whoever reacts
// to it (sounds, pop-ups). The simulation only fills it in; it never plays,
// draws or knows who reads it.
#pragma once

// The enemies in the order they come onto the field.
enum Enemy { ENEMY_COCO, ENEMY_ESPOSA, ENEMY_LADRAO, ENEMY_GANGSTER, ENEMY_COUNT };

struct UpdateReport {
    bool itemCollected = false;
    bool itemStolen = false;            // the Ladrao reached the item
    bool entered[ENEMY_COUNT] = {};     // came onto the field in this update
    bool hitBy[ENEMY_COUNT] = {};       // touched the player
    short wallBumps = 0;
    bool speedUp = false;
    bool countdownTick = false;         // the remaining clock passed a second in its last ten
    bool timeUp = false;
    short secondsChange = 0;            // the remaining clock's bonuses less its penalties
};
