#pragma once
// The base of every page of the window (main panel, settings, wizard steps,
// progress): the light page background, a rounded title band and a bold title.
// A wizard step loads its choice from the record when it is shown and stores it
// when it is left.
#include <QWidget>

class QLabel;
class QVBoxLayout;

class WindowPage : public QWidget {
    Q_OBJECT
public:
    WindowPage(const QString& title, QWidget* parent = nullptr);

    // Wizard steps: shown, left, and whether the step's fields allow going on.
    virtual void Load() {}
    virtual void Store() {}
    virtual bool CanGoOn() { return true; }

    QString Title() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    QVBoxLayout* Body() const { return body_; }

private:
    QLabel* title_;
    QVBoxLayout* body_;
};
