#include "support/ScannedPages.h"

#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <sstream>

#include "support/ImageXObjects.h"
#include "support/PdfWriter.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace testpdf {

GreyPage Rasterised(const std::string& pdf, const std::string& scratchStem, int dpi, int page) {
    const std::string number = std::to_string(page);
    RunProgram({"pdftoppm", "-r", std::to_string(dpi), "-gray", "-f", number, "-l", number, "-singlefile", pdf,
                scratchStem});
    std::istringstream in(ReadFile(scratchStem + ".pgm"));
    std::string magic;
    int maxValue = 0;
    GreyPage grey;
    in >> magic >> grey.width >> grey.height >> maxValue;
    in.get();
    grey.pixels.assign(std::istreambuf_iterator<char>(in), {});
    return grey;
}

GreyPage Scanned(const GreyPage& page, double degrees, bool dust) {
    GreyPage out = page;
    const double a = degrees * M_PI / 180, c = std::cos(a), s = std::sin(a);
    const double mx = page.width / 2.0, my = page.height / 2.0;
    uint32_t seed = 12345;
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < page.width; ++x) {
            const int sx = static_cast<int>(std::lround(c * (x - mx) + s * (y - my) + mx));
            const int sy = static_cast<int>(std::lround(-s * (x - mx) + c * (y - my) + my));
            char v = sx >= 0 && sy >= 0 && sx < page.width && sy < page.height
                         ? page.pixels[static_cast<size_t>(sy) * page.width + sx]
                         : '\xff';
            seed = seed * 1664525u + 1013904223u;
            if (dust && (seed >> 16) % 2000 == 0) v = '\0';
            out.pixels[static_cast<size_t>(y) * page.width + x] = v;
        }
    return out;
}

void SavePgm(const GreyPage& page, const std::string& path) {
    std::ofstream out(path, std::ios::binary);
    out << "P5\n" << page.width << " " << page.height << "\n255\n" << page.pixels;
}

void SaveScan(const std::vector<GreyPage>& pages, int dpi, const std::string& path) {
    PdfWriter pdf;
    for (const GreyPage& g : pages) {
        const int image = AddImageObject(pdf, g.width, g.height,
                                         "/ColorSpace /DeviceGray /BitsPerComponent 8 /Filter /FlateDecode",
                                         FlateCompressed(g.pixels));
        const double w = g.width * 72.0 / dpi, h = g.height * 72.0 / dpi;
        Page& page = pdf.AddPage(DrawImage("Scan", w, 0, 0, h, 0, 0), w, h);
        page.extraResources = XObjectResources({{"Scan", image}});
    }
    pdf.Save(path);
}

}  // namespace testpdf
