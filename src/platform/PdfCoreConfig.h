#pragma once
// The PDF core's process-wide settings, made once per job.

namespace pdfcore {

// Replaces any existing global parameters object with a fresh one (no configuration file).
void CreateGlobalParams();
void DeleteGlobalParams();
// Whether the PDF core's own complaints reach standard error (the verbose log); off by default.
void ShowCoreMessages(bool shown);
bool HaveGlobalParams();
// Error reporting on, text encoding "Latin1": set before every document is opened.
void ApplyExtractionSettings();

}  // namespace pdfcore
