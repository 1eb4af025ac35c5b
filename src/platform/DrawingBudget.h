#pragma once
// How much drawing one page may cost a pass: the PDF core asks between its
// operations whether to go on. A page of endlessly nested forms (each drawing the
// next twice) must neither hold the job for ever nor hide a cancel.
#include <atomic>
#include <chrono>
#include <cstdint>

namespace platform {

class DrawingBudget {
public:
    // The PDF core asks about every ten operations, across all forms of the page:
    // a million questions are some ten million operations, several times the
    // busiest real page (a detailed map), and some ten seconds of drawing.
    static constexpr long long kQuestions = 1'000'000;
    static constexpr std::chrono::seconds kTime{60};

    explicit DrawingBudget(const std::atomic<int32_t>* cancel, long long questions = kQuestions,
                           std::chrono::seconds time = kTime)
        : cancel_(cancel), questionsLeft_(questions), deadline_(std::chrono::steady_clock::now() + time) {}

    // The abort callback of the PDF core's page display, with a DrawingBudget as its data.
    static bool Spent(void* budget) { return static_cast<DrawingBudget*>(budget)->Ask(); }

    // The page was cut short by the budget itself (a cancel is no fault of the page).
    bool Exceeded() const { return exceeded_; }

private:
    bool Ask() {
        if (cancel_ && *cancel_) return true;
        if (exceeded_) return true;
        // The clock is read now and then only: asking it costs more than an operation.
        if (--questionsLeft_ < 0 || ((questionsLeft_ & 1023) == 0 && std::chrono::steady_clock::now() > deadline_))
            exceeded_ = true;
        return exceeded_;
    }

    const std::atomic<int32_t>* cancel_;
    long long questionsLeft_;
    std::chrono::steady_clock::time_point deadline_;
    bool exceeded_ = false;
};

}  // namespace platform
