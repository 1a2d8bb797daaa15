#pragma once

// The names by which handlers reach the main window's elements.
namespace kestrane::names {

inline constexpr const char* window = "KESTRANE_Main";

inline constexpr const char* title = "KESTRANE_TITLE";
inline constexpr const char* version = "KESTRANE_VERSION";
inline constexpr const char* creator = "KESTRANE_CREATOR";
inline constexpr const char* freeware = "KESTRANE_FREEWARE";
inline constexpr const char* countdownMessage = "KESTRANE_COUNTDOWN_MESSAGE";
inline constexpr const char* leftMark = "KESTRANE_EX_POINT_TEXTBOX_LEFT";
inline constexpr const char* countdownBox = "KESTRANE_COUNTDOWN_TEXTBOX";
inline constexpr const char* rightMark = "KESTRANE_EX_POINT_TEXTBOX_RIGHT";
inline constexpr const char* abortButton = "KESTRANE_ABORT_BUTTON";
inline constexpr const char* statusBar = "sbStatusBar";
inline constexpr const char* line1 = "Line1";
inline constexpr const char* line2 = "Line2";
inline constexpr const char* line3 = "Line3";
inline constexpr const char* countdownTimer = "KESTRANE_MAIN_COUNTDOWN_TIMER";
inline constexpr const char* flasherTimer1 = "KESTRANE_EX_1_TIMER";
inline constexpr const char* flasherTimer2 = "KESTRANE_EX_2_TIMER";
inline constexpr const char* alwaysOnTopTimer = "AlwaysOnTopTimer";

}  // namespace kestrane::names
