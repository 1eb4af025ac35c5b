#pragma once
#include <string>

struct CRtfDocInfo {
    std::string author, keywords, date, subject;
};
