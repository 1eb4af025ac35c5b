#pragma once
// The check both faces make before a batch: languages the user asked for that
// are not installed stop it at once, rather than failing every scanned page.
#include <string>

class CConvertPara;

// The message naming the package to install; empty when the batch may start. The
// default languages are not held against a batch: a document without scans
// needs none, and a scanned page without them is noted where it occurs.
std::string OcrLanguageProblem(const CConvertPara& para);
