#pragma once
// The program's composition root: the real engines and steps that both faces
// (the command line and the window) hand to the driver and the batch worker.
#include "convert/CConvertWorker.h"
#include "convert/ConversionJob.h"
#include "convert/ConvertEngines.h"

// The text device, the RTF engine and the page-graphics pass of a real conversion.
const ConvertEngines& DefaultEngines();

// Runs one job with the real engines; its result, as ConvertFile(para, engines) gives it.
int ConvertFile(CConvertPara& para);

// The worker's steps: a job with the real engines, and LibreOffice for the word-processor formats.
WorkerSteps DefaultWorkerSteps();
