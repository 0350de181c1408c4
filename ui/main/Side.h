// What distinguishes the main window's two sides: the twin handlers of side 1 and side 2 share one
// implementation that takes a Side. Also what both the drop areas and the comparison use to show an error
// in a side's area: its pink, and a message below the area's text.
#pragma once

#include <string>
#include <string_view>

#include "ui/main/MainWIndow.h"

namespace corvantil {

struct Side {
    const char* controlName;                                  // "TextArea1" or "TextArea2"
    platform::Ref<platform::TextArea> (MainWIndow::*area)();  // the side's control accessor
    std::string MainWIndow::*path;
    bool MainWIndow::*summed;  // the digest is at hand
    std::string MainWIndow::*checkSum;
    bool MainWIndow::*errorArea;
    std::string MainWIndow::*otherPath;  // tested before a drop starts a comparison
};

inline const Side kSide1{"TextArea1",
                         &MainWIndow::TextArea1,
                         &MainWIndow::path1,
                         &MainWIndow::file1summed,
                         &MainWIndow::checkSum1,
                         &MainWIndow::errorArea1,
                         &MainWIndow::path2};
inline const Side kSide2{"TextArea2",
                         &MainWIndow::TextArea2,
                         &MainWIndow::path2,
                         &MainWIndow::file2summed,
                         &MainWIndow::checkSum2,
                         &MainWIndow::errorArea2,
                         &MainWIndow::path1};

// The background of an area that shows an error.
platform::Color Pink();

// A message as an area shows it below what it holds: `text`, two line ends, then `message`.
std::string WithMessage(const std::string& text, std::string_view message);

}  // namespace corvantil
