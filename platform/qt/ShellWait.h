// What windows and drop areas need of the shell runner's wait: whether a command is running, and where
// input that may not reach the program meanwhile is kept until the run is over.
#pragma once

#include <cstdint>

#include "platform/Controls.h"
#include "platform/DragDrop.h"
#include "platform/Window.h"

namespace platform::qt::shellwait {

// Installs the wait as the shell runner's wait hook.
void Install();
// A command is running (between the hook's begin and end).
bool Running();
// Keeps a drop that arrived during a run; it is delivered (DropObject, then DragExit) after the run.
void QueueDrop(const Ref<RectControl>& control, const Ref<DragItem>& item, std::int32_t action);
// True when drops wait for delivery: a new drop then queues behind them to keep their order.
bool DropsPending();
// A close request during a run: the run is asked to stop and the close is delivered after it.
void QueueClose(const Ref<Window>& window);
// Arranges for the queued closes and drops to be delivered from the event loop.
void ScheduleFlush();

}  // namespace platform::qt::shellwait
