#pragma once
// The end-to-end run: the driver uses the program as a person would and
// checks what it shows. Returns the number of failed checks.
#include <string>

namespace uia {

int RunEndToEnd(const std::string& program, const std::string& folder);

// Takes the screenshots for the documentation into `outFolder`; returns the
// number of failures.
int TakeScreenshots(const std::string& program, const std::string& errorDemo, const std::string& longDemo,
                    const std::string& folder, const std::string& outFolder);

}  // namespace uia
