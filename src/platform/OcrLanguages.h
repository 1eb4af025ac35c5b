#pragma once
// Where Tesseract's language data lies, for the recognizer to start from the
// folder whose languages InstalledOcrLanguages lists.
#include <string>

namespace platform {

// The folder of the ".traineddata" files (TESSDATA_PREFIX first), or empty when none is found.
std::string OcrDataFolder();

}  // namespace platform
