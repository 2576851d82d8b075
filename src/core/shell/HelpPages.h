#pragma once

#include <string>

namespace tessary {

class SettingsStore;

// The pages of Help > Tessary on the Web. Their addresses are settings
// (section "Help"), by default the user guide that comes with the program.
enum class WebPage { Faq, Home };

inline constexpr const char* kHelpSection = "Help";
inline constexpr const char* kGuideAddress = "qrc:/help/index.html";
inline constexpr const char* kFaqAddress = "qrc:/help/index.html#faq";

std::string WebPageAddress(const SettingsStore& settings, WebPage page);

// Where an address is shown: a page of the guide in the program's help
// window, a web page or local file in the user's browser, or (any other
// kind of address, which could start any program) nowhere.
enum class PageViewer { HelpWindow, Browser, None };

PageViewer ViewerFor(const std::string& address);

}  // namespace tessary
