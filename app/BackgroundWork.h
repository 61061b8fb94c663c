#pragma once

#include <functional>

namespace kr6 {

// Runs Work on a thread of its own while the calling thread keeps processing its events,
// so that the window paints and moves meanwhile, and returns when Work has returned. An
// exception of Work is thrown again here. Should the event loop be told to quit meanwhile,
// this still waits for Work, as Work may use what the caller owns.
void RunInBackground(const std::function<void()>& Work);

} // namespace kr6
