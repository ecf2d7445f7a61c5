#pragma once
// Small helpers shared by the engine's tests; scratch folders and
// whole-file reading and writing (without the program's safe-write path)
// come from support/TempDir.h.
#include <string>
#include <vector>

#include "composer/engine/PageHead.h"
#include "framework/rtl/StrUtils.h"
#include "support/TempDir.h"

namespace enginetest {

// The head as the reader and writer see it after normalisation.
inline std::vector<std::string> NormalisedLines(const std::string& page) {
    TPageHead head;
    head.PagePath = "page.html";
    head.LoadFromText(page);
    head.SetUpMetaLines();
    return SplitLines(head.Text());
}

}  // namespace enginetest
