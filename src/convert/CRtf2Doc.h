#pragma once
// Hands a finished RTF to the word processor (LibreOffice, headless) to be saved
// as a Word document (DOC or DOCX) or an OpenDocument text (ODT).
#include <atomic>
#include <cstdint>
#include <string>

class CRtf2Doc {
public:
    virtual ~CRtf2Doc() = default;
    // Saves in the format that the destination's extension names (.doc, .docx, .odt).
    // 1 when the word processor ran, 0 when it could not be started (or the format
    // is unknown). Whether the document was written is told by the destination file alone.
    // A raised `stop` (the job's cancel flag) ends the word processor at once.
    int Convert(const std::string& rtfPath, const std::string& destinationPath,
                const std::atomic<int32_t>* stop = nullptr);
    // Why the last run wrote nothing, where the word processor itself said so: a time
    // limit reached or a failing exit status. Empty otherwise.
    std::string problem;
    // The message for a machine without the word processor.
    static const char* MissingMessage();
    // Why the file at path is no whole document of the format its extension names
    // (".doc", ".docx", ".odt"); empty when it is one.
    static std::string DocumentProblem(const std::string& path, const std::string& extension);
};
