#pragma once
// Delay: a re-entrant wait that keeps processing events until the time has passed.
namespace lark::platform {

// Processes pending events at least once, then keeps processing them until ms milliseconds
// have passed. Handlers, timers and process-end events run inside the wait.
void Delay(int ms);

// Processes events until done() is true; checks every stepMs milliseconds.
template <typename Pred>
void waitUntil(Pred done, int stepMs = 10)
{
    while (!done())
        Delay(stepMs);
}

} // namespace lark::platform
