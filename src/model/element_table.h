#pragma once

#include "colour.h"
#include "element.h"
#include "element_names.h"

namespace kestrane {

// Every element of the main window with its kind and initial look, in
// creation order. An element's id is its position here.
struct InitialElement {
  const char* name;
  ElementKind kind;
  const char* text;
  Colour backColor;
  Colour foreColor;
};

inline constexpr InitialElement elementTable[] = {
    {names::title, ElementKind::Label, "KESTRANE", colours::black, colours::green},
    {names::version, ElementKind::Label, "Version 1.0", colours::black, colours::green},
    {names::creator, ElementKind::Label, "Created By Orwyn402", colours::black, colours::green},
    {names::freeware, ElementKind::Label, "!!! FREEWARE !!!", colours::black, colours::green},
    {names::countdownMessage, ElementKind::Label, "COUNTDOWN STARTED", colours::black, colours::green},
    {names::leftMark, ElementKind::TextBox, "!", colours::black, colours::green},
    // "--" and a line break: the multi-line box shows "--" until the first tick.
    {names::countdownBox, ElementKind::TextBox, "--\r\n", colours::black, colours::red},
    {names::rightMark, ElementKind::TextBox, "!", colours::black, colours::green},
    {names::abortButton, ElementKind::CommandButton, "", colours::green, colours::black},
    {names::statusBar, ElementKind::StatusBar, "", colours::black, colours::black},
    {names::line1, ElementKind::Line, "", colours::black, colours::black},
    {names::line2, ElementKind::Line, "", colours::black, colours::black},
    {names::line3, ElementKind::Line, "", colours::black, colours::black},
    {names::countdownTimer, ElementKind::Timer, "", colours::black, colours::black},
    {names::flasherTimer1, ElementKind::Timer, "", colours::black, colours::black},
    {names::flasherTimer2, ElementKind::Timer, "", colours::black, colours::black},
    {names::alwaysOnTopTimer, ElementKind::Timer, "", colours::black, colours::black},
};

}  // namespace kestrane
