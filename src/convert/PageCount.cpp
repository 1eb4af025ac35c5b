// The page-count query made when a file is added to a batch.
#include <PDFDoc.h>

#include "convert/ConversionJob.h"
#include "convert/PdfOpen.h"
#include "platform/PdfCoreConfig.h"

int ConversionJob::PageCountFor(const std::string& password) {
    pdfcore::ApplyExtractionSettings();
    PDFDoc* doc = OpenPdf(&password);
    int pages = doc && doc->isOk() ? doc->getNumPages() : 0;
    ClosePdf();
    return pages;
}

int ConversionJob::PageCountQuery(const std::string* password) {
    if (!pdfcore::HaveGlobalParams()) pdfcore::CreateGlobalParams();
    if (password) {
        int pages = PageCountFor(*password);
        pdfcore::DeleteGlobalParams();
        return pages;
    }
    pdfcore::ApplyExtractionSettings();
    PDFDoc* doc = OpenPdf();
    if (OpenFailure(doc) == ResultWrongPassword) {
        ClosePdf();
        return -1;  // the core stays set up for the query with the password
    }
    int pages = doc && doc->isOk() ? doc->getNumPages() : 0;
    ClosePdf();
    pdfcore::DeleteGlobalParams();
    return pages;
}

int PageCount(const std::string& path, const std::string* password) {
    ConversionJob query(path);
    return query.PageCountQuery(password);
}
