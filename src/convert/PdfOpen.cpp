#include "convert/PdfOpen.h"

#include <ErrorCodes.h>
#include <PDFDoc.h>
#include <goo/GooString.h>

#include <Stream.h>

#include <limits>
#include <optional>
#include <utility>

#include "convert/CConvertPara.h"
#include "platform/MappedFile.h"

namespace {

std::optional<GooString> Password(const std::string& password) {
    if (password.empty()) return std::nullopt;
    return GooString(password);
}

// The document's own stream over the mapping; the pieces it hands out read the
// same bytes and go with the document, before the mapping.
class MappedPdfStream : public MemStream {
public:
    explicit MappedPdfStream(std::shared_ptr<const platform::MappedFile> file)
        : MemStream(file->Data(), 0, static_cast<Goffset>(file->Size()), Object(objNull)), file_(std::move(file)) {}

private:
    std::shared_ptr<const platform::MappedFile> file_;
};

}  // namespace

std::unique_ptr<PDFDoc> OpenPdfDocument(const std::string& path, const std::string& password) {
    return std::make_unique<PDFDoc>(std::make_unique<GooString>(path), Password(password), Password(password));
}

std::unique_ptr<PDFDoc> OpenPdfDocument(std::shared_ptr<const platform::MappedFile> file, const std::string& password) {
    // The PDF core's memory stream counts its place in an int.
    if (!file || file->Size() > static_cast<size_t>(std::numeric_limits<int>::max())) return nullptr;
    return std::make_unique<PDFDoc>(new MappedPdfStream(std::move(file)), Password(password), Password(password));
}

int OpenFailure(const PDFDoc* document) {
    if (!document) return ResultCannotOpen;
    if (document->isOk()) return ResultDone;
    return document->getErrorCode() == errEncrypted ? ResultWrongPassword : ResultCannotOpen;
}
