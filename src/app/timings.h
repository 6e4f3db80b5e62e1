#pragma once

// The intervals of the main window's timers, in milliseconds. The program runs with these values;
// tests shorten them so that they wait for the timers' effects, not for the wall clock.
struct Timings {
    int autoHideFirstMs = 5000; // the first auto-hide poll after start
    int autoHidePollMs = 1500;  // every later poll
    int autoHideSwitchMs = 750; // the first poll after auto-hide is switched on
    int deferredStartMs = 750;  // the deferred start step, once
    int harvestTickMs = 1000;   // the harvest timer
};
