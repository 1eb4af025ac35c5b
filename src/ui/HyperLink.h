#pragma once
// A text that opens its link through the window's URL handling (the desktop's,
// never a shell).
#include <QLabel>
#include <QUrl>
#include <functional>

class HyperLink : public QLabel {
    Q_OBJECT
public:
    HyperLink(const QString& text, const QUrl& url, std::function<void(const QUrl&)> open, QWidget* parent = nullptr);
    void Open();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QUrl url_;
    std::function<void(const QUrl&)> open_;
};
