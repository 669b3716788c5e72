// Names of the program's resources (resources/quendrel.rc), for the code that loads them.
#pragma once

namespace quendrel::resources {

inline constexpr char kMainIcon[] = "MAINICON";      // icon group: 16 and 32 pixels
inline constexpr char kTrayImages[] = "TRAYIMAGES";  // bitmap: four 16 x 16 images side by side
inline constexpr char kStrip[] = "STRIP";            // bitmap: 138 x 3, the alert popup's bottom strip
inline constexpr char kBanner[] = "BANNER";          // RCDATA: JPEG, 453 x 50
inline constexpr char kAboutArt[] = "ABOUTART";      // RCDATA: JPEG, 153 x 177

// Tray images, in order, as the image list holds them after adding kTrayImages.
inline constexpr int kTrayRunning = 0;     // orange bell
inline constexpr int kTrayStopped = 1;     // grey bell
inline constexpr int kTrayEnvelope = 2;    // envelope
inline constexpr int kTrayAlerted = 3;     // blue bell

}  // namespace quendrel::resources
