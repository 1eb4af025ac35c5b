// A batch run by several processes at once: each file is converted by a child
// run of the command-line program (the PDF core keeps its state per process),
// which reports in lines on its standard output. Progress is combined; the
// status lines are passed on as they come, each with the file it belongs to.
#include <poll.h>
#include <signal.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "convert/CConvertWorker.h"
#include "convert/ChildReport.h"
#include "convert/ConversionJob.h"
#include "convert/ImageDevices.h"
#include "platform/ChildProcess.h"

namespace {

const char* LayoutOption(int mode) {
    switch (mode) {
    case ModeAsIs:
        return "asis";
    case ModeFormattedText:
        return "formatted";
    case ModeTextOnly:
        return "text";
    default:
        return "flowing";
    }
}

const char* OcrOption(int mode) {
    static const char* const names[] = {"auto", "always", "never"};  // in the order of OcrMode's values
    return mode >= OcrAuto && mode <= OcrNever ? names[mode] : "auto";
}

struct RunningFile {
    BatchFile file;
    platform::ChildProcess process;
    int percent = 0;
    bool reported = false;  // the child said how the file ended
    bool noted = false;     // it said something of a file that ended well without a result
};

}  // namespace

std::vector<std::string> ChildArguments(const MyConvertPara& para, const std::string& program, const std::string& file) {
    std::vector<std::string> argv = {program, kChildOption, "-o", para.outputDir};
    if (para.jobMode == ModeExtractImages) {
        const ImageDevice* device = FindImageDevice(para.imageDevice);
        argv.insert(argv.end(), {"--extract-images", device ? device->format : "JPG"});
    } else {
        argv.insert(argv.end(), {"-m", LayoutOption(para.jobMode), "-f", para.ResultFormat()});
        if (para.removeImages) argv.push_back("--remove-images");
        if (para.keepLines) argv.push_back("--keep-lines");
        if (!para.xmlCopyDir.empty()) argv.push_back("--keep-xml");
        argv.insert(argv.end(), {"--ocr", OcrOption(para.ocrMode)});
        if (!para.ocrLanguages.empty()) argv.insert(argv.end(), {"--ocr-lang", para.ocrLanguages});
    }
    if (!para.pages.All()) argv.insert(argv.end(), {"-p", para.pages.Text()});
    argv.push_back(file);
    return argv;
}

void CConvertWorker::RunParallel(const std::vector<BatchFile>& files, BatchSummary& summary) {
    std::vector<std::unique_ptr<RunningFile>> running;
    std::vector<std::string> resultsSeen;
    size_t next = 0;
    int ended = 0;
    bool signalled = false;
    auto combinedProgress = [&] {
        int sum = ended * 100;
        for (const auto& r : running) sum += r->percent;
        para_.Progress(summary.total ? sum / summary.total : 100);
    };

    while (next < files.size() || !running.empty()) {
        while (!para_.cancelRequested && running.size() < static_cast<size_t>(jobs_) && next < files.size()) {
            gate_.Pass();
            if (para_.cancelRequested) break;
            const BatchFile& file = files[next++];
            std::string result;
            if (!ClaimResult(file, summary, resultsSeen, result)) {
                ++ended;
                continue;
            }
            auto r = std::make_unique<RunningFile>();
            r->file = file;
            if (!r->process.Start(ChildArguments(para_, childProgram_, file.path),
                                  {std::string(kChildPasswordVariable) + "=" + file.password})) {
                Fail(summary, file.path, "cannot start " + childProgram_);
                ++ended;
                continue;
            }
            // The file has its row from its start, not from the child's first report.
            host_.FileBegins(file.path);
            running.push_back(std::move(r));
        }
        if (para_.cancelRequested && !signalled) {
            // Each child stops at its next page boundary, as a single job does.
            for (auto& r : running) r->process.Signal(SIGINT);
            signalled = true;
        }
        if (running.empty()) break;

        std::vector<pollfd> fds;
        for (auto& r : running) fds.push_back({r->process.OutputFd(), POLLIN, 0});
        poll(fds.data(), fds.size(), 100);
        for (size_t i = running.size(); i-- > 0;) {
            RunningFile& r = *running[i];
            std::vector<std::string> lines;
            bool open = r.process.ReadLines(lines);
            for (const std::string& line : lines) {
                ChildReport report = ParseChildReport(line);
                switch (report.kind) {
                case ChildReport::Progress:
                    r.percent = std::clamp(std::atoi(report.first.c_str()), 0, 100);
                    break;
                case ChildReport::Log:
                    para_.FileLog(r.file.path, report.first);
                    break;
                case ChildReport::Saving:
                    para_.FileSaving(report.first);
                    break;
                case ChildReport::Started:
                    para_.FileStarted(report.first, report.second);
                    break;
                case ChildReport::Converted:
                    Converted(summary, report.first, report.second, !r.reported);
                    r.reported = true;
                    break;
                case ChildReport::Note:
                    r.noted = true;
                    Note(summary, report.first, report.second);
                    break;
                case ChildReport::Failed:
                    r.reported = true;
                    Fail(summary, report.first, report.second);
                    break;
                case ChildReport::None:
                    break;
                }
            }
            if (open) continue;
            int status = r.process.Wait();
            if (!r.reported && r.noted && status == 0)
                ConvertedWithoutResult(summary, r.file.path);
            else if (!r.reported && status != 130 && !para_.cancelRequested)
                Fail(summary, r.file.path, "the conversion process ended unexpectedly (status " + std::to_string(status) + ")");
            running.erase(running.begin() + static_cast<long>(i));
            ++ended;
        }
        combinedProgress();
    }
}
