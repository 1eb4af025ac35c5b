// The dispatcher: one job of any kind, start to end.
#include "convert/ConversionJob.h"
#include "platform/PdfCoreConfig.h"

int ConvertFile(CConvertPara& para, const ConvertEngines& engines) {
    ConversionJob job(para, engines);
    para.jobResult = ResultDone;
    para.pictures = {};
    para.TakeNotes();
    if (!job.Ready()) {
        // Nothing to work on: the workspace goes with the job, the source stays untouched.
        para.jobResult = para.workspaceProblem.empty() ? ResultCannotOpen : ResultNoWorkspace;
        return para.jobResult;
    }
    pdfcore::CreateGlobalParams();
    int result = ResultDone;
    switch (para.jobMode) {
    case ModeFlowingText:
    case ModeAsIs:
        job.StartPageGraphics();
        result = job.TextPass();
        if (result == ResultDone) result = job.RtfBuild(true);
        break;
    case ModeFormattedText:
    case ModeTextOnly:
        result = job.TextPass();
        if (result == ResultDone) result = job.RtfBuild(false);
        break;
    case ModeExtractImages:
        result = job.ImageExtraction(para.password);
        break;
    default:
        break;
    }
    job.StopPageGraphics();
    pdfcore::DeleteGlobalParams();
    para.jobResult = result;
    return result;
}
