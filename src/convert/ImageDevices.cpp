#include "convert/ImageDevices.h"

#include <strings.h>

namespace {
const ImageDevice kDevices[] = {
    {"Same as in the document", "jpeg", "jpeg"},
    {"BMP", "bmp16m", "bmp"},
    {"JPG", "jpeg", "jpeg"},
    {"PNG", "png16m", "png"},
    {"TIFF", "tiff24nc", "tiff"},
    {"PCX", "pcx24b", "pcx"},
    {"PBM", "pbm", "pbm"},
    {"PNM", "pnm", "pnm"},
    {"PPM", "ppm", "ppm"},
};
}

const ImageDevice* FindImageFormat(const std::string& format) {
    if (strcasecmp(format.c_str(), "same") == 0) return &kDevices[0];
    for (const auto& d : kDevices)
        if (strcasecmp(format.c_str(), d.format) == 0) return &d;
    return nullptr;
}

const ImageDevice* FindImageDevice(const std::string& device) {
    for (const auto& d : kDevices)
        if (device == d.device) return &d;
    return nullptr;
}

std::string ExtensionOfDevice(const std::string& device) {
    const ImageDevice* d = FindImageDevice(device);
    return d ? d->extension : "jpeg";
}
