// The time plate's text ("AM 9:00", "PM 11:30") fitted into its plate, in
// the window program and the web page alike: drawn inside the plate's
// border and clear of the clock icon at every size; a text wider than that
// room is narrowed as a whole, never cut.
#pragma once

namespace velmora::plates {

// The label of the time, and the room its text has inside it, in design
// pixels from the label's left edge.
constexpr double kTimeLabelWidth = 121;
constexpr double kTimeRoomLeft = 2;
constexpr double kTimeRoomRight = 116;

struct TextFit {
    double origin = 0;     // where the text's origin is drawn, from the label's left
    double narrowing = 1;  // the text's width is multiplied by this
    double left = 0;       // where its ink begins and ends, from the label's left
    double right = 0;
};

// The text as measured at the size it is drawn (the left and right of its
// ink from its origin, and its advance), in a label drawn labelWidth wide.
TextFit FitTimeText(double inkLeft, double inkRight, double advance, double labelWidth);

// What a text `wanted` wide is multiplied by to fit `room` (the time on its
// plate, a window's caption on its title bar): narrowed as a whole, never cut.
double Narrowing(double wanted, double room);

}  // namespace velmora::plates
