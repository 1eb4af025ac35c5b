#include "convert/WorkerGate.h"

void WorkerGate::Close() {
    std::lock_guard lock(mutex_);
    open_ = false;
}

void WorkerGate::Open() {
    {
        std::lock_guard lock(mutex_);
        open_ = true;
    }
    opened_.notify_all();
}

void WorkerGate::Pass() {
    std::unique_lock lock(mutex_);
    opened_.wait(lock, [this] { return open_; });
}
