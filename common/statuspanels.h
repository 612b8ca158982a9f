#pragma once
// The keys of the main window's status-bar panels, by which every part of the program finds
// them.

#include <string_view>

namespace batora {

inline constexpr std::string_view kPanelText = "stbpText";
inline constexpr std::string_view kPanelOutLogRen = "stbpOutLogRen";
inline constexpr std::string_view kPanelOutLogError = "stbpOutLogError";
inline constexpr std::string_view kPanelDate = "stbpDate";
inline constexpr std::string_view kPanelTime = "stbpTime";

}  // namespace batora
