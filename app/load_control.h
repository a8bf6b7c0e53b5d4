#pragma once
// Handlers of the load button, the pause button and the timer.

void OnLoadClicked();
void OnPauseClicked();
void OnTimerTick();
