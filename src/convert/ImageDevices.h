#pragma once
// Image formats a user can ask for, the Ghostscript device that renders each,
// and the extension of the files it writes.
#include <string>

struct ImageDevice {
    const char* format;     // user-facing name
    const char* device;     // Ghostscript output device
    const char* extension;  // of the image files
};

// The entry for a user-facing format (case-insensitive; "SAME" and "JPG" give jpeg);
// null when there is none.
const ImageDevice* FindImageFormat(const std::string& format);
// The entry for a Ghostscript device; null when there is none.
const ImageDevice* FindImageDevice(const std::string& device);
// Extension of the files a Ghostscript device writes: "bmp16m" gives "bmp",
// "png16m" "png", "tiff24nc" "tiff", "pcx24b" "pcx", "pbm", "pnm" and "ppm"
// themselves, anything else "jpeg".
std::string ExtensionOfDevice(const std::string& device);
