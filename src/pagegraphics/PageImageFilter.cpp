// The image filter: recorded pictures out of the page PostScript, one small
// page each, rendered by Ghostscript.
#include "pagegraphics/PageImageFilter.h"

#include <cerrno>
#include <cstring>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "pagegraphics/GhostscriptRender.h"
#include "pagegraphics/ImagePlacement.h"
#include "pagegraphics/PagePostScriptDevice.h"
#include "pagegraphics/PrologueTemplate.h"
#include "pagegraphics/PictureText.h"
#include "platform/Workspace.h"
#include "rtf/RecordedGraphics.h"

namespace fs = std::filesystem;

namespace pagegraphics {
namespace {

const char* kPageHeader =
    "\n%%EndSetup\n%%Page: 1 1\n%%BeginPageSetup\n%%PageOrientation: Portrait\npdfStartPage\n%%EndPageSetup\n"
    "[] 0 d\n0 i\n0 j\n0 J\n10 M\n1 w\n0 g\n0 G\nq";
const char* kPageTrailer =
    "\n%-EOD-\nQ\n[1 0 0 1 0 0] Tm\n0 0 Td\n300.75 466.5 Td\n0 g\n0 Tc\n-0.1875 Tw\n/F10_0 9.75 Tf\nshowpage\n"
    "%%PageTrailer\npdfEndPage\n%%Trailer\nend\n%%DocumentSuppliedResources:\n%%EOF";
const char* kImageTag = "%%ImageMatrixTag1\n";

// The number after `key` in a dictionary line ("  /Width 40"), if there is one.
bool NumberAfter(const std::string& line, const char* key, double& value) {
    size_t at = line.find(key);
    if (at == std::string::npos) return false;
    const char* start = line.c_str() + at + std::char_traits<char>::length(key);
    char* end = nullptr;
    double v = std::strtod(start, &end);
    if (end == start) return false;
    value = v;
    return true;
}

// The samples' size from the device's own image matrix ("/ImageMatrix [w 0 0 -h 0 h]").
bool ImageMatrixSize(const std::string& line, int& w, int& h) {
    size_t open = line.find('[');
    PictureMatrix im;
    if (open == std::string::npos || !ParseMatrix(line.substr(open), im)) return false;
    w = std::abs(static_cast<int>(im.a));
    h = std::abs(static_cast<int>(im.d));
    return w > 0 && h > 0;
}

std::string Format(const char* format, int a, int b) {
    char buf[128];
    std::snprintf(buf, sizeof buf, format, a, b);
    return buf;
}

}  // namespace

PageImageFilter::PageImageFilter(const std::string& psPath, int page, GraphicsList& graphics, PageGraphicsJob& job)
    : psPath_(psPath), page_(page), graphics_(graphics), job_(job) {}

void PageImageFilter::Fail(const std::string& problem) {
    failed_ = true;
    PictureTally& pictures = *job_.pictures;
    ++pictures.failed;
    if (pictures.firstProblem.empty()) pictures.firstProblem = problem;
}

bool PageImageFilter::PreparePage(int pictures) {
    const std::string where = "page " + std::to_string(page_) + ": ";
    auto failAll = [&](const std::string& problem) {
        for (int i = 0; i < pictures; ++i) Fail(where + problem);
        return false;
    };
    templatePath_ = PrologueTemplatePath();
    if (templatePath_.empty())
        return failAll(std::string("the picture page template ") + kPrologueName +
                       " is missing beside the program and in its data folder");
    if (!job_.removeImages && !GhostscriptAvailable())
        return failAll("Ghostscript (gs) was not found on the PATH; pictures cannot be rendered");
    if (psPath_.empty()) return failAll("no page PostScript was written");
    ps_.open(psPath_, std::ios::binary);
    if (!ps_) return failAll("the page PostScript cannot be read");

    // Scratch files always stay in the workspace; an image job's results go to
    // its page folder only once they are complete.
    std::string stem = psPath_.substr(0, psPath_.find_last_of('.'));
    workFolder_ = stem + "-" + std::to_string(page_);
    std::error_code ec;
    fs::create_directory(workFolder_, ec);
    if (ec) return failAll("cannot create the work folder " + workFolder_ + ": " + ec.message());
    if (job_.imageJob)
        resultFolder_ = job_.outputDir + "/" + job_.baseName + "-" + std::to_string(page_);
    return true;
}

int PageImageFilter::Run() {
    std::vector<Picture*> pictures;
    // Pictures taken from the PDF directly are made already.
    for (const auto& entry : graphics_)
        if (entry->Kind() == GraphicEntry::KindPicture && !static_cast<Picture*>(entry.get())->data)
            pictures.push_back(static_cast<Picture*>(entry.get()));
    if (pictures.empty()) return FilterDone;
    if (!PreparePage(static_cast<int>(pictures.size()))) return FilterFailed;

    bool skewed = false;
    for (Picture* entry : pictures) {
        if (job_.Cancelled()) break;
        const std::string which = "page " + std::to_string(page_) + ", picture " + std::to_string(entry->ImageNumber() + 1);
        if (!FindPicture(entry->ImageNumber())) {
            Fail(which + ": its drawing code is missing from the page PostScript");
            continue;
        }
        PictureMatrix matrix;
        if (!ParseMatrix(entry->matrixText, matrix)) {
            Fail(which + ": it has no transformation matrix");
            continue;
        }
        if (IsSkewed(matrix)) {
            skewed = true;
            ++job_.pictures->skewed;
            job_.observer->Log("Skipped a skewed picture on page " + std::to_string(page_) + ".");
            continue;
        }
        ++imageCount_;
        std::string imagePath;
        if (!CutOut(*entry, matrix, imageCount_, imagePath)) continue;
        // Pictures that are removed get their name only: there is no file to make text of.
        if (!job_.imageJob && !SetPictureFile(*entry, imagePath, job_.removeImages))
            Fail(which + ": its picture text cannot be written");
        entry->scaleA = static_cast<float>(matrix.a);
        entry->scaleB = static_cast<float>(matrix.b);
        entry->scaleC = static_cast<float>(matrix.c);
        entry->scaleD = static_cast<float>(matrix.d);
    }
    ps_.close();
    if (!job_.Cancelled()) SwapInPageFolder();
    if (failed_) return FilterFailed;
    return skewed ? FilterSkewed : FilterDone;
}

PageImageFilter::~PageImageFilter() { platform::RemoveWorkspace(pageAside_); }

void PageImageFilter::SwapInPageFolder() {
    // A page none of whose pictures could be written replaces nothing.
    if (!PageFolderFilled()) return;
    const fs::path fresh = fs::path(pageAside_) / "page";
    const fs::path earlier = fs::path(pageAside_) / "earlier";
    std::error_code ec;
    // A link planted at the folder's name is moved aside like an earlier folder, never followed.
    const bool occupied = fs::exists(fs::symlink_status(resultFolder_, ec));
    if (occupied) {
        fs::rename(resultFolder_, earlier, ec);
        if (ec) {
            Fail("page " + std::to_string(page_) + ": cannot replace " + resultFolder_ + ": " + ec.message());
            return;
        }
    }
    fs::rename(fresh, resultFolder_, ec);
    if (ec) {
        std::error_code back;
        if (occupied) fs::rename(earlier, resultFolder_, back);
        Fail("page " + std::to_string(page_) + ": cannot write " + resultFolder_ + ": " + ec.message());
        return;
    }
    job_.pictures->folders.push_back(resultFolder_);
    platform::RemoveWorkspace(pageAside_);
    pageAside_.clear();
}

bool PageImageFilter::PageFolderFilled() const {
    std::error_code ec;
    return !pageAside_.empty() && !fs::is_empty(fs::path(pageAside_) / "page", ec) && !ec;
}

bool PageImageFilter::FindPicture(int number) {
    const std::string marker = kPictureBegin + std::to_string(number);
    ps_.clear();
    std::streampos start = ps_.tellg();
    std::string line;
    while (std::getline(ps_, line))
        if (line == marker) return true;
    // Not there: the next picture is looked for from the same place.
    ps_.clear();
    ps_.seekg(start);
    return false;
}

bool PageImageFilter::WriteCutOutPage(Picture& entry, const PictureMatrix& matrix, const std::string& path,
                                      double& width, double& height) {
    if (!platform::CopyFileReplacing(templatePath_, path)) return false;
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add);
    std::ofstream out(path, std::ios::binary | std::ios::app);
    if (!out) return false;
    out << kPageHeader << "\n";
    if (!entry.stateText.empty()) out << entry.stateText;
    out << kImageTag;

    const std::string endMarker = kPictureEnd + std::to_string(entry.ImageNumber());
    const PictureMirror mirror = MirrorOf(matrix);
    bool haveWidth = false, haveHeight = false;
    std::string line;
    while (std::getline(ps_, line) && line != endMarker) {
        double v;
        if (!haveWidth && NumberAfter(line, "/Width", v)) {
            width = v;
            haveWidth = true;
        }
        if (!haveHeight && NumberAfter(line, "/Height", v)) {
            height = v;
            haveHeight = true;
        }
        // A mirrored picture is drawn mirrored back, so the file shows it as the page does.
        int w, h;
        if ((mirror.acrossX || mirror.acrossY) && line.find("/ImageMatrix") != std::string::npos &&
            ImageMatrixSize(line, w, h))
            line = MirroredImageMatrix(w, h, mirror);
        out << line << "\n";
    }
    if (!haveWidth) width = entry.pixelWidth;
    if (!haveHeight) height = entry.pixelHeight;
    out << kPageTrailer;
    out.close();
    return static_cast<bool>(out);
}

bool PageImageFilter::CutOut(Picture& entry, const PictureMatrix& matrix, int n, std::string& imagePath) {
    const std::string which = "page " + std::to_string(page_) + ", picture " + std::to_string(n);
    const std::string cutOut = workFolder_ + "/newfile" + std::to_string(n) + ".ps";
    const std::string finalPage = workFolder_ + "/finalfile" + std::to_string(n) + ".ps";
    std::error_code ec;
    auto cleanUp = [&]() {
        fs::remove(cutOut, ec);
        fs::remove(finalPage, ec);
    };

    double width = 0, height = 0;
    if (!WriteCutOutPage(entry, matrix, cutOut, width, height)) {
        cleanUp();
        Fail(which + ": its picture page cannot be written in the workspace");
        return false;
    }
    ImagePlacement placement = PlacePicture(matrix, width, height);
    {
        std::ifstream in(cutOut, std::ios::binary);
        std::ofstream out(finalPage, std::ios::binary | std::ios::trunc);
        std::string line;
        while (std::getline(in, line)) {
            if (line.find(kPageSizeTag) != std::string::npos) out << PaperSetupLine(placement);
            if (line.find("%%PageOrientation:") != std::string::npos) out << placement.orientationText;
            if (line.find("%%ImageMatrixTag1") != std::string::npos) out << placement.placementLine;
            out << line << "\n";
        }
        out.close();
        if (!out) {
            cleanUp();
            Fail(which + ": its picture page cannot be written in the workspace");
            return false;
        }
    }

    const std::string scratchImage = workFolder_ + "/imagefile" + std::to_string(n) + "." + job_.imageExtension;
    job_.observer->Log(Format("Processing #%d page...(Filtering image #%d)", page_, n));
    bool rendered = true;
    if (job_.removeImages) {
        imagePath = scratchImage;
    } else {
        std::string reason;
        rendered = Renderer().RenderImage(scratchImage, finalPage, reason, job_.cancel);
        if (!rendered) Fail(which + ": " + reason);
        else rendered = Deliver(scratchImage, n, imagePath);
    }
    cleanUp();
    if (!rendered) return false;
    if (!job_.removeImages) ++job_.pictures->rendered;

    entry.placement = placement.kind;
    if (matrix.a >= 0) {
        entry.posX = matrix.e - placement.p[4];
        entry.posY = matrix.f + placement.p[5];
    }
    return true;
}

GhostscriptRenderer& PageImageFilter::Renderer() {
    // A job's device never changes: the first picture's renderer serves them all.
    if (!job_.renderer || job_.renderer->Device() != job_.device)
        job_.renderer = std::make_unique<GhostscriptRenderer>(job_.device, job_.workDir);
    return *job_.renderer;
}

bool PageImageFilter::Deliver(const std::string& scratchImage, int n, std::string& finalPath) {
    if (resultFolder_.empty()) {
        finalPath = scratchImage;
        return true;
    }
    const std::string which = "page " + std::to_string(page_) + ", picture " + std::to_string(n);
    std::error_code ec;
    if (pageAside_.empty()) {
        pageAside_ = platform::CreateScratchFolder(job_.outputDir);
        if (pageAside_.empty() || !fs::create_directory(fs::path(pageAside_) / "page", ec)) {
            Fail(which + ": cannot create a folder in " + job_.outputDir + ": " +
                 (ec ? ec.message() : std::strerror(errno)));
            return false;
        }
    }
    const std::string aside = pageAside_ + "/page/" + fs::path(scratchImage).filename().string();
    finalPath = resultFolder_ + "/" + fs::path(scratchImage).filename().string();
    fs::rename(scratchImage, aside, ec);
    if (ec) {  // another file system: copy, then drop the scratch file
        ec.clear();
        fs::copy_file(scratchImage, aside, ec);
        if (ec) {
            // A full disk can surface as another error of the copy: the free space tells.
            std::error_code q;
            const bool full = fs::space(pageAside_, q).available < fs::file_size(scratchImage, q) + 4096;
            const std::string why = full ? "No space left on device" : ec.message();
            fs::remove(aside, ec);
            Fail(which + ": cannot write " + finalPath + ": " + why);
            return false;
        }
        fs::remove(scratchImage, ec);
    }
    return true;
}

}  // namespace pagegraphics
