#include "core/shell/HelpPages.h"

#include <algorithm>
#include <cctype>

#include "core/services/Settings.h"

namespace tessary {

namespace {

bool IsSchemeChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '+' || c == '-' || c == '.';
}

// The scheme before the first ":", in lower case; empty when there is none.
std::string SchemeOf(const std::string& address) {
    const std::size_t colon = address.find(':');
    if (colon == std::string::npos || colon == 0 || !std::isalpha(static_cast<unsigned char>(address[0]))) return {};
    std::string scheme = address.substr(0, colon);
    if (!std::all_of(scheme.begin(), scheme.end(), IsSchemeChar)) return {};
    std::transform(scheme.begin(), scheme.end(), scheme.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return scheme;
}

}  // namespace

std::string WebPageAddress(const SettingsStore& settings, WebPage page) {
    return page == WebPage::Faq ? ReadText(settings, kHelpSection, "FaqUrl", kFaqAddress)
                                : ReadText(settings, kHelpSection, "HomeUrl", kGuideAddress);
}

PageViewer ViewerFor(const std::string& address) {
    const std::string scheme = SchemeOf(address);
    if (scheme == "qrc") return PageViewer::HelpWindow;
    if (scheme == "http" || scheme == "https" || scheme == "file") return PageViewer::Browser;
    return PageViewer::None;
}

}  // namespace tessary
