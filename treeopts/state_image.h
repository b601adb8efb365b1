// The 13 pictures of the option tree's image strip. An item's image index
// alone says what kind of item it is and what state it is in.
#pragma once

enum StateImage : int {
    ImgUnticked = 0,        // check box, not ticked
    ImgTicked = 1,          // check box, ticked
    ImgRadioOff = 2,        // radio, not chosen
    ImgRadioOn = 3,         // radio, chosen
    ImgLocked = 4,          // check box, locked and not ticked
    ImgDone = 5,            // setting already in effect: locked, ticked check / unchosen radio
    ImgRadioLockedOff = 6,  // locked radio, not chosen
    ImgRadioLockedOn = 7,   // locked radio, chosen (same picture as 6)
    ImgWindow = 8,          // unused picture
    ImgGroup = 9,           // group heading
    ImgActive = 12,         // feature still on, ticked for switching off
};

inline constexpr int kStateImageCount = 13;
