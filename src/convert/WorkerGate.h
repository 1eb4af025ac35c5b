#pragma once
// Where the batch worker may be held: it passes the gate at page boundaries,
// before each file and before each question. The worker is never suspended at
// an arbitrary point, where it could hold a lock of the allocator, FreeType or
// the PDF core and hang the program.
#include <condition_variable>
#include <mutex>

class WorkerGate {
public:
    // Called by the user-interface thread; never waits for the worker.
    void Close();
    void Open();
    // Called by the worker; waits while the gate is closed.
    void Pass();

private:
    mutable std::mutex mutex_;
    std::condition_variable opened_;
    bool open_ = true;
};
