#pragma once
// The target text of a link annotation's action.
#include <string>

class Catalog;
class LinkAction;

// docName is the device's base path; a link into this document points at its XML
// file and page ("report.xml#12").
std::string LinkTargetText(const LinkAction* action, Catalog* catalog, const std::string& docName);
