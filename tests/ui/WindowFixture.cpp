#include "WindowFixture.h"

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <QProcess>

#include "platform/Registry.h"
#include "support/PdfWriter.h"
#include "ui/StartValues.h"

void WindowTest::SetUp() {
    platform::SetRegistryPath(dir / "registry.ini");
    ui::ApplyStartValues(para);
    window = std::make_unique<MainWindow>(para);
    ui::UiPrompts& p = window->Prompts();
    p.message = [this](const QString& caption, const QString& text) { messages.emplace_back(caption, text); };
    p.question = [this](const QString& caption, const QString& text) {
        questionCaptions.push_back(caption);
        questions.push_back(text);
        return answer(text);
    };
    p.password = [this](const QString&) -> std::optional<QString> {
        if (passwordsToType.empty()) return std::nullopt;
        QString typed = QString::fromStdString(passwordsToType.front());
        passwordsToType.erase(passwordsToType.begin());
        return typed;
    };
    p.retryPassword = [this](const QString&) { return !passwordsToType.empty(); };
    p.chooseFiles = [] { return QStringList(); };
    p.chooseFolder = [](const QString&) { return QString(); };
    window->openUrl = [this](const QUrl& url) {
        opened.push_back(url);
        return opensUrls;
    };
    window->showResults = [this](const BatchSummary& s, const QStringList& left) {
        summary = s;
        notConverted = left;
    };
    window->show();
}

void WindowTest::TearDown() {
    window.reset();
    platform::SetRegistryPath({});
}

bool WindowTest::WaitForBatchEnd() {
    QTest::qWait(20);
    for (int i = 0; i < 6000 && window->BatchRunning(); ++i) QTest::qWait(10);
    QTest::qWait(50);  // the end reaches the window as a queued call
    return !window->BatchRunning();
}

std::string WindowTest::Pdf(const std::string& name, int pages) {
    testpdf::NumberedPages(pages).Save(dir / name);
    return dir / name;
}

std::string WindowTest::Encrypted(const std::string& name, const std::string& user, const std::string& owner) {
    std::string plain = Pdf("plain-" + name);
    EXPECT_TRUE(testpdf::Encrypt(plain, dir / name, user, owner));
    return dir / name;
}

void Screenshot(QWidget& widget, const QString& name) {
    const char* folder = std::getenv("VELLUMOR_SCREENSHOTS");
    if (!folder || !*folder) return;
    QDir().mkpath(folder);
    widget.grab().save(QString(folder) + "/" + name + ".png");
    // Under a real X server (xvfb-run with a window manager) the whole screen as
    // well, with the window manager's frames: ImageMagick's import.
    const char* root = std::getenv("VELLUMOR_SCREENSHOTS_ROOT");
    if (!root || !*root || QGuiApplication::platformName() != "xcb") return;
    QTest::qWait(300);  // the window manager maps and draws
    QProcess::execute("import", {"-window", "root", QString(folder) + "/" + name + "-screen.png"});
}
