#pragma once
// The one way a PDF is opened, by every pass of a job and by the page-count query.
#include <memory>
#include <string>

class PDFDoc;

namespace platform {
class MappedFile;
}

// Offers `password` as owner and as user password: many people are given only
// one of the two, and some files open with nothing but the owner password. The
// result may be invalid (see OpenFailure); only a failure to construct gives null.
std::unique_ptr<PDFDoc> OpenPdfDocument(const std::string& path, const std::string& password);
// The same from a mapped file, which the document keeps mapped while it lives.
std::unique_ptr<PDFDoc> OpenPdfDocument(std::shared_ptr<const platform::MappedFile> file, const std::string& password);

// ResultDone for an opened document, else ResultWrongPassword or ResultCannotOpen.
int OpenFailure(const PDFDoc* document);
