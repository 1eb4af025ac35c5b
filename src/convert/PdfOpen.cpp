#include "convert/PdfOpen.h"

#include <ErrorCodes.h>
#include <PDFDoc.h>
#include <goo/GooString.h>

#include <optional>

#include "convert/CConvertPara.h"

std::unique_ptr<PDFDoc> OpenPdfDocument(const std::string& path, const std::string& password) {
    std::optional<GooString> owner, user;
    if (!password.empty()) {
        owner = GooString(password);
        user = GooString(password);
    }
    return std::make_unique<PDFDoc>(std::make_unique<GooString>(path), owner, user);
}

int OpenFailure(const PDFDoc* document) {
    if (!document) return ResultCannotOpen;
    if (document->isOk()) return ResultDone;
    return document->getErrorCode() == errEncrypted ? ResultWrongPassword : ResultCannotOpen;
}
