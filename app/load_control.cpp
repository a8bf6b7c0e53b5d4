#include "app/load_control.h"

// Filled in with the load worker.
void OnLoadClicked() {}
void OnPauseClicked() {}
void OnTimerTick() {}
