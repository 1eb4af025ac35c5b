#pragma once
// The wizard frame: its steps one at a time beside a side picture, with
// "Cancel", "< Back", "Next >", "Last >>" and, on the last step only, "Finish".
#include <QWidget>
#include <vector>

#include "ui/WindowPage.h"

class QPushButton;
class QStackedWidget;

class Wizard : public QWidget {
    Q_OBJECT
public:
    explicit Wizard(QWidget* parent = nullptr);

    // Opens the wizard on its first step.
    virtual void Open();
    // Shows step k (counted from 1), storing the step that is left.
    void ShowStep(int k);
    int CurrentStep() const { return current_; }
    int LastStep() const { return static_cast<int>(steps_.size()); }
    WindowPage* Step(int k) const { return steps_.at(static_cast<size_t>(k - 1)); }

    void Next();
    void Back();
    void Last();
    void Cancel();
    void Finish();

signals:
    void started();    // "Finish"
    void cancelled();  // "Cancel", or "< Back" on the first step

protected:
    void AddStep(WindowPage* step);

private:
    // Leaves the current step forward: false when its fields do not allow it.
    bool LeaveForward();

    std::vector<WindowPage*> steps_;
    int current_ = 0;  // 0 while closed
    QWidget* picture_;
    QStackedWidget* stack_;
    QPushButton* cancel_;
    QPushButton* back_;
    QPushButton* next_;
    QPushButton* last_;
    QPushButton* finish_;
};
